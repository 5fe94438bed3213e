#pragma once
// What the benchmarks of screens share: the sample book opened in a temporary
// folder, a prompter that answers nothing, and a main that runs them offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <random>

#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/ui/prompter.h"
#include "sample_book.h"

namespace fennory::bench {

class NoPrompts : public ui::Prompter {
public:
    void info(const QString&, const QString&) override {}
    void warn(const QString&, const QString&) override {}
    bool ask(const QString&, const QString&) override { return false; }
};

// The sample book of 100,000 records, written once per program and opened.
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

inline Sample& sample() {
    static Sample s;
    return s;
}

inline int runOffscreen(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace fennory::bench
