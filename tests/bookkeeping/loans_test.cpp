#include <gtest/gtest.h>

#include <random>

#include "bookkeeping/investments.h"
#include "bookkeeping/loans.h"
#include "plans/thresholds.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Loans : public testing::BookTest {
protected:
    Loans() {
        addAccount("现金", "1000");
        addAccount("工行", "0");
    }
    LoanModel model(const LoanKind& k) {
        LoanModel m(dm, k, [] { return std::string("2024-05-20"); });
        m.refresh();
        return m;
    }
    void add(LoanModel& m, const std::string& amount, const std::string& account = "现金") {
        m.startNewRecord();
        ASSERT_TRUE(m.save({"2024-05-10", "张三", amount, account, "爸爸", "借"}).ok);
    }
    RepayInput pay(const std::string& amount, const std::string& account = "现金") {
        return {"2024-05-15", amount, account, "爸爸", "还"};
    }
    Rows log() {
        return rows("SELECT theType, theE, AName, theIn, theOut, theT FROM UList ORDER BY ID");
    }
};

TEST_F(Loans, ADebtBringsMoneyInAndACreditTakesItOut) {
    LoanModel debts = model(debtLoans());
    add(debts, "300");
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(1300));
    LoanModel credits = model(creditLoans());
    add(credits, "200");
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(1100));
    EXPECT_EQ(log(), (Rows{{"债务", "新增", "现金", "3000000", "0", "Borrow"},
                           {"债权", "新增", "现金", "0", "2000000", "Debt"}}));
    EXPECT_EQ(one("SELECT PName FROM PD"), "张三");  // the contact was created
}

TEST_F(Loans, ADebtWithRepaymentsCannotBeDeletedUntilTheyAreGone) {
    LoanModel m = model(debtLoans());
    add(m, "500");
    ASSERT_TRUE(m.repay(pay("200", "工行")).ok);
    EXPECT_EQ(m.checkRemove().message,
              "该债务有 已还金额，不能删除；如要删除，请先删除 还债记录。");
    Table r = m.repayments();
    ASSERT_EQ(r.size(), 1u);
    m.removeRepayment(std::stoll(r.text(0, "ID")));
    // The money goes back to the account it was paid from.
    EXPECT_EQ(dm.RetAMoney("工行"), Money());
    EXPECT_EQ(rows("SELECT BMoney, RMoney FROM Borrow"), (Rows{{"5000000", "0"}}));
    EXPECT_EQ(rows("SELECT theDate, theE, Remark, theIn FROM UList ORDER BY ID DESC LIMIT 1"),
              (Rows{{"2024-05-31", "删除", "还债 删除", "2000000"}}));
    ASSERT_TRUE(m.checkRemove().ok);
    m.remove(m.currentId());
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(1000));
    EXPECT_EQ(one("SELECT count(*) FROM Borrow"), "0");
}

TEST_F(Loans, RepayingChecksInOrderAndExactlyTheOutstandingAmountIsAccepted) {
    LoanModel m = model(debtLoans());
    add(m, "100");
    std::string before = dump();
    EXPECT_EQ(m.repay(pay("")).message, "还债金额 不能为空！");
    EXPECT_EQ(m.repay(pay("100.01")).message, "还债金额 不能大于债务金额！");
    EXPECT_EQ(m.repay(pay("0")).message, "还债金额 不能小于或等于零！");
    EXPECT_EQ(m.repay(pay("10", "")).message, "请选择 帐户名称！");
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(m.repay(pay("100")).ok);
    EXPECT_EQ(rows("SELECT BMoney, RMoney FROM Borrow"), (Rows{{"0", "1000000"}}));
    EXPECT_FALSE(m.canRepay());
    m.showLoans(LoanScope::Unpaid);
    EXPECT_TRUE(m.rows().empty());
    m.showLoans(LoanScope::Paid);
    EXPECT_EQ(m.rows().size(), 1u);
}

TEST_F(Loans, ADecreaseBelowZeroIsListedOnlyUnderAll) {
    LoanModel m = model(debtLoans());
    add(m, "100");
    ASSERT_TRUE(m.adjust(Adjustment::Decrease, pay("150")).ok);
    EXPECT_EQ(one("SELECT BMoney FROM Borrow"), "-500000");
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(950));
    EXPECT_EQ(log().back(),
              (std::vector<std::string>{"减少债务", "新增", "现金", "0", "1500000", "BList"}));
    for (LoanScope s : {LoanScope::Unpaid, LoanScope::Paid}) {
        m.showLoans(s);
        EXPECT_TRUE(m.rows().empty());
    }
    m.showLoans(LoanScope::All);
    EXPECT_EQ(m.rows().size(), 1u);
    EXPECT_EQ(m.adjustments().text(0, "增减金额"), "-150");
}

TEST_F(Loans, AnAdjustmentMovesTheOutstandingAmountOnlyAndACreditIncreaseTakesMoneyOut) {
    LoanModel m = model(creditLoans());
    add(m, "100");
    ASSERT_TRUE(m.repay(pay("30")).ok);  // a collection brings money in
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(930));
    ASSERT_TRUE(m.adjust(Adjustment::Increase, pay("50")).ok);
    EXPECT_EQ(rows("SELECT DMoney, RMoney FROM Debt"), (Rows{{"1200000", "300000"}}));
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(880));
    EXPECT_EQ(m.adjust(Adjustment::Increase, pay("5", "")).message,
              "账户名称 不能为空！请选择 账户名称！");
    EXPECT_EQ(m.adjust(Adjustment::Increase, pay("")).message, "金额 不能为空！请录入 金额！");
}

TEST_F(Loans, ChangingAPartlyRepaidDebtKeepsWhatWasRepaid) {
    LoanModel m = model(debtLoans());
    add(m, "500");
    ASSERT_TRUE(m.repay(pay("200")).ok);  // outstanding 300
    ASSERT_TRUE(m.startChangeRecord());
    ASSERT_TRUE(m.save({"2024-05-10", "张三", "400", "工行", "爸爸", "改"}).ok);
    EXPECT_EQ(rows("SELECT BMoney, RMoney, AName FROM Borrow"),
              (Rows{{"4000000", "2000000", "工行"}}));
    // 300 back out of 现金, 400 into 工行.
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(1000));
    EXPECT_EQ(dm.RetAMoney("工行"), Money::yuan(400));
}

TEST_F(Loans, TheFilterReplacesTheUnpaidOnlyFilter) {
    session.OpenBookState.D_B = true;
    LoanModel m = model(debtLoans());
    add(m, "100");
    add(m, "50");
    ASSERT_TRUE(m.repay(pay("50")).ok);  // the second is paid
    m.showLoans(LoanScope::Unpaid);
    LoanModel fresh = model(debtLoans());
    EXPECT_EQ(fresh.rows().size(), 1u);
    fresh.setFilter(Criteria().tick(Criterion::Name, "张三"));
    EXPECT_EQ(fresh.rows().size(), 2u);
}

TEST_F(Loans, AWriteOffLeavesBalancesAndTheLogUntouched) {
    LoanModel m = model(creditLoans());
    add(m, "100");
    std::string balances = one("SELECT group_concat(AMoney) FROM SAccount");
    std::string entries = one("SELECT count(*) FROM UList");
    m.writeOff(m.currentId());
    EXPECT_EQ(one("SELECT DMoney FROM Debt"), "0");
    EXPECT_EQ(one("SELECT group_concat(AMoney) FROM SAccount"), balances);
    EXPECT_EQ(one("SELECT count(*) FROM UList"), entries);
}

TEST_F(Loans, ChecksOfANewLoanInOrder) {
    LoanModel m = model(creditLoans());
    m.startNewRecord();
    std::string before = dump();
    LoanInput in{"2024-05-10", "", "", "", "", ""};
    EXPECT_EQ(m.save(in).message, "债务人 不能为空！请重新录入！");
    in.name = "李四";
    EXPECT_EQ(m.save(in).message, "债权金额 不能为空！请重新录入！");
    in.amount = "abc";
    EXPECT_EQ(m.save(in).field, LoanField::Amount);
    in.amount = "10";
    EXPECT_EQ(m.save(in).message, "请选择 账户名称！");
    in.account = "现金";
    EXPECT_EQ(m.save(in).message, "请选择 家庭成员！");
    EXPECT_EQ(dump(), before);
}

// After any mix of actions, each account's opening amount plus the log's
// movements equals its balance: the log accounts for every move.
TEST_F(Loans, TheDebtThresholdWatchesWhatIsStillOutstanding) {
    db.execute(
        "INSERT INTO UWarn(BName,theType,FName,WMoney) VALUES('家庭账簿','债务','爸爸',"
        "10000000)");
    LoanModel m = model(debtLoans());
    auto fires = [&] { return !myTX(dm, thresholdKind("债务"), "2024-05").empty(); };
    add(m, "600");
    EXPECT_FALSE(fires());
    add(m, "500");
    EXPECT_TRUE(fires());  // 600 + 500 >= 1000
    m.showLoans(LoanScope::All);
    m.setCurrentId(std::stoll(one("SELECT ID FROM Borrow WHERE BMoney=6000000")));
    ASSERT_TRUE(m.repay(pay("300")).ok);  // 300 + 500 < 1000
    EXPECT_FALSE(fires());
}

TEST_F(Loans, TheLogAccountsForEveryBalanceAfterARandomMixOfActions) {
    LoanModel debts = model(debtLoans());
    LoanModel credits = model(creditLoans());
    InvestmentModel invest(dm, [] { return std::string("2024-05-20"); });
    invest.refresh();
    std::mt19937 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char* accounts[] = {"现金", "工行"};
    for (int i = 0; i < 300; ++i) {
        if (pick(3) == 0) {
            // Investments: new ones, returns with profit or loss, their deletion,
            // adjustments and deletion of the investment itself.
            invest.showInvestments(LoanScope::All);
            const std::string amount = std::to_string(1 + pick(300));
            switch (pick(5)) {
                case 0:
                    invest.startNewRecord();
                    invest.save({"2024-05-10", "基金", amount, accounts[pick(2)], "爸爸", ""});
                    break;
                case 1:
                    if (invest.canReturn()) {
                        invest.recordReturn({"2024-05-12", std::to_string(pick(50)),
                                             std::to_string(pick(40) - 20), accounts[pick(2)],
                                             "爸爸", ""});
                    }
                    break;
                case 2:
                    if (invest.hasCurrent() && !invest.returns().empty()) {
                        invest.removeReturn(std::stoll(invest.returns().text(0, "ID")));
                    }
                    break;
                case 3:
                    if (invest.hasCurrent()) {
                        invest.adjust(pick(2) ? Adjustment::Increase : Adjustment::Decrease,
                                      pay(amount, accounts[pick(2)]));
                    }
                    break;
                case 4:
                    if (invest.checkRemove().ok) {
                        invest.remove(invest.currentId());
                    }
                    break;
            }
            continue;
        }
        LoanModel& m = pick(2) ? debts : credits;
        m.showLoans(LoanScope::All);
        const std::string amount = std::to_string(1 + pick(300));
        switch (pick(6)) {
            case 0:
                add(m, amount, accounts[pick(2)]);
                break;
            case 1:
                if (m.canRepay()) {
                    m.repay(pay("1", accounts[pick(2)]));
                }
                break;
            case 2:
                if (m.hasCurrent()) {
                    m.adjust(pick(2) ? Adjustment::Increase : Adjustment::Decrease,
                             pay(amount, accounts[pick(2)]));
                }
                break;
            case 3:
                if (m.hasCurrent() && !m.repayments().empty()) {
                    m.removeRepayment(std::stoll(m.repayments().text(0, "ID")));
                }
                break;
            case 4:
                if (m.hasCurrent() && m.checkRemove().ok) {
                    m.remove(m.currentId());
                }
                break;
            case 5:
                if (m.startChangeRecord()) {
                    m.save({"2024-05-11", "王五", amount, accounts[pick(2)], "妈妈", ""});
                }
                break;
        }
    }
    // The accounts opened with 0 and 1000 (the test's set-up writes no entry).
    EXPECT_EQ(rows("SELECT a.AName, a.AMoney - (CASE a.AName WHEN '现金' THEN 10000000 ELSE 0 END)"
                   " = (SELECT coalesce(sum(theIn) - sum(theOut), 0) FROM UList u "
                   "WHERE u.AName = a.AName) FROM SAccount a ORDER BY a.AName"),
              (Rows{{"工行", "1"}, {"现金", "1"}}));
}

}  // namespace
}  // namespace fennory
