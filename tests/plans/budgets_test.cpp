#include <gtest/gtest.h>

#include "plans/budgets.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class Budgets : public testing::BookTest {
protected:
    Budgets() {
        for (const char* name : {"餐饮", "交通", "房租"}) {
            addName("OutD", "OName", name, "");
        }
        addName("InD", "IName", "工资", "GZ");
    }
    void spend(const char* name, const char* amount, const char* date) {
        db.execute("INSERT INTO OutTable(BName,ODate,OName,OMoney) VALUES('家庭账簿',?1,?2,?3)",
                   date, name, *Money::parse(amount));
    }
    // What the records come to, by a statement of the test's own.
    std::string spentIn(const char* name, const char* from, const char* to) {
        return Money::fromUnits(
                   std::stoll(one("SELECT coalesce(sum(OMoney),0) FROM OutTable WHERE OName='" +
                                  std::string(name) + "' AND ODate BETWEEN '" + from + "' AND '" +
                                  to + "'")))
            .toPlain();
    }
    const BudgetLine& line(const BudgetYear& y, const char* name) {
        for (const BudgetLine& l : y.lines()) {
            if (l.name == name) {
                return l;
            }
        }
        throw std::runtime_error(name);
    }
    const BudgetRow* row(const std::vector<BudgetRow>& rows, const char* name) {
        for (const BudgetRow& r : rows) {
            if (r.name == name) {
                return &r;
            }
        }
        return nullptr;
    }
};

TEST_F(Budgets, AMonthOrEveryMonthOfTheYearIsSetAndABadAmountRefused) {
    BudgetYear y(dm, BudgetKind::Expense, 2026);
    ASSERT_EQ(y.lines().size(), 3u);
    ASSERT_TRUE(y.setEveryMonth("餐饮", "1500").ok);
    EXPECT_TRUE(line(y, "餐饮").sameEveryMonth());
    EXPECT_EQ(line(y, "餐饮").year().toPlain(), "18000");
    ASSERT_TRUE(y.setMonth("餐饮", 2, "3000.50").ok);  // the new year's feast
    EXPECT_FALSE(line(y, "餐饮").sameEveryMonth());
    EXPECT_EQ(line(y, "餐饮").months[1].toPlain(), "3000.5");
    EXPECT_EQ(line(y, "餐饮").months[2].toPlain(), "1500");

    EXPECT_EQ(y.setMonth("交通", 1, "一百").message, "预算金额 必须是数字！");
    EXPECT_EQ(y.setMonth("交通", 1, "-5").message, "预算金额 不能小于零！");
    EXPECT_EQ(y.setMonth("交通", 1, "1.234").message.empty(), false);
    EXPECT_EQ(one("SELECT count(*) FROM Budget WHERE theName='交通'"), "0");

    ASSERT_TRUE(y.setMonth("餐饮", 2, "").ok);  // cleared: no budget that month
    EXPECT_EQ(one("SELECT count(*) FROM Budget WHERE theName='餐饮'"), "11");
    // Another year and another book are untouched.
    EXPECT_EQ(BudgetYear(dm, BudgetKind::Expense, 2025).lines()[0].year().toPlain(), "0");
}

TEST_F(Budgets, LastYearsActualSpendingBecomesThisYearsBudget) {
    spend("餐饮", "100", "2025-01-05");
    spend("餐饮", "20.50", "2025-01-31");
    spend("交通", "300", "2025-03-01");
    spend("交通", "-400", "2025-04-01");  // a refund month: no budget
    spend("餐饮", "999", "2026-01-05");   // this year's does not count
    BudgetYear y(dm, BudgetKind::Expense, 2026);
    y.setEveryMonth("房租", "2000");
    EXPECT_EQ(y.copyLastYear(), 2);
    EXPECT_EQ(line(y, "餐饮").months[0].toPlain(), spentIn("餐饮", "2025-01-01", "2025-01-31"));
    EXPECT_EQ(line(y, "交通").months[2].toPlain(), "300");
    EXPECT_TRUE(line(y, "交通").months[3].isZero());
    EXPECT_TRUE(line(y, "房租").year().isZero());  // nothing spent on it last year
}

TEST_F(Budgets, TheReportSetsEachBudgetAgainstWhatWasSpentAndListsTheRest) {
    BudgetYear y(dm, BudgetKind::Expense, 2026);
    y.setEveryMonth("餐饮", "1000");
    y.setMonth("交通", 11, "200");
    spend("餐饮", "600", "2026-11-02");
    spend("餐饮", "333.33", "2026-11-10");
    spend("餐饮", "50", "2026-10-31");
    spend("交通", "250", "2026-11-15");
    spend("房租", "2000", "2026-11-01");
    spend("宠物", "80", "2026-11-20");

    const BudgetReport m =
        budgetExecution(dm, BudgetKind::Expense, 2026, BudgetPeriod::Month, 11, "2026-12-09");
    ASSERT_EQ(m.rows.size(), 2u);
    const BudgetRow* food = row(m.rows, "餐饮");
    ASSERT_TRUE(food);
    EXPECT_EQ(food->spent.toPlain(), spentIn("餐饮", "2026-11-01", "2026-11-30"));
    EXPECT_EQ(food->remaining().toPlain(), "66.67");
    EXPECT_NEAR(*food->used(), 0.93333, 1e-5);
    const BudgetRow* travel = row(m.rows, "交通");
    ASSERT_TRUE(travel);
    EXPECT_EQ(travel->remaining().toPlain(), "-50");  // over its budget
    EXPECT_FALSE(food->pace);                         // November is over
    // "未做预算": spent without a budget.
    ASSERT_EQ(m.unbudgeted.size(), 2u);
    EXPECT_TRUE(row(m.unbudgeted, "房租"));
    EXPECT_FALSE(row(m.unbudgeted, "宠物")->used());
    EXPECT_EQ(m.total.budget.toPlain(), "1200");
    EXPECT_EQ(m.total.spent.toPlain(), "3263.33");

    const BudgetReport q =
        budgetExecution(dm, BudgetKind::Expense, 2026, BudgetPeriod::Quarter, 4, "2026-12-09");
    EXPECT_EQ(row(q.rows, "餐饮")->budget.toPlain(), "3000");
    EXPECT_EQ(row(q.rows, "餐饮")->spent.toPlain(), spentIn("餐饮", "2026-10-01", "2026-12-31"));
    const BudgetReport year =
        budgetExecution(dm, BudgetKind::Expense, 2026, BudgetPeriod::Year, 0, "2026-12-09");
    EXPECT_EQ(row(year.rows, "餐饮")->budget.toPlain(), "12000");

    // Every month at once reads as each month alone.
    const auto months = budgetExecutionByMonth(dm, BudgetKind::Expense, 2026, 2026, "2026-12-09");
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[10].total.spent, m.total.spent);
    EXPECT_EQ(months[10].rows.size(), m.rows.size());
    EXPECT_EQ(row(months[9].rows, "餐饮")->spent.toPlain(), "50");
}

TEST_F(Budgets, TheMonthUnderWayIsCarriedToItsEndAtTodaysPace) {
    BudgetYear y(dm, BudgetKind::Expense, 2026);
    y.setMonth("餐饮", 12, "1000");
    spend("餐饮", "450", "2026-12-03");
    const BudgetReport m =
        budgetExecution(dm, BudgetKind::Expense, 2026, BudgetPeriod::Month, 12, "2026-12-09");
    const BudgetRow* food = row(m.rows, "餐饮");
    ASSERT_TRUE(food && food->pace);
    EXPECT_EQ(food->pace->toPlain(), "1550");  // 450 in 9 days of 31
    EXPECT_EQ(paceText(*food, BudgetKind::Expense), "按目前速度，月底将花费 1,550.00 元");
    EXPECT_EQ(paceText(*food, BudgetKind::Income), "按目前速度，月底将收入 1,550.00 元");
}

}  // namespace
}  // namespace fennory
