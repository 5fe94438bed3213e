// Every user action that writes, failed at each of its statements in turn:
// the data file must be exactly as it was before the action, every time.

#include <gtest/gtest.h>

#include <functional>

#include "bookkeeping/entries.h"
#include "bookkeeping/investments.h"
#include "bookkeeping/loans.h"
#include "bookkeeping/transfers.h"
#include "import/record_import.h"
#include "plans/plans.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class InjectedFault : public DbError {
public:
    explicit InjectedFault(std::string_view sql)
        : DbError(10, "injected fault", std::string(sql)) {}
};

// A book with a member and two accounts, set up anew for every action.
struct Book : testing::BookTest {
    using BookTest::db;
    using BookTest::dm;
    using BookTest::dump;
    void TestBody() override {}
    Book() {
        db.execute("INSERT INTO SBook(BName) VALUES(?1)", session.CurrentBook);
        dm.NewFamily("爸爸");
        addAccount("钱包", "500");
        addAccount("银行卡", "1000");
    }
    std::function<std::string()> today() {
        return [] { return std::string("2024-05-20"); };
    }
};

struct Action {
    const char* name;
    std::function<void(Book&)> setUp;  // what the book holds before the action
    std::function<void(Book&)> run;    // the action as its screen runs it
};

EntryInput income(const char* amount, const char* account = "钱包") {
    return {"2024-05-10", "工资", amount, account, "爸爸", "备注"};
}

void addIncome(Book& b) {
    EntryModel m(b.dm, incomeEntry(), b.today());
    m.refresh();
    m.startNewRecord();
    ASSERT_TRUE(m.save(income("100")).ok);
}

void addDebt(Book& b) {
    LoanModel m(b.dm, debtLoans(), b.today());
    m.refresh();
    m.startNewRecord();
    ASSERT_TRUE(m.save({"2024-05-01", "老王", "300", "钱包", "爸爸", ""}).ok);
}

void addInvestment(Book& b) {
    InvestmentModel m(b.dm, b.today());
    m.refresh();
    m.startNewRecord();
    ASSERT_TRUE(m.save({"2024-05-01", "基金", "200", "银行卡", "爸爸", ""}).ok);
}

void savePlan(Book& b) {
    PlanInput in = newPlanInput(b.dm, planKinds().front(), "2024-05-20");
    in.name = "工资";
    in.amount = "30";
    in.account = "钱包";
    in.member = "爸爸";
    in.rule.repeat = Repeat::Monthly;
    in.start = "2024-05-20";
    in.end = "2024-07-20";
    savePlans(b.dm, in);
}

const std::vector<Action>& actions() {
    static const std::vector<Action> all = {
        {"收入 新增", [](Book&) {},
         [](Book& b) {
             EntryModel m(b.dm, incomeEntry(), b.today());
             m.refresh();
             m.startNewRecord();
             EntryInput in = income("88.5", "新卡");
             in.agreedAccounts = {"新卡"};
             in.name = "稿费";
             m.save(in);
         }},
        {"收入 修改", addIncome,
         [](Book& b) {
             EntryModel m(b.dm, incomeEntry(), b.today());
             m.setScope(ListScope::All);
             ASSERT_TRUE(m.startChangeRecord());
             m.save(income("60", "银行卡"));
         }},
        {"收入 删除", addIncome,
         [](Book& b) {
             EntryModel m(b.dm, incomeEntry(), b.today());
             m.setScope(ListScope::All);
             m.remove(m.currentId());
         }},
        {"收入 全部删除",
         [](Book& b) {
             addIncome(b);
             addIncome(b);
         },
         [](Book& b) {
             EntryModel m(b.dm, incomeEntry(), b.today());
             m.setScope(ListScope::All);
             m.removeAllListed();
         }},
        {"转账 新增", [](Book&) {},
         [](Book& b) {
             TransferModel m(b.dm, b.today());
             m.refresh();
             m.startNewTransfer();
             m.save({"2024-05-10", "钱包", "银行卡", "40", "爸爸", "存钱"});
         }},
        {"债务 新增", [](Book&) {}, addDebt},
        {"还债", addDebt,
         [](Book& b) {
             LoanModel m(b.dm, debtLoans(), b.today());
             m.setScope(ListScope::All);
             m.repay({"2024-05-15", "100", "钱包", "爸爸", ""});
         }},
        {"投资 新增", [](Book&) {}, addInvestment},
        {"收益", addInvestment,
         [](Book& b) {
             InvestmentModel m(b.dm, b.today());
             m.setScope(ListScope::All);
             m.recordReturn({"2024-05-18", "200", "15", "银行卡", "爸爸", ""});
         }},
        {"计划 保存", [](Book&) {}, savePlan},
        {"计划 执行", savePlan,
         [](Book& b) {
             executePlan(b.dm, b.db.queryInt("SELECT min(ID) FROM UPlan").value_or(0));
         }},
        {"导入 收入", [](Book&) {},
         [](Book& b) {
             SheetData s;
             s.header.assign(incomeImport().headers.begin(), incomeImport().headers.end());
             s.rows = {{"2024-03-01", "工资", "100", "钱包", "爸爸", ""},
                       {"2024-03-02", "奖金", "50.5", "新账户", "妈妈", ""}};
             PreparedImport p = prepareImport(incomeImport(), s);
             ASSERT_TRUE(p.check.ok) << p.check.message;
             importRows(b.dm, incomeImport(), p.rows);
         }},
    };
    return all;
}

TEST(FaultSweep, EveryActionFailedAtEachStatementLeavesTheDataFileWholeBeforeOrAfter) {
    int pairs = 0;
    int afterCommit = 0;
    for (const Action& a : actions()) {
        // What the book holds once the action has run unhindered.
        std::string before, after;
        {
            Book b;
            a.setUp(b);
            before = b.dump();
            a.run(b);
            after = b.dump();
        }
        ASSERT_NE(after, before) << a.name << " writes nothing";
        // Fail the first statement, then the second, ... on a fresh book each
        // time, until the action runs to its end without reaching the one that
        // would fail. Before its commit nothing may stay written; after it (a
        // list read back, say) everything the action wrote stays, whole.
        for (int failAt = 1;; ++failAt) {
            Book b;
            a.setUp(b);
            const std::uint64_t commits = b.db.commits();
            int seen = 0;
            bool failed = false;
            b.db.setStatementHook([&](std::string_view sql) {
                if (++seen == failAt) {
                    failed = true;
                    throw InjectedFault(sql);
                }
            });
            try {
                a.run(b);
            } catch (const DbError&) {
            }
            b.db.setStatementHook({});
            if (!failed) {
                EXPECT_GT(failAt, 3) << a.name;
                break;
            }
            ++pairs;
            const bool committed = b.db.commits() != commits;
            afterCommit += committed ? 1 : 0;
            ASSERT_EQ(b.dump(), committed ? after : before)
                << a.name << ": failed at statement " << failAt;
            ASSERT_LT(failAt, 2000) << a.name;
        }
    }
    std::cout << "[ fault sweep ] " << actions().size() << " actions, " << pairs
              << " (action, statement) pairs failed (" << afterCommit
              << " after the commit); the data file was whole each time\n";
    EXPECT_GT(pairs, 100);
}

}  // namespace
}  // namespace fennory
