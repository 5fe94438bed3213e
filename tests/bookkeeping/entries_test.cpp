#include <gtest/gtest.h>

#include "bookkeeping/entries.h"
#include "bookkeeping/transfers.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Entries : public testing::BookTest {
protected:
    Entries() { today = "2024-05-20"; }
    std::function<std::string()> clock() {
        return [this] { return today; };
    }
    EntryModel income() { return EntryModel(dm, incomeEntry(), clock()); }
    EntryModel expense() { return EntryModel(dm, expenseEntry(), clock()); }
    EntryInput record(const std::string& amount, const std::string& account = "现金",
                      const std::string& date = "2024-05-10") {
        return {date, "工资", amount, account, "爸爸", "备注"};
    }
    // Saves a new record through the model as the screen would.
    EntryCheck add(EntryModel& m, const EntryInput& in) {
        m.refresh();
        m.startNewRecord();
        return m.save(in);
    }
    Rows log() {
        return rows("SELECT theE, AName, theIn, theOut, AMoney, theT FROM UList ORDER BY ID");
    }
    std::string today;
};

TEST_F(Entries, AnIncomeRaisesItsAccountAndItsDeletionTakesItBack) {
    addAccount("现金", "50");
    EntryModel m = income();
    ASSERT_TRUE(add(m, record("100")).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(150));
    EXPECT_EQ(log(), (Rows{{"新增", "现金", "1000000", "0", "1500000", "InTable"}}));
    EXPECT_EQ(m.text(EntryColumn::Amount), "100");  // the saved record is current
    m.remove(m.currentId());
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(50));
    EXPECT_EQ(log().back(),
              (std::vector<std::string>{"删除", "现金", "0", "1000000", "500000", "InTable"}));
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "0");
}

TEST_F(Entries, AnExpenseLowersItsAccountWithTheAmountOnTheOutSide) {
    addAccount("现金", "50");
    EntryModel m = expense();
    EntryInput in = record("20.5");
    in.name = "餐饮";
    ASSERT_TRUE(add(m, in).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), *Money::parse("29.5"));
    EXPECT_EQ(log(), (Rows{{"新增", "现金", "0", "205000", "295000", "OutTable"}}));
}

TEST_F(Entries, AChangeTakesTheOldEffectBackAndAppliesTheNew) {
    addAccount("A", "0");
    addAccount("B", "0");
    EntryModel m = income();
    ASSERT_TRUE(add(m, record("100", "A")).ok);
    ASSERT_TRUE(m.startChangeRecord());
    ASSERT_TRUE(m.save(record("80", "B")).ok);
    EXPECT_EQ(dm.RetAMoney("A"), Money());
    EXPECT_EQ(dm.RetAMoney("B"), Money::yuan(80));
    EXPECT_EQ(log(), (Rows{{"新增", "A", "1000000", "0", "1000000", "InTable"},
                           {"恢复", "A", "0", "1000000", "0", "InTable"},
                           {"修改", "B", "800000", "0", "800000", "InTable"}}));
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "1");
}

TEST_F(Entries, NamesTypedThatDoNotExistAreCreatedOnSave) {
    EntryModel m = income();
    // An account carries a balance: the save first asks, and writes nothing.
    const std::string before = dump();
    EntryInput in{"2024-05-10", "稿费", "30", "零钱", "小明", ""};
    EntryCheck asked = add(m, in);
    EXPECT_FALSE(asked.ok);
    EXPECT_EQ(asked.question, "账户“零钱”不存在，是否新建？");
    EXPECT_EQ(asked.message, "");
    EXPECT_EQ(asked.field, RecordField::Account);
    EXPECT_EQ(dump(), before);
    in.agreedAccounts = {asked.subject};
    ASSERT_TRUE(m.save(in).ok);
    EXPECT_EQ(rows("SELECT theType, AMoney, FName, theCount FROM SAccount"),
              (Rows{{"现金", "300000", "小明", "1"}}));
    EXPECT_EQ(rows("SELECT IName, theCount FROM InD"), (Rows{{"稿费", "1"}}));
    EXPECT_EQ(one("SELECT FName FROM SFamily"), "小明");
    // A name that differs only in letter case is the same name.
    ASSERT_TRUE(add(m, {"2024-05-10", "稿费", "5", "零钱", "小明", ""}).ok);
    addAccount("Cash", "0");
    ASSERT_TRUE(add(m, {"2024-05-11", "稿费", "5", "cash", "小明", ""}).ok);
    EXPECT_EQ(one("SELECT AName FROM InTable ORDER BY ID DESC LIMIT 1"), "Cash");
    EXPECT_EQ(dm.RetAMoney("Cash"), Money::yuan(5));
}

TEST_F(Entries, ChecksRunInOrderAndRefuseBeforeAnythingIsWritten) {
    EntryModel m = expense();
    m.refresh();
    m.startNewRecord();
    std::string before = dump();
    EntryInput in{"2024-05-10", "", "", "", "", ""};
    EXPECT_EQ(m.save(in).message, "请选择 支出类别！");
    in.name = "餐饮";
    EXPECT_EQ(m.save(in).message, "金额不能为空！请重新录入！");
    in.amount = "十块";
    EntryCheck r = m.save(in);
    EXPECT_EQ(r.message, "金额 必须是数字！请重新录入！");
    EXPECT_EQ(r.field, EntryField::Amount);
    in.amount = "10000000000";
    EXPECT_EQ(m.save(in).field, EntryField::Amount);
    in.amount = "10";
    EXPECT_EQ(m.save(in).message, "请选择 账户名称！");
    in.account = "现金";
    EXPECT_EQ(m.save(in).message, "请选择 家庭成员！");
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(m.mode(), RecordMode::New);
}

TEST_F(Entries, TheEmptyAmountOfAChangedExpenseReadsWithABlank) {
    addAccount("现金", "0");
    EntryModel m = expense();
    ASSERT_TRUE(add(m, record("10")).ok);
    ASSERT_TRUE(m.startChangeRecord());
    EntryInput in = record("");
    EXPECT_EQ(m.save(in).message, "金额 不能为空！请重新录入！");
}

TEST_F(Entries, TheOnlyThisMonthPreferencesAreApartAndTheScopesList) {
    addAccount("现金", "0");
    EntryModel seed = income();
    ASSERT_TRUE(add(seed, record("1", "现金", "2024-04-30")).ok);
    ASSERT_TRUE(add(seed, record("2", "现金", "2024-05-01")).ok);
    EntryModel out = expense();
    ASSERT_TRUE(add(out, record("3", "现金", "2024-04-02")).ok);

    session.OpenBookState.D_I = true;
    EntryModel in = income();
    in.refresh();
    EXPECT_EQ(in.rows().size(), 1u);
    EntryModel ex = expense();  // D_O is not set
    ex.refresh();
    EXPECT_EQ(ex.rows().size(), 1u);
    EXPECT_EQ(ex.text(EntryColumn::Date), "2024-04-02");

    in.setScope(ListScope::All);
    EXPECT_EQ(in.rows().size(), 2u);
    EXPECT_EQ(in.totals().sum, Money::yuan(3));
    in.setScope(ListScope::History);
    EXPECT_EQ(in.rows().size(), 1u);
    EXPECT_EQ(in.text(EntryColumn::Date), "2024-04-30");
}

TEST_F(Entries, DeleteAllAfterHistoryDeletesOnlyThoseAndTakesEachBack) {
    addAccount("现金", "0");
    EntryModel m = income();
    for (const char* d : {"2024-03-01", "2024-04-30", "2024-05-01"}) {
        ASSERT_TRUE(add(m, record("10", "现金", d)).ok);
    }
    m.setScope(ListScope::History);
    int calls = 0;
    m.removeAllListed([&](std::size_t done, std::size_t total) {
        ++calls;
        EXPECT_LE(done, total);
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(rows("SELECT IDate FROM InTable"), (Rows{{"2024-05-01"}}));
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(10));
    EXPECT_EQ(one("SELECT count(*) FROM UList WHERE theE='删除'"), "2");
    EXPECT_TRUE(m.rows().empty());
}

TEST_F(Entries, TheFilterAppliesTickedCriteriaOnly) {
    addAccount("现金", "0");
    addAccount("银行", "0");
    EntryModel m = income();
    ASSERT_TRUE(add(m, {"2024-05-10", "工资", "1", "现金", "爸爸", "午饭 50%"}).ok);
    ASSERT_TRUE(add(m, {"2024-01-10", "奖金", "2", "银行", "妈妈", "年终"}).ok);
    Criteria f = m.initialFilter();
    EXPECT_EQ(f.from(), "2024-04-20");
    EXPECT_EQ(f.to(), "2024-05-20");
    f.untick(Criterion::Date);
    m.setFilter(f);
    EXPECT_EQ(m.rows().size(), 2u);
    f.tick(Criterion::Remark, "50%");
    m.setFilter(f);
    EXPECT_EQ(m.rows().size(), 1u);
    f = Criteria().tick(Criterion::Member, "妈妈");
    m.setFilter(f);
    ASSERT_EQ(m.rows().size(), 1u);
    EXPECT_EQ(m.text(EntryColumn::Name), "奖金");
}

TEST_F(Entries, NewRecordsStartWithTheBooksDefaultsAndTheLastDate) {
    addAccount("现金", "0");
    session.OpenBookState.IName = "工资";
    session.OpenBookState.AName = "现金";
    session.OpenBookState.FName = "爸爸";
    EntryModel m = income();
    m.refresh();
    EntryInput start = m.startNewRecord();
    EXPECT_EQ(start.date, "2024-05-20");
    EXPECT_EQ(start.name, "工资");
    EXPECT_EQ(start.account, "现金");
    EXPECT_EQ(start.member, "爸爸");
    ASSERT_TRUE(m.save(record("1", "现金", "2024-05-02")).ok);
    EXPECT_EQ(m.startNewRecord().date, "2024-05-02");
}

TEST_F(Entries, AFailureHalfWayLeavesNothingWritten) {
    addAccount("现金", "0");
    // A balance the engine cannot raise any further makes the save fail after
    // the names, counts and record were written.
    db.execute("UPDATE SAccount SET AMoney=9223372036854775000");
    EntryModel m = income();
    m.refresh();
    m.startNewRecord();
    std::string before = dump();
    EXPECT_THROW(m.save({"2024-05-10", "新类别", "1", "现金", "新成员", ""}), DbError);
    EXPECT_EQ(dump(), before);
}

class Transfers : public Entries {
protected:
    TransferModel model() { return TransferModel(dm, clock()); }
    TransferCheck add(TransferModel& m, const TransferInput& in) {
        m.refresh();
        m.startNewTransfer();
        return m.save(in);
    }
    Rows log() {
        return rows("SELECT theE, AName, theIn, theOut, AMoney, theType FROM UList ORDER BY ID");
    }
};

TEST_F(Transfers, AddChangeAndDeleteMoveBothSidesWithSixPairsOfEntries) {
    addAccount("A", "500");
    addAccount("B", "0");
    addAccount("D", "0");
    TransferModel m = model();
    ASSERT_TRUE(add(m, {"2024-05-10", "A", "B", "200", "爸爸", ""}).ok);
    EXPECT_EQ(one("SELECT Remark FROM ChangeT"), " A->B");
    EXPECT_EQ(dm.RetAMoney("A"), Money::yuan(300));
    EXPECT_EQ(dm.RetAMoney("B"), Money::yuan(200));

    ASSERT_TRUE(m.startChangeTransfer());
    ASSERT_TRUE(m.save({"2024-05-11", "A", "D", "150", "爸爸", " A->B"}).ok);
    EXPECT_EQ(dm.RetAMoney("A"), Money::yuan(350));
    EXPECT_EQ(dm.RetAMoney("B"), Money());
    EXPECT_EQ(dm.RetAMoney("D"), Money::yuan(150));
    EXPECT_EQ(one("SELECT Remark FROM ChangeT"), " A->B");  // a change does not extend it

    m.remove(m.currentId());
    EXPECT_EQ(dm.RetAMoney("A"), Money::yuan(500));
    EXPECT_EQ(dm.RetAMoney("D"), Money());
    EXPECT_EQ(log(), (Rows{{"新增", "A", "0", "2000000", "3000000", "转账"},
                           {"新增", "B", "2000000", "0", "2000000", "转账"},
                           {"恢复", "A", "2000000", "0", "5000000", "转账"},
                           {"恢复", "B", "0", "2000000", "0", "转账"},
                           {"修改", "A", "0", "1500000", "3500000", "转账"},
                           {"修改", "D", "1500000", "0", "1500000", "转账"},
                           {"删除", "A", "1500000", "0", "5000000", "转账"},
                           {"删除", "D", "0", "1500000", "0", "转账"}}));
}

TEST_F(Transfers, ChecksInOrderAndTheSameAccountOnBothSidesIsRefused) {
    TransferModel m = model();
    m.refresh();
    m.startNewTransfer();
    std::string before = dump();
    TransferInput in{"2024-05-10", "", "", "", "", ""};
    EXPECT_EQ(m.save(in).message, "请选择 原账户！");
    in.from = "现金";
    EXPECT_EQ(m.save(in).message, "请选择 到账账户！");
    in.to = "现金";
    TransferCheck r = m.save(in);
    EXPECT_EQ(r.message, "到账账户 不能与 原账户 一样！请重新选择！");
    EXPECT_EQ(r.field, TransferField::To);
    in.to = "工行";
    EXPECT_EQ(m.save(in).message, "金额 不能为空！请重新录入！");
    in.amount = "x";
    EXPECT_EQ(m.save(in).message, "金额 必须是数字！请重新录入！");
    in.amount = "5";
    EXPECT_EQ(m.save(in).message, "请选择 家庭成员！");
    EXPECT_EQ(dump(), before);
}

TEST_F(Transfers, ATypedToAccountIsCreatedForTheMemberAndReceivesTheAmount) {
    addAccount("A", "100");
    TransferModel m = model();
    TransferInput in{"2024-05-10", "A", "新卡", "40", "妈妈", "存钱"};
    TransferCheck asked = add(m, in);
    EXPECT_EQ(asked.question, "账户“新卡”不存在，是否新建？");
    EXPECT_EQ(asked.field, TransferField::To);
    in.agreedAccounts = {"新卡"};
    ASSERT_TRUE(m.save(in).ok);
    EXPECT_EQ(rows("SELECT theType, FName, AMoney FROM SAccount WHERE AName='新卡'"),
              (Rows{{"现金", "妈妈", "400000"}}));
    EXPECT_EQ(one("SELECT Remark FROM ChangeT"), "存钱 A->新卡");
}

}  // namespace
}  // namespace fennory
