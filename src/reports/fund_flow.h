#pragma once
// The fund-flow log screen's model: criteria, the list, its totals, deleting,
// correcting and recalculating entries, and the log's sheet and print layout.
// Correcting or deleting an entry changes neither balances nor records.

#include <optional>
#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/condition.h"
#include "core/criteria.h"
#include "core/data_module.h"
#include "core/table.h"
#include "reporting/report.h"
#include "reporting/sheet.h"

namespace fennory {

// What the log screen offers: date, account, member, remark and kind.
const CriteriaTable& fundFlowCriteria();

// The sort keys of the log, in the order the screen lists them.
enum class FlowSort { Date, Kind, Account, Balance, Member };
const std::vector<std::string>& flowSortCaptions();

struct FundFlowCriteria {
    Criteria criteria;  // the dates show on the sheet's title whether ticked or not
    bool sorted = false;
    FlowSort sort = FlowSort::Date;
};

// How another screen opens the log: its account or member as a ticked
// criterion, which the user may untick like any other.
struct FundFlowPreset {
    std::optional<std::string> account;
    std::optional<std::string> member;
};

enum class FlowColumn { Date, Kind, Remark, In, Out, Account, Balance, Member, Event, Id };
enum class FlowField { None, Date, In, Out, Account };
using FlowCheck = Check<FlowField>;

struct FundFlowTotals {
    std::size_t count = 0;
    std::optional<Money> in, out;  // empty when nothing is listed
};

// One entry as the edit dialog shows and saves it.
struct FlowEdit {
    std::int64_t id = 0;
    std::string theDate, theType, Remark;
    std::string theIn, theOut;  // as typed
    std::string AName, FName;
};

class FundFlowLog {
public:
    explicit FundFlowLog(TfrmDM& dm);

    static FundFlowPreset forAccount(std::string account) { return {std::move(account), {}}; }
    static FundFlowPreset forMember(std::string member) { return {{}, std::move(member)}; }

    // The criteria the screen opens with: the last month up to today, and the
    // preset's account or member ticked.
    static FundFlowCriteria initialCriteria(const std::string& today,
                                            const FundFlowPreset& preset = {});
    // The positions of the columns the grid hides.
    static std::vector<int> hiddenColumns();
    // The ID of a row of a table with the log's columns.
    static std::int64_t idOf(const Table& t, std::size_t row);

    // "查询": the condition from the ticked criteria, then the list.
    void query(const FundFlowCriteria& c);
    bool queried() const { return queried_; }

    // myRef: reloads the list and the totals with the stored condition.
    void myRef();
    const Table& list() const { return list_; }
    const FundFlowTotals& totals() const { return totals_; }
    const FundFlowCriteria& criteria() const { return criteria_; }

    void deleteEntry(std::int64_t id);
    // Deletes exactly the entries the current condition selects.
    void deleteAllListed();
    // Recalculates 本次余额 of the listed entries in list order, for the account
    // chosen now.
    FlowCheck recalculate(const std::string& account);

    // The listed entry with this ID, as the edit dialog starts with it.
    std::optional<FlowEdit> editOf(std::int64_t id) const;
    FlowCheck saveEdit(const FlowEdit& e);

    // The "Excel" sheet and the print layout with its rows.
    Sheet sheet() const;
    report::Layout printLayout() const;
    Table printRows() const;

private:
    std::string orderClause() const;
    std::string where() const;
    void bindWhere(Statement& s) const;

    TfrmDM& dm_;
    FundFlowCriteria criteria_;
    Condition condition_;
    Table list_;
    FundFlowTotals totals_;
    bool queried_ = false;
};

}  // namespace fennory
