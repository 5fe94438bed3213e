// The print preview of the expense query over every expense of the sample
// book (about 80,000 rows): from "打印" to the first page on the screen.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <random>

#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/ui/prompter.h"
#include "qt_bench.h"
#include "reporting/ui/report_preview.h"
#include "reports/record_query.h"

namespace {

using namespace fennory;
using namespace fennory::bench;

// Every expense, as the query lists it with no criterion ticked.
RecordQuery& everyExpense() {
    static RecordQuery q = [] {
        RecordQuery r(sample().dm, expenseQuery());
        Criteria c = r.initialCriteria("2024-12-31");
        c.untick(Criterion::Date);
        r.run(c);
        return r;
    }();
    return q;
}

void BM_ExpenseQueryPreviewFirstPage(benchmark::State& state) {
    RecordQuery& q = everyExpense();
    NoPrompts prompts;
    for (auto _ : state) {
        const Table rows = q.printRows(0, false);
        ui::ReportPreview preview(q.printLayout(), rows, prompts, {});
        preview.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(preview.currentPage());
    }
    state.counters["rows"] = static_cast<double>(q.rows().size());
}
BENCHMARK(BM_ExpenseQueryPreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return fennory::bench::runOffscreen(argc, argv);
}
