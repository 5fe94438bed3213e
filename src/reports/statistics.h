#pragma once
// Two read-only summaries of the open book: income against expenses grouped
// by an item ("收支统计表"), and debts by creditor beside credits by debtor
// ("债务债权统计表"), each with its "Excel" sheet.

#include <optional>
#include <string>
#include <vector>

#include "core/criteria.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/table.h"
#include "reporting/sheet.h"

namespace fennory {

// The period, account and member every statistics screen may restrict to;
// `dateColumn` is the one of the table asked.
CriteriaTable statCriteria(const char* dateCaption, const char* dateColumn = "");

// What the income and expense groups are made by, and in what order they come.
enum class StatGroup { Category, Account, Member, Day, Month, Year };
enum class StatSort { AmountDesc, AmountAsc, CountDesc, CountAsc, NameDesc, NameAsc };
// The captions of the pick lists, in enum order.
const std::vector<std::string>& statGroupCaptions();
const std::vector<std::string>& statSortCaptions();

struct StatCriteria {
    Criteria filter;
    StatGroup group = StatGroup::Category;
    bool sorted = true;
    StatSort sort = StatSort::AmountDesc;
};

// The columns of a side's grid: the group, its count and its sum.
enum class StatColumn { Group, Count, Amount };

struct StatSide {
    std::string caption;  // "收入名称", "账户名称", ...
    Table rows;
    std::int64_t count = 0;
    std::optional<Money> sum;  // empty without records
};

// The rows of a statement that selects a group's text and an amount, summed
// by group in one pass, the groups in the order first met. Groups compare as
// the data file compares names: without ASCII letter case.
struct GroupSum {
    std::string name;
    std::string key;  // the name folded, for ordering
    std::int64_t count = 0;
    Money sum;
};
std::vector<GroupSum> sumByGroup(Statement statement);
// The name folded the way the data file folds it (ASCII letters only).
std::string foldedName(std::string name);

// The share of a total in "#,##0.00%" cells: 0 when the total is zero.
double shareOf(Money part, Money total);
inline constexpr const char* kPercentFormat = "#,##0.00%";

class IncomeExpenseStats {
public:
    explicit IncomeExpenseStats(TfrmDM& dm);

    // The screen opens on the month up to today, grouped by category,
    // largest sums first.
    static StatCriteria initialCriteria(const std::string& today);

    // "统计": both sides under the criteria, which the export keeps.
    void run(const StatCriteria& c);
    bool ran() const { return ran_; }
    const StatSide& income() const { return income_; }
    const StatSide& expense() const { return expense_; }

    // myRet: the balance the account's most recently entered log entry dated
    // on or before `to` recorded; zero without one.
    Money balanceAt(const std::string& account, const std::string& to);

    // "Excel": income, expenses, their balance and every account's balance at
    // the end of the period of the last run.
    Sheet sheet();

private:
    StatSide side(bool income, const StatCriteria& c);

    TfrmDM& dm_;
    StatCriteria last_;
    bool ran_ = false;
    StatSide income_, expense_;
};

// ---- debts and credits ----

enum class LoanStatColumn { Party, Count, Outstanding };

struct LoanStatSide {
    Table rows;  // by counterparty, the most outstanding first
    std::int64_t count = 0;
    Money outstanding;
};

class LoanStats {
public:
    explicit LoanStats(TfrmDM& dm);
    static Criteria initialFilter(const std::string& today);

    void run(const Criteria& f);
    bool ran() const { return ran_; }
    const LoanStatSide& debts() const { return debts_; }
    const LoanStatSide& credits() const { return credits_; }
    // The sheet of the last run; its title names the period of that run.
    Sheet sheet() const;

private:
    LoanStatSide side(const char* table, const char* date, const char* party, const char* money,
                      const char* caption, const char* sumCaption, const Criteria& f);

    TfrmDM& dm_;
    Criteria last_;
    bool ran_ = false;
    LoanStatSide debts_, credits_;
};

}  // namespace fennory
