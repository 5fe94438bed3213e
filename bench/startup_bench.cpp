// From the data file to the first window on the screen (the open-book
// dialog over the main window), on the sample book of 100,000 records and,
// when FENNORY_BENCH_BOOK names one, on a larger book
// (make_sample_book FILE 1000000). "ChecksBefore" runs the whole-file check
// and the day's snapshot first, as a start did before they moved beside the
// window; "ChecksBeside" is the start as it is.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "app/main_window.h"
#include "app/screens.h"
#include "books/backup.h"
#include "books/startup_check.h"
#include "books/ui/open_book_dialog.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/ui/prompter.h"
#include "qt_bench.h"

namespace {

using namespace fennory;
using fennory::bench::NoPrompts;
namespace fs = std::filesystem;

struct SampleFile {
    fs::path dir =
        fs::temp_directory_path() / ("fennory-startup-" + std::to_string(std::random_device{}()));
    fs::path file;
    SampleFile() {
        fs::create_directories(dir);
        if (const char* given = std::getenv("FENNORY_BENCH_BOOK")) {
            file = given;
        } else {
            file = dir / "db.eac";
            writeSampleBook(file);
        }
    }
    ~SampleFile() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

SampleFile& sample() {
    static SampleFile s;
    return s;
}

void firstWindow(Database& db) {
    Session session;
    session.StartupDate = "2026-12-09";
    session.ExeFolder = sample().dir;
    TfrmDM dm(db, session);
    NoPrompts prompts;
    ui::TfrmMain window(dm, prompts);
    ui::registerScreens(window);
    window.show();
    ui::TfrmOpenBook dialog(dm, prompts, window, &window);
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.isVisible());
}

void BM_FirstWindowChecksBefore(benchmark::State& state) {
    const fs::path file = sample().file;
    for (auto _ : state) {
        const fs::path backups = sample().dir / ("before-" + std::to_string(std::rand()));
        Database db = Database::open(file);
        takeSnapshot(db, backups, "2026-12-09");
        firstWindow(db);
        state.PauseTiming();
        fs::remove_all(backups);
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
}
BENCHMARK(BM_FirstWindowChecksBefore)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FirstWindowChecksBeside(benchmark::State& state) {
    const fs::path file = sample().file;
    for (auto _ : state) {
        const fs::path backups = sample().dir / ("beside-" + std::to_string(std::rand()));
        Database db = Database::openDeferringPageCheck(file);
        StartupCheck check(db, backups, "2026-12-09");
        firstWindow(db);
        state.PauseTiming();
        check.wait();  // the work beside the window is not the window's time
        fs::remove_all(backups);
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
}
BENCHMARK(BM_FirstWindowChecksBeside)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return fennory::bench::runOffscreen(argc, argv);
}
