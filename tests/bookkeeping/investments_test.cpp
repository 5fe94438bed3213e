#include <gtest/gtest.h>

#include "bookkeeping/investments.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Investments : public testing::BookTest {
protected:
    Investments() : m(dm, [this] { return today; }) {
        addAccount("现金", "1000");
        m.refresh();
        m.startNewRecord();
        EXPECT_TRUE(m.save({"2024-05-01", "基金", "500", "现金", "爸爸", ""}).ok);
    }
    ReturnInput back(const std::string& principal, const std::string& profit) {
        return {"2024-05-10", principal, profit, "现金", "爸爸", "收益"};
    }
    std::string today = "2024-06-02";
    InvestmentModel m;
};

TEST_F(Investments, AnInvestmentTakesMoneyOutUnderItsCategory) {
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(500));
    EXPECT_EQ(rows("SELECT theType, theE, theOut, theT FROM UList"),
              (Rows{{"基金", "新增", "5000000", "TTable"}}));
    EXPECT_EQ(rows("SELECT TName, theCount FROM TD"), (Rows{{"基金", "1"}}));
}

TEST_F(Investments, AProfitIsBookedAsIncomeAndALossAsExpense) {
    ASSERT_TRUE(m.recordReturn(back("0", "100")).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(600));
    EXPECT_EQ(rows("SELECT TMoney, RMoney FROM TTable"), (Rows{{"5000000", "1000000"}}));
    EXPECT_EQ(rows("SELECT IName, IMoney, Remark FROM InTable"),
              (Rows{{"基金", "1000000", "投资收益"}}));
    EXPECT_EQ(one("SELECT count(*) FROM UList WHERE theT='TTableR'"), "1");

    ASSERT_TRUE(m.recordReturn(back("0", "-30")).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(570));
    EXPECT_EQ(one("SELECT RMoney FROM TTable"), "700000");
    EXPECT_EQ(rows("SELECT OName, OMoney, Remark FROM OutTable"),
              (Rows{{"基金", "300000", "投资亏损"}}));
    EXPECT_EQ(one("SELECT theIn FROM UList ORDER BY ID DESC LIMIT 1"), "-300000");
}

TEST_F(Investments, AReturnOfNothingStoresOnlyItsRow) {
    std::string log = one("SELECT count(*) FROM UList");
    ASSERT_TRUE(m.recordReturn(back("0", "0")).ok);
    EXPECT_EQ(one("SELECT count(*) FROM TTableR"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM UList"), log);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(500));
    // Even that return keeps the investment from being deleted.
    EXPECT_EQ(m.checkRemove().message, "该 投资 已有收益记录，不能删除！");
}

TEST_F(Investments, MorePrincipalThanInvestedIsAcceptedAndAFullReturnEndsReturns) {
    ASSERT_TRUE(m.recordReturn(back("600", "0")).ok);
    EXPECT_EQ(one("SELECT TMoney FROM TTable"), "-1000000");
    m.showInvestments(LoanScope::Unpaid);
    EXPECT_TRUE(m.rows().empty());
    m.showInvestments(LoanScope::All);
    ASSERT_TRUE(m.recordReturn(back("-0", "0")).ok);  // nothing more
    ASSERT_TRUE(m.adjust(Adjustment::Increase, {"2024-05-20", "100", "现金", "爸爸", ""}).ok);
    EXPECT_EQ(one("SELECT TMoney FROM TTable"), "0");
    EXPECT_FALSE(m.canReturn());
}

TEST_F(Investments, ReturnChecksInOrder) {
    EXPECT_EQ(m.recordReturn(back("", "0")).message, "收回本金 不能为空！");
    EXPECT_EQ(m.recordReturn(back("-1", "0")).message, "收回本金 不能小于零！");
    // Each says its real reason: too large, too fine, or not a number.
    EXPECT_EQ(m.recordReturn(back("10000000000", "0")).message,
              "收回本金 超出范围！金额的绝对值不能大于 9,999,999,999.99，请重新录入！");
    EXPECT_EQ(m.recordReturn(back("1", "0.001")).message, "收益金额 最多两位小数，请重新录入！");
    EXPECT_EQ(m.recordReturn(back("1", "x")).message, "收益金额 必须是数字！");
    ReturnInput in = back("1", "0");
    in.account.clear();
    EXPECT_EQ(m.recordReturn(in).message, "请选择 账户名称！");
}

TEST_F(Investments, DeletingAReturnWithAProfitOffsetsItTodayAndLogsTheMoves) {
    ASSERT_TRUE(m.recordReturn(back("200", "100")).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(800));
    const std::int64_t id = std::stoll(m.returns().text(0, "ID"));
    m.removeReturn(id);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(500));
    EXPECT_EQ(rows("SELECT TMoney, RMoney FROM TTable"), (Rows{{"5000000", "0"}}));
    EXPECT_EQ(rows("SELECT ODate, OName, OMoney, Remark FROM OutTable"),
              (Rows{{"2024-06-02", "基金", "1000000", "删除投资记录"}}));
    EXPECT_EQ(rows("SELECT theDate, theType, theE, theIn, theOut FROM UList WHERE theE='删除' "
                   "ORDER BY ID"),
              (Rows{{"2024-06-02", "收回本金", "删除", "0", "2000000"},
                    {"2024-06-02", "收益", "删除", "0", "1000000"}}));
    // The log accounts for the balance: 1000 opening, 500 out, back in, taken back.
    EXPECT_EQ(one("SELECT sum(theIn) - sum(theOut) FROM UList WHERE AName='现金'"), "-5000000");
    EXPECT_TRUE(m.checkRemove().ok);
}

TEST_F(Investments, ADecreaseBringsMoneyBackWithItsRemarkTrimmed) {
    ASSERT_TRUE(
        m.adjust(Adjustment::Decrease, {"2024-05-20", "100", "现金", "爸爸", "  赎回 "}).ok);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(600));
    EXPECT_EQ(rows("SELECT theMoney, Remark FROM TList"), (Rows{{"-1000000", "赎回"}}));
    EXPECT_EQ(one("SELECT theType FROM UList ORDER BY ID DESC LIMIT 1"), "减少投资");
}

TEST_F(Investments, TheGridStaysUsableWhileARecordIsEntered) {
    m.startNewRecord();
    EXPECT_TRUE(m.buttons().grid);
    EXPECT_TRUE(m.buttons().save);
}

}  // namespace
}  // namespace fennory
