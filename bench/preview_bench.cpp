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
#include "reporting/ui/report_preview.h"
#include "reports/record_query.h"
#include "sample_book.h"

namespace {

using namespace fennory;

class NoPrompts : public ui::Prompter {
public:
    void info(const QString&, const QString&) override {}
    void warn(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return false; }
};

struct Sample {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fennory-sample-" + std::to_string(std::random_device{}()));
    int records = 0;
    Database db;
    Session session;
    TfrmDM dm;

    Sample() : db(make(dir, records)), dm(db, session) {
        session.StartupDate = "2024-12-31";
        openBook(dm, {"我家账簿", "", false, false});
    }
    ~Sample() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static Database make(const std::filesystem::path& d, int& records) {
        std::filesystem::create_directories(d);
        records = writeSampleBook(d / "db.eac");
        return Database::open(d / "db.eac");
    }
};

Sample& sample() {
    static Sample s;
    return s;
}

// Every expense, as the query lists it with no criterion ticked.
RecordQuery& everyExpense() {
    static RecordQuery q = [] {
        RecordQuery r(sample().dm, expenseQuery());
        auto c = r.initialCriteria("2024-12-31");
        for (auto& v : c) {
            v.ticked = false;
        }
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
