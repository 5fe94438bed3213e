// Speed of the operations every booking runs: moving a balance with its log
// entry in one transaction, the type-ahead on a book with many names, and
// pinyin codes.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/data_module.h"
#include "core/database.h"
#include "core/pinyin.h"

namespace {

using namespace fennory;

struct BenchBook {
    std::filesystem::path dir;
    Database db;
    Session session;
    TfrmDM dm;

    static std::filesystem::path freshDir() {
        auto d = std::filesystem::temp_directory_path() /
                 ("fennory-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(d);
        return d;
    }
    BenchBook() : dir(freshDir()), db(Database::create(dir / "db.eac")), dm(db, session) {
        session.CurrentBook = "家庭账簿";
    }
    ~BenchBook() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void BM_BookingWithLogEntry(benchmark::State& state) {
    BenchBook b;
    b.db.execute("INSERT INTO SAccount(AName,BName,AMoney) VALUES('现金','家庭账簿',0)");
    for (auto _ : state) {
        Transaction t(b.db);
        b.dm.myCountUp("SAccount", "AName", "现金");
        b.dm.AccountUp(Money::yuan(12), "现金");
        b.dm.List_Add({.theDate = "2024-05-01",
                       .theType = "工资",
                       .theIn = Money::yuan(12),
                       .AName = "现金",
                       .theT = "InTable",
                       .theID = 1,
                       .theE = LogEvent::Added});
        t.commit();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BookingWithLogEntry)->Unit(benchmark::kMicrosecond);

void BM_TypeAheadOnTenThousandNames(benchmark::State& state) {
    BenchBook b;
    {
        Transaction t(b.db);
        for (int i = 0; i < 10000; ++i) {
            b.db.execute("INSERT INTO OutD(BName,OName,thePY) VALUES('家庭账簿',?1,?2)",
                         "类别" + std::to_string(i), "LB" + std::to_string(i));
        }
        t.commit();
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(b.dm.mySelectCom("LB9999", "OName", "OutD"));
    }
}
BENCHMARK(BM_TypeAheadOnTenThousandNames)->Unit(benchmark::kMicrosecond);

void BM_PinyinCode(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PinyinCode("其他日常杂项"));
    }
}
BENCHMARK(BM_PinyinCode);

}  // namespace

BENCHMARK_MAIN();
