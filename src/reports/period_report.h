#pragma once
// The monthly and yearly income-expense reports: one row per calendar month
// (or year) of the span with the income and expense sums and counts, the
// balance and the share of income spent. The rows go to the scratch table
// SZTable, the print data, and to the grid, the sheet and the printed report.

#include <functional>
#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"
#include "reporting/report.h"
#include "reporting/sheet.h"
#include "reports/statistics.h"

namespace fennory {

// Everything that tells the monthly report from the yearly one.
struct PeriodKind {
    const char* caption;        // "收支月报表": window and sheet name
    const char* periodCaption;  // "月份": first column
    int keyLength;              // 7: "yyyy-mm"; 4: "yyyy"
    int monthsPerPeriod;        // 1 or 12
    int spanNumerator;          // a period is spanNumerator / spanDenominator days:
    int spanDenominator;        // 30.4375 = 487/16, 365.25 = 1461/4
    const char* printTitle;     // "收支月统计表"
    const char* layoutName;     // "Print/theSZ_M.rf3"
    std::string (*defaultFrom)(const std::string& today);
    std::string (*defaultTo)(const std::string& today);
};
const PeriodKind& monthlyReport();
const PeriodKind& yearlyReport();

// The keys of the periods from `from` to `to`: whole period spans between the
// dates, plus one. Empty when `from` is after `to`.
std::vector<std::string> periodKeys(const PeriodKind& kind, const std::string& from,
                                    const std::string& to);

enum class PeriodColumn {
    Period,
    IncomeSum,
    IncomeCount,
    ExpenseSum,
    ExpenseCount,
    Balance,
    Share
};

struct PeriodRow {
    std::string key;
    Money incomeSum;
    std::int64_t incomeCount = 0;
    Money expenseSum;
    std::int64_t expenseCount = 0;
    Money balance;
    double share = 0;  // expenses / income as a fraction; 0 when either is zero
};

struct PeriodTotals {
    std::size_t periods = 0;
    Money incomeSum;
    std::int64_t incomeCount = 0;
    Money expenseSum;
    std::int64_t expenseCount = 0;
    Money balance;
};

// The row of a period from its sums and counts.
PeriodRow periodRow(std::string key, Money incomeSum, std::int64_t incomeCount, Money expenseSum,
                    std::int64_t expenseCount);

class PeriodReport {
public:
    PeriodReport(TfrmDM& dm, const PeriodKind& kind);
    const PeriodKind& kind() const { return kind_; }

    // The span the screen opens with.
    Criteria initialFilter(const std::string& today) const;

    // "统计": false, and nothing changes, when `from` is after `to`. Otherwise
    // SZTable holds the rows of the span (in one transaction) and the grid,
    // totals, sheet and print read them. progress(done, total) per period.
    CheckResult run(const Criteria& f,
                    const std::function<void(std::size_t, std::size_t)>& progress = {});
    bool ran() const { return ran_; }

    const std::vector<PeriodRow>& rows() const { return rows_; }
    const PeriodTotals& totals() const { return totals_; }
    // The rows as the grid shows them, titled as the report is.
    Table table() const;

    Sheet sheet() const;
    report::Layout printLayout() const;
    // The print data: the rows of SZTable, numbered from 1.
    Table printRows() const;

private:
    TfrmDM& dm_;
    const PeriodKind& kind_;
    bool ran_ = false;
    std::vector<PeriodRow> rows_;
    PeriodTotals totals_;
};

}  // namespace fennory
