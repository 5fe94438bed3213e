#pragma once
// Plans: future movements stored one row per occurrence (UPlan), listed,
// deleted, exported and executed. Executing a plan books the record it stands
// for, moves the balance and writes the fund-flow entry, in one transaction.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/condition.h"
#include "core/criteria.h"
#include "core/data_module.h"
#include "core/record_types.h"
#include "core/screen_model.h"
#include "reporting/sheet.h"

namespace fennory {

// Everything that tells one kind of plan from another, and the record its
// execution books.
struct PlanKind {
    const char* name;         // "收入": the stored PType and the radio button's caption
    const char* nameLabel;    // "收入类别：" beside the list of a new plan
    const char* nameCaption;  // "收入类别": the criterion and the list's column title
    const char* emptyName;    // the message when nothing is chosen; null: allowed
    std::string BookState::*defaultName;
    std::vector<std::string> (TfrmDM::*names)();
    RecordType record;  // the record booked on execution
};
// The five kinds in the order the screens offer them: 收入, 支出, 债务, 债权, 投资.
const std::vector<PlanKind>& planKinds();
// The kind stored as `name`; null for a text that is none.
const PlanKind* planKind(const std::string& name);

// ---- repetition ----

enum class Repeat { Daily, EveryNDays, Monthly, Yearly, EveryNMonths };

struct RepeatRule {
    Repeat repeat = Repeat::Daily;
    int days = 7;    // every N days: 1 to 31
    int months = 3;  // every N months: 1 to 12
    int month = 1;   // yearly: 1 to 12
    int day = 20;    // monthly, yearly, every N months: 1 to 28
};

// What a number field of the rule may hold.
struct NumberRange {
    int min, max;
};
inline constexpr NumberRange kEveryDays{1, 31};
inline constexpr NumberRange kEveryMonths{1, 12};
inline constexpr NumberRange kMonthOfYear{1, 12};
inline constexpr NumberRange kDayOfMonth{1, 28};

// The end date choosing a rule proposes for a start date.
std::string proposedEnd(Repeat repeat, const std::string& start);

// The dates of the occurrences from start to end (end after start), in order.
std::vector<std::string> planDates(const RepeatRule& rule, const std::string& start,
                                   const std::string& end);

// ---- a new plan ----

struct PlanInput {
    const PlanKind* kind = nullptr;
    std::string name;
    std::string amount;  // as typed
    std::string account;
    std::string member;
    std::string remark;
    RepeatRule rule;
    std::string start, end;
};
enum class PlanField { None, Name, Amount, Account, Member, End };
using PlanCheck = Check<PlanField>;

// A new plan's fields: the kind's and the book's defaults, today to a month on.
PlanInput newPlanInput(TfrmDM& dm, const PlanKind& kind, const std::string& today);

// "保存": the checks in order, then one row per occurrence, all or none.
PlanCheck savePlans(TfrmDM& dm, const PlanInput& in);

// ---- executing ----

// Books one plan (its record, the balance, the log entry) and marks it
// executed, in one transaction. A plan that cannot be booked (executed or
// deleted meanwhile, its account gone) fails with the reason and nothing is
// written; a failure of the data file throws and rolls back.
CheckResult executePlan(TfrmDM& dm, std::int64_t id);

// The plans of the open book due on `startupDate`: not executed, dated on or before it.
bool hasDuePlans(TfrmDM& dm, const std::string& startupDate);

// What executing a list did: how many were booked, and the message of the
// failure that stopped it (empty when none did).
struct ExecutionResult {
    std::size_t executed = 0;
    std::string failure;
};

// ---- the lists ----

enum class PlanColumn { Id, Kind, Date, Name, Amount, Account, Member, Remark };

// The criteria of the viewing and execution screens: the kind always
// applies, the rest when ticked.
struct PlanFilter {
    const PlanKind* kind = nullptr;
    Criteria criteria;
};
// What the screens offer: date, name (the kind's list), account, member, remark.
const CriteriaTable& planCriteria();

// The unexecuted plans of the open book: under a filter (the viewing and
// execution screens) or all that are due (the due-plan dialog).
class PlanListModel : public ScreenModel<PlanColumn> {
public:
    explicit PlanListModel(TfrmDM& dm);

    // The criteria a screen opens with: income, the dates from today to a month on.
    static PlanFilter initialFilter(const std::string& today);

    // "查询": lists the plans the filter finds and remembers it for reloads.
    void setFilter(const PlanFilter& f);
    // The due-plan list: every kind, dated on or before the start-up date, newest first.
    void setDue(const std::string& startupDate);
    bool queried() const { return queried_; }

    std::size_t count() const { return rows().size(); }
    // The total of the listed amounts, empty when nothing is listed.
    std::optional<Money> total() const { return total_; }
    // The title of the name column ("收入类别", ..., "计划名称").
    const std::string& nameCaption() const { return nameCaption_; }

    // "删除选中计划": the plan goes at once.
    void remove(std::int64_t id) override;
    // "全部删除": every plan the remembered filter finds.
    void removeAllListed();

    // Executes the listed plans dated on or before `startupDate` (all of them
    // for the due list), in list order, each in its own transaction, stopping
    // at the first failure. progress(done, total) after every listed plan.
    // The list is read again afterwards, also when the data file failed.
    ExecutionResult executeListed(const std::string& startupDate,
                                  const std::function<void(std::size_t, std::size_t)>& progress);

    // "Excel": the sheet "计划表" of the listed plans.
    Sheet sheet() const;

protected:
    Table load() override;

private:
    TfrmDM& dm_;
    Condition condition_;
    std::string order_;
    std::string nameCaption_ = "收入类别";
    bool queried_ = false;
    std::optional<Money> total_;
};

}  // namespace fennory
