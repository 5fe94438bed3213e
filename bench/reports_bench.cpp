// The statistics on the sample book of ten years and 100,000 records: the
// monthly report over the ten years (120 rows), computed with one grouped
// statement per side and, for comparison, with two statements per period;
// the income-expense statistics grouped by category; and the month-by-category
// cross table, computed in one pass and cell by cell, and written; the budget
// report of every month of the ten years.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "period_statements.h"
#include "plans/budgets.h"
#include "reports/analysis.h"
#include "reports/journal.h"
#include "reports/period_report.h"
#include "reports/statistics.h"
#include "sample_book.h"

namespace {

using namespace fennory;

struct Sample {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fennory-reports-" + std::to_string(std::random_device{}()));
    Database db;
    Session session;
    TfrmDM dm;

    Sample() : db(make(dir)), dm(db, session) {
        session.StartupDate = "2024-12-31";
        openBook(dm, {"我家账簿", "", false, false});
    }
    ~Sample() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static Database make(const std::filesystem::path& d) {
        std::filesystem::create_directories(d);
        writeSampleBook(d / "db.eac");
        return Database::open(d / "db.eac");
    }
};

Sample& sample() {
    static Sample s;
    return s;
}

Criteria tenYears() {
    return Criteria().dates("2015-01-01", "2024-12-31");
}

void BM_MonthlyReportTenYears(benchmark::State& state) {
    Sample& s = sample();
    PeriodReport report(s.dm, monthlyReport());
    for (auto _ : state) {
        report.run(tenYears());
        benchmark::DoNotOptimize(report.rows().size());
    }
    state.counters["rows"] = static_cast<double>(report.rows().size());
}
BENCHMARK(BM_MonthlyReportTenYears)->Unit(benchmark::kMillisecond);

// The budget report of every month of the ten years, by category, against
// budgets copied from each year before.
void BM_BudgetReportEveryMonthTenYears(benchmark::State& state) {
    Sample& s = sample();
    static const bool budgets = [&] {
        for (int year = 2015; year <= 2024; ++year) {
            BudgetYear(s.dm, BudgetKind::Expense, year).copyLastYear();
        }
        return true;
    }();
    benchmark::DoNotOptimize(budgets);
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const BudgetReport& r :
             budgetExecutionByMonth(s.dm, BudgetKind::Expense, 2015, 2024, "2024-12-31")) {
            rows += r.rows.size() + r.unbudgeted.size();
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BudgetReportEveryMonthTenYears)->Unit(benchmark::kMillisecond);

// The whole sample book as a plain-text journal, written to memory.
void BM_JournalOfTheSampleBook(benchmark::State& state) {
    Sample& s = sample();
    std::size_t transactions = 0, bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        transactions = writeJournal(s.dm, out, JournalFormat::Ledger, "2024-12-31").transactions;
        bytes = out.str().size();
    }
    state.counters["transactions"] = static_cast<double>(transactions);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_JournalOfTheSampleBook)->Unit(benchmark::kMillisecond);

void BM_MonthlyReportTenYearsPeriodByPeriod(benchmark::State& state) {
    Sample& s = sample();
    for (auto _ : state) {
        auto rows = periodRowsByStatements(s.dm, monthlyReport(), tenYears());
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_MonthlyReportTenYearsPeriodByPeriod)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StatisticsByCategoryTenYears(benchmark::State& state) {
    Sample& s = sample();
    IncomeExpenseStats stats(s.dm);
    StatCriteria c;
    c.filter = tenYears();
    for (auto _ : state) {
        stats.run(c);
        benchmark::DoNotOptimize(stats.income().rows.size());
    }
}
BENCHMARK(BM_StatisticsByCategoryTenYears)->Unit(benchmark::kMillisecond);

const MonthGroupKind& byExpenseCategory() {
    return monthGroupKinds().at(3);
}

void BM_MonthByCategoryTable(benchmark::State& state) {
    Sample& s = sample();
    for (auto _ : state) {
        MonthGroupTable t = monthGroupTable(s.dm, byExpenseCategory());
        benchmark::DoNotOptimize(t.cells.size());
        state.counters["months"] = static_cast<double>(t.months.size());
        state.counters["groups"] = static_cast<double>(t.groups.size());
    }
}
BENCHMARK(BM_MonthByCategoryTable)->Unit(benchmark::kMillisecond);

void BM_MonthByCategoryTablePerCell(benchmark::State& state) {
    Sample& s = sample();
    for (auto _ : state) {
        MonthGroupTable t = monthGroupByStatements(s.dm, byExpenseCategory());
        benchmark::DoNotOptimize(t.cells.size());
    }
}
BENCHMARK(BM_MonthByCategoryTablePerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MonthByCategorySheetWritten(benchmark::State& state) {
    Sample& s = sample();
    const MonthGroupTable t = monthGroupTable(s.dm, byExpenseCategory());
    const auto file = s.dir / "cross.xlsx";
    for (auto _ : state) {
        writeXlsx(file, {monthGroupSheet("我家账簿", byExpenseCategory(), t)});
    }
}
BENCHMARK(BM_MonthByCategorySheetWritten)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
