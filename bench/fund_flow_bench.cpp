// The fund-flow log on a book of a hundred thousand entries: the query that
// fills the list and its totals, and a sort by a column title in memory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/data_module.h"
#include "core/database.h"
#include "reports/fund_flow.h"

#include <fmt/format.h>

namespace {

using namespace fennory;

constexpr int kEntries = 100000;

struct BigBook {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fennory-bench-" + std::to_string(std::random_device{}()));
    Database db;
    Session session;
    TfrmDM dm;

    BigBook() : db(make(dir)), dm(db, session) {
        session.CurrentBook = "家庭账簿";
        Transaction t(db);
        Statement s = db.prepare(
            "INSERT INTO UList(theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,"
            "theID,theE) VALUES(?1,?2,?3,?4,0,?5,?6,'爸爸','家庭账簿','InTable',?7,'新增')");
        for (int i = 0; i < kEntries; ++i) {
            s.reset();
            s.bindAll(fmt::format("2024-{:02d}-{:02d}", 1 + i % 12, 1 + i % 28),
                      i % 3 ? "餐饮" : "工资", "备注 " + std::to_string(i), Money::yuan(i % 500),
                      i % 2 ? "现金" : "银行卡", Money::yuan(i), static_cast<std::int64_t>(i));
            s.run();
        }
        t.commit();
    }
    ~BigBook() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static Database make(const std::filesystem::path& d) {
        std::filesystem::create_directories(d);
        return Database::create(d / "db.eac");
    }
};

BigBook& book() {
    static BigBook b;
    return b;
}

void BM_FundFlowQueryAllEntries(benchmark::State& state) {
    FundFlowLog log(book().dm);
    for (auto _ : state) {
        log.query(FundFlowCriteria{});
        benchmark::DoNotOptimize(log.list().rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_FundFlowQueryAllEntries)->Unit(benchmark::kMillisecond);

void BM_FundFlowQueryOneMonthOfOneAccount(benchmark::State& state) {
    FundFlowLog log(book().dm);
    FundFlowCriteria c;
    c.criteria.dates("2024-03-01", "2024-03-31").tick(Criterion::Account, "现金");
    for (auto _ : state) {
        log.query(c);
        benchmark::DoNotOptimize(log.list().rows.data());
    }
}
BENCHMARK(BM_FundFlowQueryOneMonthOfOneAccount)->Unit(benchmark::kMillisecond);

void BM_SortListByRemark(benchmark::State& state) {
    FundFlowLog log(book().dm);
    log.query(FundFlowCriteria{});
    const int col = log.list().column("摘要");
    for (auto _ : state) {
        Table t = log.list();
        sortRows(t, col, true);
        benchmark::DoNotOptimize(t.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_SortListByRemark)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
