#pragma once
// "预算执行表": a month, quarter or year of budgets against the records, as
// the grid, the bars, the sheet and the printed list show it; the main
// window's line for the month; and the reminder when a save takes a category
// past its budget.

#include <optional>
#include <string>

#include "core/data_module.h"
#include "core/table.h"
#include "plans/budgets.h"
#include "plans/thresholds.h"
#include "reporting/report.h"
#include "reporting/sheet.h"

namespace fennory {

// How far a category's spending has come: the colour of its bar.
enum class BudgetLevel {
    None,   // no budget
    Under,  // up to 90 % of it
    Near,   // above 90 %
    Over    // above the budget
};
BudgetLevel budgetLevel(const BudgetRow& row);

// "2026年12月", "2026年第4季度", "2026年".
std::string budgetPeriodCaption(int year, BudgetPeriod period, int index);

enum class BudgetReportColumn { Name, Budget, Spent, Remaining, Used, Pace };

// A budgeted category's bar: what was spent, in the colour of its level, and
// the budget left beside it.
struct BudgetBar {
    std::string name;
    Money spent, left;
    BudgetLevel level;
};

class BudgetReportModel {
public:
    explicit BudgetReportModel(TfrmDM& dm) : dm_(dm) {}

    // "统计": the period's figures; `today` sets the pace of a month under way.
    void run(BudgetKind kind, int year, BudgetPeriod period, int index, const std::string& today);
    bool ran() const { return ran_; }
    BudgetKind kind() const { return kind_; }
    const BudgetReport& report() const { return report_; }
    // "我家 支出预算执行表 2026年12月"
    std::string title() const;

    // The rows the grid shows, in order: the budgeted categories, a
    // "未做预算" heading with the categories spent on without a budget, and
    // "合计". The row of each, and its colour.
    const std::vector<const BudgetRow*>& shownRows() const { return shown_; }
    Table table() const;
    BudgetLevel level(std::size_t shownRow) const;
    // The pace of the month under way over all categories ("" otherwise).
    std::string paceLine() const;
    std::vector<BudgetBar> bars() const;

    Sheet sheet() const;
    report::Layout printLayout() const;
    // The print data: the budgeted and the unbudgeted categories (the
    // summary band sums them).
    Table printRows() const;

private:
    std::string caption(BudgetReportColumn c) const;

    TfrmDM& dm_;
    bool ran_ = false;
    BudgetKind kind_ = BudgetKind::Expense;
    std::string period_;
    BudgetReport report_;
    BudgetRow heading_;  // the "未做预算" line of the grid
    std::vector<const BudgetRow*> shown_;
};

// The main window's line for the month of `today`: "本月预算 3,000.00 元，
// 已支出 1,234.00 元（41%）"; "" when the month has no expense budget.
std::string budgetMonthLine(TfrmDM& dm, const std::string& today);

// After a save that added `added` to the category's spending in the month of
// `date`: the reminder when that took the category past its month's budget
// and the book wants to be told.
std::optional<Reminder> overBudgetReminder(TfrmDM& dm, const std::string& name,
                                           const std::string& date, Money added);

}  // namespace fennory
