#pragma once
// Budgets: what each category may cost (or is to bring in) in each month of a
// year, and how the spending of a month, a quarter or a year runs against it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/money.h"

namespace fennory {

enum class BudgetKind { Expense, Income };

// One category's budget for the twelve months of a year (zero: none).
struct BudgetLine {
    std::string name;
    std::array<Money, 12> months{};
    bool sameEveryMonth() const;
    Money year() const;
};

// The columns of "预算设置": the category, "每月相同", the twelve months and
// the year's sum.
enum class BudgetColumn { Name, EveryMonth, January, December = January + 11, Year };
inline constexpr int kBudgetColumns = static_cast<int>(BudgetColumn::Year) + 1;
std::string budgetColumnCaption(BudgetColumn c);

// The budgets of the open book for one kind and year, as "预算设置" edits them.
class BudgetYear {
public:
    BudgetYear(TfrmDM& dm, BudgetKind kind, int year);

    BudgetKind kind() const { return kind_; }
    int year() const { return year_; }
    // Another kind or year, read afresh.
    void show(BudgetKind kind, int year);

    // Every category of the kind, in the book's order, with its months.
    const std::vector<BudgetLine>& lines() const { return lines_; }
    void reload();

    // A cell as the grid shows it: amounts with two decimals, "" for none;
    // "每月相同" shows the amount only when every month has it.
    std::string text(std::size_t row, BudgetColumn column) const;
    static bool editable(BudgetColumn column) {
        return column != BudgetColumn::Name && column != BudgetColumn::Year;
    }
    // What the user typed into an editable cell: a month, or every month.
    CheckResult edit(std::size_t row, BudgetColumn column, const std::string& typed);
    // The question "按去年实际" asks before it replaces the year's budgets.
    std::string copyQuestion() const;

    // A typed amount for one month (1-12), or for every month of the year
    // ("每月相同"); an empty amount removes the budget. Refused with the reason
    // before anything is written.
    CheckResult setMonth(const std::string& name, int month, const std::string& typed);
    CheckResult setEveryMonth(const std::string& name, const std::string& typed);
    // "按去年实际": each category's every month set to what it came to in the
    // same month of last year, in one action. The number of amounts set.
    int copyLastYear();

private:
    std::optional<Money> read(const std::string& typed, std::string& refusal) const;
    void write(const std::string& name, int month, Money amount);

    TfrmDM& dm_;
    BudgetKind kind_;
    int year_;
    std::vector<BudgetLine> lines_;
};

enum class BudgetPeriod { Month, Quarter, Year };

struct BudgetRow {
    std::string name;
    Money budget, spent;
    Money remaining() const { return budget - spent; }
    // Spent as a share of the budget (0.93 for 93 %); none without a budget.
    std::optional<double> used() const;
    // For the month under way: what the month comes to at today's pace.
    std::optional<Money> pace;
};

struct BudgetReport {
    std::vector<BudgetRow> rows;        // categories with a budget, by name
    std::vector<BudgetRow> unbudgeted;  // "未做预算": spending without a budget
    BudgetRow total;                    // both lists together
};

// The budgets of a month (index 1-12), a quarter (1-4) or the year, against
// what was spent (or came in) in it. `today` ("yyyy-mm-dd") sets the pace of a
// month under way.
BudgetReport budgetExecution(TfrmDM& dm, BudgetKind kind, int year, BudgetPeriod period, int index,
                             const std::string& today);

// Every month of the years, each as budgetExecution gives it, summed in one
// pass over the records and one over the budgets.
std::vector<BudgetReport> budgetExecutionByMonth(TfrmDM& dm, BudgetKind kind, int firstYear,
                                                 int lastYear, const std::string& today);

// "按目前速度，月底将花费 1,234.00 元" for a row with a pace; "" otherwise.
std::string paceText(const BudgetRow& row, BudgetKind kind);

}  // namespace fennory
