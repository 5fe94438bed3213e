#pragma once
// Monthly thresholds per member and kind (UWarn), and the reminder the entry
// screens show when a member's records of the month reach one.

#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/record_types.h"
#include "core/screen_model.h"

namespace fennory {

// A kind of record a threshold watches, with the table and columns summed.
// A threshold watches the month's sum of one record type, named by its
// caption ("收入", "支出", "债务", "债权", "投资").
using ThresholdKind = RecordTypeDef;
// The five kinds in the order the screen offers them.
const std::vector<const ThresholdKind*>& thresholdKinds();
const ThresholdKind& thresholdKind(const std::string& caption);

// One reminder window: its caption and three lines.
struct Reminder {
    std::string caption;
    std::string member, amounts, text;
};

// myTX: the reminders of the enabled thresholds of a kind whose member's sum
// in `month` ("yyyy-mm") has reached them, in the order stored.
std::vector<Reminder> myTX(TfrmDM& dm, const ThresholdKind& kind, const std::string& month);

enum class ThresholdColumn { Kind, Member, Amount, Text, Book, State, Id };
enum class ThresholdField { None, Member, Amount, Text };
using ThresholdCheck = Check<ThresholdField>;

struct ThresholdInput {
    std::string kind = "支出";
    std::string member;
    std::string amount;  // as typed
    std::string text;
};

class ThresholdsModel : public ScreenModel<ThresholdColumn> {
public:
    explicit ThresholdsModel(TfrmDM& dm);

    // "保存" of a new threshold; a second one for the member and kind is refused.
    ThresholdCheck save(const ThresholdInput& in);
    void remove(std::int64_t id) override;
    void setState(std::int64_t id, const std::string& state);
    // TfrmUWarn_M: only the amount and the text change.
    ThresholdCheck edit(std::int64_t id, const std::string& amount, const std::string& text);

    std::vector<std::string> members() { return dm_.ComFamily(); }

protected:
    Table load() override;

private:
    TfrmDM& dm_;
};

}  // namespace fennory
