// The record screens on the sample book of 100,000 records: opening one on every
// record (query, model, grid and its first paint), a title sort, and saving
// one record under "本月记账", with and without the history.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include <filesystem>
#include <random>

#include "bookkeeping/entries.h"
#include "bookkeeping/ui/entry_screen.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/history.h"
#include "core/ui/prompter.h"
#include "qt_bench.h"

namespace {

using namespace fennory;
using namespace fennory::bench;

void BM_EntryScreenOpensOnEveryRecord(benchmark::State& state) {
    Sample& s = sample();
    NoPrompts prompter;
    for (auto _ : state) {
        ui::TfrmOutTable screen(s.dm, prompter);  // the larger of the twins: 80,000 rows
        screen.resize(1024, 618);
        QPixmap first = screen.grab();  // the first paint of the grid
        benchmark::DoNotOptimize(first);
        state.counters["rows"] = static_cast<double>(screen.model().rows().size());
    }
}
BENCHMARK(BM_EntryScreenOpensOnEveryRecord)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExpenseListQueryOnly(benchmark::State& state) {
    Sample& s = sample();
    EntryModel m(s.dm, expenseEntry());
    for (auto _ : state) {
        m.setScope(ListScope::All);
    }
    state.counters["rows"] = static_cast<double>(m.rows().size());
}
BENCHMARK(BM_ExpenseListQueryOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TitleSortOfEveryRecord(benchmark::State& state) {
    Sample& s = sample();
    EntryModel m(s.dm, expenseEntry());
    m.setScope(ListScope::All);
    ui::TableModel table;
    table.setTable(m.rows());
    int column = 0;
    for (auto _ : state) {
        table.sortByTitleClick(static_cast<int>(EntryColumn::Name) + (column++ % 2));
    }
    state.counters["rows"] = static_cast<double>(table.rowCount());
}
BENCHMARK(BM_TitleSortOfEveryRecord)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SaveOneRecordUnderThisMonth(benchmark::State& state) {
    Sample& s = sample();
    EntryModel m(s.dm, expenseEntry(), [] { return std::string("2024-12-31"); });
    m.setScope(ListScope::ThisMonth);
    int i = 0;
    for (auto _ : state) {
        m.startNewRecord();
        EntryCheck r =
            m.save({"2024-12-31", "食品", std::to_string(1 + i++ % 90), "现金", "爸爸", ""});
        if (!r.ok) {
            state.SkipWithError(r.message.c_str());
        }
    }
}
BENCHMARK(BM_SaveOneRecordUnderThisMonth)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same save with the disk's own flush left out, which the goal excludes.
void BM_SaveOneRecordWithoutTheFlush(benchmark::State& state) {
    Sample& s = sample();
    s.db.executeScript("PRAGMA synchronous=OFF");
    BM_SaveOneRecordUnderThisMonth(state);
    s.db.executeScript("PRAGMA synchronous=FULL");
}
BENCHMARK(BM_SaveOneRecordWithoutTheFlush)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same saves while the history records each one, to be taken back.
void BM_SaveOneRecordWithHistory(benchmark::State& state) {
    Sample& s = sample();
    History history(s.db, [&s] { return s.dm.book(); });
    BM_SaveOneRecordUnderThisMonth(state);
    state.counters["actions"] = static_cast<double>(history.entries(1000).size());
}
BENCHMARK(BM_SaveOneRecordWithHistory)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_SaveOneRecordWithHistoryWithoutTheFlush(benchmark::State& state) {
    Sample& s = sample();
    s.db.executeScript("PRAGMA synchronous=OFF");
    BM_SaveOneRecordWithHistory(state);
    s.db.executeScript("PRAGMA synchronous=FULL");
}
BENCHMARK(BM_SaveOneRecordWithHistoryWithoutTheFlush)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

// "全部删除 &D" of 10,000 listed records with their balances and log entries.
// Runs last: the records are gone afterwards.
void BM_DeleteAllOfTenThousandListed(benchmark::State& state) {
    Sample& s = sample();
    for (auto _ : state) {
        state.PauseTiming();
        EntryModel m(s.dm, expenseEntry());
        m.setFilter(Criteria().dates("2015-01-01", "2016-03-31"));
        state.counters["rows"] = static_cast<double>(m.rows().size());
        state.ResumeTiming();
        m.removeAllListed();
    }
}
BENCHMARK(BM_DeleteAllOfTenThousandListed)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return fennory::bench::runOffscreen(argc, argv);
}
