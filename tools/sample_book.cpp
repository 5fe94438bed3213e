#include "sample_book.h"

#include <fmt/format.h>

#include <random>

#include "bookkeeping/entries.h"
#include "bookkeeping/transfers.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/dates.h"
#include "reference/accounts.h"
#include "reference/family.h"

namespace fennory {

int writeSampleBook(const std::filesystem::path& file, const SampleBookSize& size) {
    Database db = Database::create(file);
    Session session;
    session.StartupDate = "2015-01-01";
    TfrmDM dm(db, session);
    NewBookInput book;
    book.name = "我家账簿";
    if (!createFirstBook(dm, book).ok || !openBook(dm, {book.name, "", false, false}).ok) {
        throw std::runtime_error("the sample book could not be made");
    }
    const char* members[] = {"爸爸", "妈妈", "儿子", "女儿"};
    for (const char* m : members) {
        saveMember(dm, {.name = m});
    }
    const char* accounts[] = {"现金",   "工行卡", "建行卡",     "招行卡", "农行卡",
                              "支付宝", "微信",   "招行信用卡", "零钱包", "公积金"};
    for (int i = 0; i < 10; ++i) {
        addAccount(dm,
                   {i < 5 ? "银行卡" : "电子账户", members[i % 4], accounts[i],
                    std::to_string(5000 + 1000 * i), ""},
                   "初始金额");
    }
    std::mt19937 rng(size.seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const auto& inKinds = myNewIn();
    const auto& outKinds = myNewOut();
    // An empty list keeps each save's reload cheap; the book is what matters.
    auto nothingListed = [] { return Criteria().dates("0000-00-00", "0000-00-00"); };
    auto today = [] { return std::string("2024-12-31"); };
    EntryModel income(dm, incomeEntry(), today);
    EntryModel expense(dm, expenseEntry(), today);
    income.setFilter(nothingListed());
    expense.setFilter(nothingListed());
    const int days = dates::dayNumber("2024-12-31") - dates::dayNumber("2015-01-01") + 1;
    Transaction t(db);
    for (int i = 0; i < size.records; ++i) {
        // Records come in date order, about 27 a day, one in five an income.
        const std::string date =
            dates::fromDayNumber(dates::dayNumber("2015-01-01") +
                                 static_cast<int>(static_cast<long>(i) * days / size.records));
        const bool isIncome = pick(5) == 0;
        EntryModel& m = isIncome ? income : expense;
        m.startNewRecord();
        const std::string name = isIncome ? inKinds[static_cast<std::size_t>(pick(14))]
                                          : outKinds[static_cast<std::size_t>(pick(36))];
        const int cents = isIncome ? 10000 + pick(800000) : 100 + pick(50000);
        const EntryCheck r =
            m.save({date, name, fmt::format("{}.{:02d}", cents / 100, cents % 100),
                    accounts[pick(10)], members[pick(4)], pick(3) == 0 ? "备注" : ""});
        if (!r.ok) {
            throw std::runtime_error("sample record refused: " + r.message);
        }
    }
    TransferModel transfers(dm, today);
    transfers.setFilter(nothingListed());
    for (int i = 0; i < size.transfers; ++i) {
        const int from = pick(10);
        const int to = (from + 1 + pick(9)) % 10;
        transfers.startNewTransfer();
        const std::string date =
            dates::fromDayNumber(dates::dayNumber("2015-01-01") +
                                 static_cast<int>(static_cast<long>(i) * days / size.transfers));
        const TransferCheck r =
            transfers.save({date, accounts[from], accounts[to], std::to_string(100 + pick(2000)),
                            members[pick(4)], ""});
        if (!r.ok) {
            throw std::runtime_error("sample transfer refused: " + r.message);
        }
    }
    t.commit();
    return size.records;
}

}  // namespace fennory
