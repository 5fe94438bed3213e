// Importing 100,000 income rows (names looked up and made, balances, records,
// log entries) into a fresh book, beside plain prepared inserts of the same
// records and log rows into the same kind of file.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/history.h"
#include "import/bills.h"
#include "import/record_import.h"
#include "import/refund_links.h"

namespace {

using namespace fennory;

constexpr int kRows = 100000;

std::vector<ImportRow> sampleRows() {
    std::mt19937 rng(5);
    const char* names[] = {"工资", "奖金", "理财收益", "红包", "兼职", "租金", "退款", "其它"};
    const char* accounts[] = {"现金", "工行卡", "支付宝", "微信"};
    const char* members[] = {"爸爸", "妈妈", "儿子"};
    std::vector<ImportRow> rows;
    for (int i = 0; i < kRows; ++i) {
        rows.push_back({static_cast<std::size_t>(i + 2),
                        fmt::format("20{:02d}-{:02d}-{:02d}", 15 + i % 10, 1 + i % 12, 1 + i % 28),
                        names[rng() % 8],
                        // Whole fen, as every imported amount is.
                        Money::fromUnits(static_cast<std::int64_t>(rng() % 100000) * 100),
                        accounts[rng() % 4], members[rng() % 3], "导入的备注"});
    }
    return rows;
}

// A new data file with one open book, for each measured run.
struct Book {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fennory-import-" + std::to_string(std::random_device{}()));
    std::unique_ptr<Database> db;
    Session session;
    std::unique_ptr<TfrmDM> dm;
    Book() {
        std::filesystem::create_directories(dir);
        db = std::make_unique<Database>(Database::create(dir / "db.eac"));
        session.StartupDate = "2024-12-31";
        dm = std::make_unique<TfrmDM>(*db, session);
        NewBookInput in;
        in.name = "我家账簿";
        createFirstBook(*dm, in);
        openBook(*dm, {"我家账簿", "", false, false});
    }
    ~Book() {
        dm.reset();
        db.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void BM_ImportIncomeRows(benchmark::State& state) {
    const std::vector<ImportRow> rows = sampleRows();
    for (auto _ : state) {
        state.PauseTiming();
        Book book;
        state.ResumeTiming();
        importRows(*book.dm, incomeImport(), rows);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ImportIncomeRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same import while the history records it, to take it back in one step.
void BM_ImportIncomeRowsWithHistory(benchmark::State& state) {
    const std::vector<ImportRow> rows = sampleRows();
    for (auto _ : state) {
        state.PauseTiming();
        Book book;
        History history(*book.db, [&book] { return book.dm->book(); });
        state.ResumeTiming();
        importRows(*book.dm, incomeImport(), rows);
        state.PauseTiming();
        state.counters["undo statements"] =
            static_cast<double>(book.db->queryInt("SELECT count(*) FROM UndoLog").value_or(0));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ImportIncomeRowsWithHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

// Taking the whole import back, and doing it again.
void BM_UndoAndRedoOfTheImport(benchmark::State& state) {
    const std::vector<ImportRow> rows = sampleRows();
    for (auto _ : state) {
        state.PauseTiming();
        Book book;
        History history(*book.db, [&book] { return book.dm->book(); });
        importRows(*book.dm, incomeImport(), rows);
        state.ResumeTiming();
        history.undo();
        state.PauseTiming();
        state.counters["redo statements"] =
            static_cast<double>(book.db->queryInt("SELECT count(*) FROM UndoLog").value_or(0));
        state.ResumeTiming();
        history.redo();
    }
}
BENCHMARK(BM_UndoAndRedoOfTheImport)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PlainInsertsOfTheSameRows(benchmark::State& state) {
    const std::vector<ImportRow> rows = sampleRows();
    for (auto _ : state) {
        state.PauseTiming();
        Book book;
        state.ResumeTiming();
        Database& db = *book.db;
        Transaction t(db);
        Statement record = db.prepare(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7)");
        Statement log = db.prepare(
            "INSERT INTO UList(theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,"
            "theID,theE) VALUES(?1,?2,?3,?4,0,?5,?4,?6,?7,'InTable',?8,'导入')");
        for (const ImportRow& r : rows) {
            record.reset();
            record.bindAll(std::string("我家账簿"), r.date, r.first, r.amount, r.second, r.member,
                           r.remark);
            record.run();
            log.reset();
            log.bindAll(r.date, r.first, r.remark, r.amount, r.second, r.member,
                        std::string("我家账簿"), db.lastInsertId());
            log.run();
        }
        t.commit();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PlainInsertsOfTheSameRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// A year of 支付宝 bills: 3,000 rows, read and previewed, then booked.
std::filesystem::path yearOfBills(const std::filesystem::path& dir) {
    std::string text =
        "交易时间,交易分类,交易对方,对方账号,商品说明,收/支,金额,收/付款方式,交易状态,交易订单号,"
        "商家订单号,备注,\n";
    const char* kinds[] = {"餐饮美食", "交通出行", "日用百货", "充值缴费", "医疗健康"};
    for (int i = 0; i < 3000; ++i) {
        text += fmt::format(
            "2024-{:02d}-{:02d} 12:00:00,{},商户{},,商品{},支出,{}.{:02d},"
            "招商银行信用卡(1234),交易成功,2024{:010d}\t,,,\n",
            1 + i % 12, 1 + i % 28, kinds[i % 5], i % 50, i, 10 + i % 90, i % 100, i);
    }
    const auto file = dir / "bills.csv";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

void BM_BillPreviewOfAYear(benchmark::State& state) {
    Book book;
    const auto file = yearOfBills(book.dir);
    BillImport bills(*book.dm);
    for (auto _ : state) {
        BillRead r = readBill(file, {});
        bills.prepare(r.bill, "爸爸");
        benchmark::DoNotOptimize(r.bill.rows.size());
    }
}
BENCHMARK(BM_BillPreviewOfAYear)->Unit(benchmark::kMillisecond);

void BM_BillBookingOfAYear(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Book book;
        const auto file = yearOfBills(book.dir);
        BillImport bills(*book.dm);
        BillRead r = readBill(file, {});
        bills.prepare(r.bill, "爸爸");
        state.ResumeTiming();
        benchmark::DoNotOptimize(bills.book(r.bill));
    }
}
BENCHMARK(BM_BillBookingOfAYear)->Unit(benchmark::kMillisecond)->Iterations(3);

// A bill made to be slow: half its rows payments to one payee on one day,
// half refunds, their IDs beginning one another. Linking each refund to its
// payment grows with the rows, not with their square.
void BM_RefundsOfACraftedBill(benchmark::State& state) {
    const auto rows = static_cast<std::size_t>(state.range(0));
    Bill bill;
    for (std::size_t i = 0; i < rows; ++i) {
        BillRow r;
        r.date = "2024-03-01";
        r.counterparty = "某某商店";
        r.amount = Money::yuan(static_cast<std::int64_t>(1 + i % 1000));
        r.txId = std::string(1 + i % 64, '7') + std::to_string(i);
        if (i % 2 == 1) {
            r.direction = BillDirection::Income;
            r.fate = BillFate::Refund;
        }
        bill.rows.push_back(std::move(r));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(refundPayments(bill));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RefundsOfACraftedBill)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
