#pragma once
// Family members of the open book: add, change with the rename carried into
// the book's records, delete. The members screen and the wizard's member step
// share this model.

#include <string>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"
#include "reference/editors.h"

namespace fennory {

enum class MemberField { None, Name };
using MemberCheck = Check<MemberField>;

struct MemberInput {
    std::string name;
    std::string relation;
    std::string birthday;  // "yyyy-mm-dd", or empty for none
    std::string remark;
};

enum class MemberColumn { Name, Pinyin, Relation, Birthday, Remark, Book, Id };

// Adds the member with its pinyin code; its ID when newId is given.
MemberCheck saveMember(TfrmDM& dm, const MemberInput& in, std::int64_t* newId = nullptr);

class FamilyModel : public ScreenModel<MemberColumn> {
public:
    explicit FamilyModel(TfrmDM& dm);

    Table list() { return load(); }

    // "保存" of the entry state: adds in the new state, changes the record the
    // change began on otherwise; the saved member is current afterwards.
    MemberCheck save(const MemberInput& in);

    MemberCheck add(const MemberInput& in) { return saveMember(dm_, in); }
    MemberCheck change(std::int64_t id, const std::string& oldName, const MemberInput& in);
    void remove(std::int64_t id) override;

    // The current row for the pinyin-code and use-count editors.
    NameRow currentNameRow() const;

protected:
    Table load() override;

private:
    TfrmDM& dm_;
};

}  // namespace fennory
