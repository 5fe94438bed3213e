// Random sequences of every kind of action a user takes, on one book: all
// taken back must leave every table exactly as it started, all done again
// exactly as it ended, and so at any point in between.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "bookkeeping/entries.h"
#include "bookkeeping/investments.h"
#include "bookkeeping/loans.h"
#include "bookkeeping/transfers.h"
#include "books/preferences.h"
#include "core/history.h"
#include "import/bills.h"
#include "import/record_import.h"
#include "plans/plans.h"
#include "reference/accounts.h"
#include "reference/family.h"
#include "reference/name_lists.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

struct World : testing::BookTest {
    using BookTest::db;
    using BookTest::dm;
    using BookTest::folder;
    void TestBody() override {}
    World() {
        db.execute("INSERT INTO SBook(BName) VALUES(?1)", session.CurrentBook);
        db.execute("INSERT INTO SMRX(BName) VALUES(?1)", session.CurrentBook);
        session.OpenBookState.OName = "其他支出";
        dm.NewFamily("爸爸");
        addAccount("钱包", "500");
        addAccount("银行卡", "1000");
    }
    std::string book() { return dump(false); }
    std::function<std::string()> today() {
        return [] { return std::string("2024-05-20"); };
    }
    std::mt19937 random{20261209};
    int step = 0;
    std::string amount() { return fmt::format("{}.{:02d}", 1 + random() % 500, random() % 100); }
    std::string date() {
        return fmt::format("2024-{:02d}-{:02d}", 1 + random() % 5, 1 + random() % 28);
    }
    const char* account() { return random() % 2 ? "钱包" : "银行卡"; }
};

void addEntry(World& w, const EntryKind& kind, const char* name) {
    EntryModel m(w.dm, kind, w.today());
    m.refresh();
    m.startNewRecord();
    m.save({w.date(), name, w.amount(), w.account(), "爸爸", fmt::format("第{}步", w.step)});
}

void changeEntry(World& w, const EntryKind& kind) {
    EntryModel m(w.dm, kind, w.today());
    m.setScope(ListScope::All);
    if (m.startChangeRecord()) {
        m.save({w.date(), "奖金", w.amount(), w.account(), "爸爸", "改过"});
    }
}

void deleteEntry(World& w, const EntryKind& kind) {
    EntryModel m(w.dm, kind, w.today());
    m.setScope(ListScope::All);
    if (m.hasCurrent()) {
        m.remove(m.currentId());
    }
}

void deleteAllOfAMonth(World& w, const EntryKind& kind) {
    EntryModel m(w.dm, kind, w.today());
    const int month = 1 + static_cast<int>(w.random() % 5);
    m.setFilter(Criteria().dates(fmt::format("2024-{:02d}-01", month),
                                 fmt::format("2024-{:02d}-28", month)));
    m.removeAllListed();
}

void addLoan(World& w, const LoanKind& kind) {
    LoanModel m(w.dm, kind, w.today());
    m.refresh();
    m.startNewRecord();
    m.save({w.date(), w.random() % 2 ? "老王" : "小李", w.amount(), w.account(), "爸爸", ""});
}

void onLoan(World& w, const LoanKind& kind, const std::function<void(LoanModel&)>& what) {
    LoanModel m(w.dm, kind, w.today());
    m.setScope(ListScope::All);
    if (m.hasCurrent()) {
        what(m);
    }
}

RepayInput repayment(World& w) {
    return {"2024-05-15", fmt::format("{}", 1 + w.random() % 20), w.account(), "爸爸", ""};
}

void onInvestment(World& w, const std::function<void(InvestmentModel&)>& what) {
    InvestmentModel m(w.dm, w.today());
    m.setScope(ListScope::All);
    if (m.hasCurrent()) {
        what(m);
    }
}

void savePlan(World& w) {
    PlanInput in = newPlanInput(w.dm, planKinds().front(), "2024-05-20");
    in.name = "工资";
    in.amount = w.amount();
    in.account = w.account();
    in.member = "爸爸";
    in.rule.repeat = Repeat::Monthly;
    in.start = "2024-05-20";
    in.end = "2024-07-20";
    savePlans(w.dm, in);
}

void importTwo(World& w) {
    SheetData s;
    s.header.assign(incomeImport().headers.begin(), incomeImport().headers.end());
    s.rows = {{w.date(), "工资", w.amount(), "钱包", "爸爸", ""},
              {w.date(), "红包", w.amount(), "新账户", "妈妈", ""}};
    PreparedImport p = prepareImport(incomeImport(), s);
    ASSERT_TRUE(p.check.ok) << p.check.message;
    importRows(w.dm, incomeImport(), p.rows);
}

void bookABill(World& w) {
    // Orders numbered by the step, so that every bill is new to the book.
    std::string text =
        "交易时间,交易分类,交易对方,对方账号,商品说明,收/支,金额,收/付款方式,交易状态,交易订单号,"
        "商家订单号,备注,\n";
    for (int i = 0; i < 3; ++i) {
        text += fmt::format(
            "2024-04-{:02d} 12:00:00,餐饮美食,餐厅{},,午餐,支出,{},余额,交易成功,{:06d}{}\t,,,\n",
            1 + i, i, w.amount(), w.step, i);
    }
    const auto file = w.folder.path() / fmt::format("bill{}.csv", w.step);
    std::ofstream(file, std::ios::binary) << text;
    BillRead r = readBill(file, savedLayouts(w.db));
    ASSERT_TRUE(r.check.ok) << r.check.message;
    BillImport bills(w.dm);
    bills.prepare(r.bill, "爸爸");
    bills.book(r.bill);
}

void renameName(World& w, const NameListKind& kind, const char* prefix) {
    NameListModel m(w.dm, kind);
    m.refresh();
    if (m.hasCurrent()) {
        const std::string old = m.text(NameListColumn::Name);
        m.edit(m.currentId(), old, fmt::format("{}{}", prefix, w.step), "");
    }
}

void renameAccount(World& w) {
    AccountsModel m(w.dm);
    m.refresh();
    if (m.hasCurrent()) {
        AccountsModel::Edit e = m.editOfCurrent();
        e.name = fmt::format("账户{}", w.step);
        e.member = m.members().front();
        e.type = "现金";
        m.edit(e);
    }
}

void adjustBalance(World& w) {
    AccountsModel m(w.dm);
    m.refresh();
    if (m.hasCurrent()) {
        AccountsModel::Adjust a = m.adjustOfCurrent();
        a.realBalance = w.amount();
        m.adjust(a);
    }
}

void renameMember(World& w) {
    FamilyModel m(w.dm);
    m.refresh();
    if (m.startChange()) {
        m.save({fmt::format("成员{}", w.step), "父亲", "", ""});
    }
}

void deleteContact(World& w) {
    NameListModel m(w.dm, contactsList());
    m.refresh();
    if (m.hasCurrent()) {
        m.remove(m.currentId());
    }
}

void changeDefaults(World& w) {
    BookDefaults d = loadDefaults(w.dm);
    d.D_I = !d.D_I;
    d.TX_M = w.random() % 2;
    saveDefaults(w.dm, d);
}

using Action = std::function<void(World&)>;

const std::vector<std::pair<const char*, Action>>& kinds() {
    static const std::vector<std::pair<const char*, Action>> all = {
        {"收入 新增", [](World& w) { addEntry(w, incomeEntry(), "工资"); }},
        {"支出 新增", [](World& w) { addEntry(w, expenseEntry(), "食品"); }},
        {"收入 修改", [](World& w) { changeEntry(w, incomeEntry()); }},
        {"支出 删除", [](World& w) { deleteEntry(w, expenseEntry()); }},
        {"收入 全部删除", [](World& w) { deleteAllOfAMonth(w, incomeEntry()); }},
        {"转账",
         [](World& w) {
             TransferModel m(w.dm, w.today());
             m.refresh();
             m.startNewTransfer();
             m.save({w.date(), "钱包", "银行卡", w.amount(), "爸爸", "存钱"});
         }},
        {"债务 新增", [](World& w) { addLoan(w, debtLoans()); }},
        {"债权 新增", [](World& w) { addLoan(w, creditLoans()); }},
        {"还债",
         [](World& w) { onLoan(w, debtLoans(), [&](LoanModel& m) { m.repay(repayment(w)); }); }},
        {"收债",
         [](World& w) { onLoan(w, creditLoans(), [&](LoanModel& m) { m.repay(repayment(w)); }); }},
        {"债务 调整",
         [](World& w) {
             onLoan(w, debtLoans(),
                    [&](LoanModel& m) { m.adjust(Adjustment::Increase, repayment(w)); });
         }},
        {"债权 核销",
         [](World& w) {
             onLoan(w, creditLoans(), [&](LoanModel& m) { m.writeOff(m.currentId()); });
         }},
        {"投资 新增",
         [](World& w) {
             InvestmentModel m(w.dm, w.today());
             m.refresh();
             m.startNewRecord();
             m.save({w.date(), "基金", w.amount(), w.account(), "爸爸", ""});
         }},
        {"投资 收益",
         [](World& w) {
             onInvestment(w, [&](InvestmentModel& m) {
                 m.recordReturn(
                     {"2024-05-18", "1", fmt::format("{}", w.random() % 9), "银行卡", "爸爸", ""});
             });
         }},
        {"计划 保存", savePlan},
        {"计划 执行",
         [](World& w) {
             if (const auto id = w.db.queryInt("SELECT min(ID) FROM UPlan")) {
                 executePlan(w.dm, *id);
             }
         }},
        {"计划 删除",
         [](World& w) {
             PlanListModel m(w.dm);
             m.setFilter(PlanListModel::initialFilter("2024-05-20"));
             if (m.hasCurrent()) {
                 m.remove(m.currentId());
             }
         }},
        {"导入", importTwo},
        {"账单", bookABill},
        {"账户 改名", renameAccount},
        {"余额 调整", adjustBalance},
        {"支出类别 改名", [](World& w) { renameName(w, expenseKinds(), "类别"); }},
        {"往来人员 改名", [](World& w) { renameName(w, contactsList(), "人员"); }},
        {"往来人员 删除", deleteContact},
        {"家庭成员 改名", renameMember},
        {"默认项", changeDefaults},
    };
    return all;
}

TEST(HistorySweep, TwoHundredActionsOfEveryKindAreTakenBackAndDoneAgainExactly) {
    World w;
    History history(w.db, [&w] { return w.dm.book(); });
    std::vector<std::string> states{w.book()};
    std::set<std::string> kindsRecorded;
    while (states.size() <= 200) {
        ++w.step;
        const auto& [name, run] = kinds()[w.random() % kinds().size()];
        const std::size_t before = history.entries(1000).size();
        run(w);
        // An action whose checks refused it wrote nothing, and is no action.
        if (history.entries(1000).size() != before) {
            ASSERT_EQ(history.entries(1000).size(), before + 1) << name;
            states.push_back(w.book());
            kindsRecorded.insert(name);
        } else {
            ASSERT_EQ(w.book(), states.back()) << name << " wrote outside the history";
        }
    }
    for (const auto& [name, run] : kinds()) {
        EXPECT_TRUE(kindsRecorded.contains(name)) << name << " never took place";
    }

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo());
        ASSERT_EQ(w.book(), states[i - 1]) << "undo to " << i - 1;
    }
    EXPECT_FALSE(history.undo());
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo());
        ASSERT_EQ(w.book(), states[i]) << "redo to " << i;
    }
    EXPECT_FALSE(history.redo());
    // Back to random points in between, by single steps and by going to a row.
    for (int round = 0; round < 6; ++round) {
        const auto entries = history.entries(1000);
        const std::size_t back = 1 + w.random() % 60;
        const std::size_t at = states.size() - 1 - back;
        ASSERT_EQ(history.stepsTo(entries[back - 1].id), static_cast<int>(back));
        ASSERT_EQ(history.goTo(entries[back - 1].id), static_cast<int>(back));
        ASSERT_EQ(w.book(), states[at]) << "back " << back;
        for (std::size_t k = 0; k < back; ++k) {
            ASSERT_TRUE(history.redo());
            ASSERT_EQ(w.book(), states[at + k + 1]);
        }
    }
}

}  // namespace
}  // namespace fennory
