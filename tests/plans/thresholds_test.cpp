#include <gtest/gtest.h>

#include "plans/thresholds.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class Thresholds : public testing::BookTest {
protected:
    Thresholds() : model(dm) { model.refresh(); }
    void income(const char* member, const char* amount, const char* date = "2024-05-03") {
        db.execute("INSERT INTO InTable(BName,IDate,IMoney,FName) VALUES('家庭账簿',?1,?2,?3)",
                   date, *Money::parse(amount), member);
    }
    ThresholdCheck add(const std::string& kind, const std::string& amount,
                       const std::string& member = "爸爸") {
        model.startNew();
        return model.save({kind, member, amount, "  收入不错  "});
    }
    std::vector<Reminder> remind(const char* kind) {
        return myTX(dm, thresholdKind(kind), "2024-05");
    }
    ThresholdsModel model;
};

TEST_F(Thresholds, FireWhenTheMonthReachesTheAmountNotBelow) {
    ASSERT_TRUE(add("收入", "1000").ok);
    income("爸爸", "999.99");
    income("爸爸", "500", "2024-04-30");  // last month does not count
    EXPECT_TRUE(remind("收入").empty());
    income("爸爸", "0.01");
    auto r = remind("收入");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].caption, "爸爸 2024-05 收入 提醒");
    EXPECT_EQ(r[0].member, "爸爸：");
    EXPECT_EQ(r[0].amounts, "每月提醒金额：1,000.00，本月记账金额：1,000.00。");
    EXPECT_EQ(r[0].text, "收入不错");
    EXPECT_TRUE(remind("支出").empty());
}

TEST_F(Thresholds, AZeroThresholdAlwaysFiresAndADisabledOneNever) {
    ASSERT_TRUE(add("支出", "0").ok);
    EXPECT_EQ(remind("支出").size(), 1u);
    model.setState(model.currentId(), "停用");
    EXPECT_TRUE(remind("支出").empty());
    model.setState(model.currentId(), "启用");
    EXPECT_EQ(remind("支出").size(), 1u);
}

TEST_F(Thresholds, ADebtThresholdWatchesWhatIsStillOutstanding) {
    ASSERT_TRUE(add("债务", "1000").ok);
    for (const char* m : {"600", "500"}) {
        db.execute(
            "INSERT INTO Borrow(BName,BDate,BMoney,FName) VALUES('家庭账簿','2024-05-02',?1,"
            "'爸爸')",
            *Money::parse(m));
    }
    EXPECT_EQ(remind("债务").size(), 1u);
    db.execute("UPDATE Borrow SET BMoney=3000000 WHERE BMoney=6000000");  // 300 repaid
    EXPECT_TRUE(remind("债务").empty());
}

TEST_F(Thresholds, ChecksInOrderAndOnePerMemberAndKind) {
    model.startNew();
    std::string before = dump();
    EXPECT_EQ(model.save({"收入", "", "", ""}).message, "请选择 家庭成员！");
    EXPECT_EQ(model.save({"收入", "爸爸", "", ""}).message, "提醒金额 不能为空！请重新录入！");
    EXPECT_EQ(model.save({"收入", "爸爸", "1x", ""}).message, "提醒金额 必须是数字！请重新录入！");
    EXPECT_EQ(model.save({"收入", "爸爸", "5", "   "}).message, "提醒提示  不能为空！请重新录入！");
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(add("收入", "5").ok);
    EXPECT_EQ(add("收入", "9").message, "提醒 添加重复！");
    EXPECT_TRUE(add("支出", "9").ok);
    EXPECT_TRUE(add("收入", "9", "妈妈").ok);
    EXPECT_EQ(one("SELECT count(*) FROM UWarn"), "3");
}

TEST_F(Thresholds, AnEditChangesOnlyTheAmountAndTheText) {
    ASSERT_TRUE(add("收入", "5").ok);
    std::int64_t id = model.currentId();
    EXPECT_EQ(model.edit(id, "", "x").message, "提醒金额 不能为空！请重新录入！");
    EXPECT_EQ(model.edit(id, "7", " ").message, "提醒提示 不能为空！请重新录入！");
    ASSERT_TRUE(model.edit(id, "7.5", " 注意 ").ok);
    EXPECT_EQ(one("SELECT WMoney || ' ' || Remark || ' ' || theType FROM UWarn"),
              "75000 注意 收入");
}

}  // namespace
}  // namespace fennory
