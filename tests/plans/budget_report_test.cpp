#include <gtest/gtest.h>

#include "plans/budget_report.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

class BudgetReportTest : public testing::BookTest {
protected:
    BudgetReportTest() {
        for (const char* name : {"餐饮", "交通", "房租", "书报"}) {
            addName("OutD", "OName", name, "");
        }
        session.CurrentBook = "家庭账簿";
    }
    void spend(const char* name, const char* amount, const char* date) {
        db.execute("INSERT INTO OutTable(BName,ODate,OName,OMoney) VALUES('家庭账簿',?1,?2,?3)",
                   date, name, *Money::parse(amount));
    }
    void budget(const char* name, int month, const char* amount) {
        BudgetYear y(dm, BudgetKind::Expense, 2026);
        ASSERT_TRUE(y.setMonth(name, month, amount).ok);
    }
    static BudgetRow row(const char* budget, const char* spent) {
        return {.name = "餐饮", .budget = *Money::parse(budget), .spent = *Money::parse(spent)};
    }
};

TEST_F(BudgetReportTest, ABarTurnsAmberAboveNineTenthsAndRedOnlyPastTheBudget) {
    EXPECT_EQ(budgetLevel(row("1000", "900")), BudgetLevel::Under);  // exactly 90 %
    EXPECT_EQ(budgetLevel(row("1000", "900.01")), BudgetLevel::Near);
    EXPECT_EQ(budgetLevel(row("1000", "1000")), BudgetLevel::Near);  // all of it, not over
    EXPECT_EQ(budgetLevel(row("1000", "1000.01")), BudgetLevel::Over);
    EXPECT_EQ(budgetLevel(row("0", "5")), BudgetLevel::None);
}

TEST_F(BudgetReportTest, TheGridTypesEveryMonthOrOneAndShowsTheYearsSum) {
    BudgetYear y(dm, BudgetKind::Expense, 2026);
    const std::size_t food = 0;
    ASSERT_EQ(y.text(food, BudgetColumn::Name), "餐饮");
    ASSERT_TRUE(y.edit(food, BudgetColumn::EveryMonth, "1,500").ok);
    EXPECT_EQ(y.text(food, BudgetColumn::EveryMonth), "1,500.00");
    EXPECT_EQ(y.text(food, BudgetColumn::Year), "18,000.00");
    ASSERT_TRUE(y.edit(food, BudgetColumn::January, "2000").ok);
    // No longer the same every month: that column is blank, the year follows.
    EXPECT_EQ(y.text(food, BudgetColumn::EveryMonth), "");
    EXPECT_EQ(y.text(food, BudgetColumn::January), "2,000.00");
    EXPECT_EQ(y.text(food, BudgetColumn::Year), "18,500.00");
    // The category and the year's sum are not typed into.
    EXPECT_FALSE(y.edit(food, BudgetColumn::Year, "1").ok);
    EXPECT_EQ(one("SELECT count(*) FROM Budget"), "12");
    EXPECT_EQ(budgetColumnCaption(BudgetColumn::December), "12月");
}

TEST_F(BudgetReportTest, OneReminderWhenASaveTakesACategoryPastItsBudget) {
    budget("餐饮", 12, "500");
    spend("餐饮", "300", "2026-12-02");
    spend("餐饮", "150", "2026-12-03");
    EXPECT_FALSE(overBudgetReminder(dm, "餐饮", "2026-12-03", *Money::parse("150")));
    spend("餐饮", "80", "2026-12-05");  // 530: past 500 by this save
    const auto r = overBudgetReminder(dm, "餐饮", "2026-12-05", *Money::parse("80"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->caption, "预算提醒");
    EXPECT_EQ(r->member, "支出类别：餐饮");
    EXPECT_EQ(r->amounts, "2026年12月预算 500.00 元，已支出 530.00 元");
    EXPECT_EQ(r->text, "已超出预算 30.00 元。");
    // Already past: the next save does not tell again.
    spend("餐饮", "10", "2026-12-06");
    EXPECT_FALSE(overBudgetReminder(dm, "餐饮", "2026-12-06", *Money::parse("10")));
    // Another month, another category, or no budget: nothing.
    spend("交通", "900", "2026-12-06");
    EXPECT_FALSE(overBudgetReminder(dm, "交通", "2026-12-06", *Money::parse("900")));
    // Turned off in the preferences: nothing either.
    spend("房租", "10", "2026-12-01");
    budget("房租", 12, "5");
    session.OpenBookState.TX_B = false;
    EXPECT_FALSE(overBudgetReminder(dm, "房租", "2026-12-01", *Money::parse("10")));
    session.OpenBookState.TX_B = true;
    EXPECT_TRUE(overBudgetReminder(dm, "房租", "2026-12-01", *Money::parse("10")));
}

TEST_F(BudgetReportTest, TheReportListsTheUnbudgetedUnderTheirHeadingAndSumsThemAll) {
    budget("餐饮", 11, "1000");
    budget("交通", 11, "200");
    spend("餐饮", "950.50", "2026-11-02");
    spend("交通", "250", "2026-11-03");
    spend("书报", "35", "2026-11-04");
    spend("书报", "99", "2026-10-31");  // another month
    BudgetReportModel m(dm);
    m.run(BudgetKind::Expense, 2026, BudgetPeriod::Month, 11, "2026-12-09");
    EXPECT_EQ(m.title(), "家庭账簿 支出预算执行表 2026年11月");
    const Table t = m.table();
    std::vector<std::string> names;
    for (std::size_t r = 0; r < t.size(); ++r) {
        names.push_back(t.text(r, 0));
    }
    // In the order the book lists its categories.
    EXPECT_EQ(names, (std::vector<std::string>{"餐饮", "交通", "未做预算：", "书报", "合计"}));
    EXPECT_EQ(t.displayText(1, 3), "-50.00");  // 交通: 50 over
    EXPECT_EQ(t.text(1, 4), "125%");
    EXPECT_EQ(t.text(0, 4), "95%");
    EXPECT_EQ(t.displayText(4, 1), "1,200.00");
    EXPECT_EQ(t.displayText(4, 2), "1,235.50");
    EXPECT_EQ(m.level(0), BudgetLevel::Near);
    EXPECT_EQ(m.level(1), BudgetLevel::Over);
    EXPECT_EQ(m.level(3), BudgetLevel::None);
    // A past month has no pace.
    EXPECT_EQ(m.paceLine(), "");
    const auto bars = m.bars();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].left.toPlain(), "49.5");
    EXPECT_TRUE(bars[1].left.isZero());

    // The sheet, read back as a spreadsheet program reads it: numbers are
    // numbers, the unbudgeted stay under their heading.
    const auto file = folder.path() / "budget.xlsx";
    writeXlsx(file, {m.sheet()});
    const XlsxSheetLayout sheet = inspectXlsx(file).at(0);
    EXPECT_EQ(sheet.cells.at(0).at(0), "家庭账簿 支出预算执行表 2026年11月");
    EXPECT_EQ(sheet.cells.at(1).at(2), "已支出");
    EXPECT_EQ(sheet.cells.at(2).at(0), "餐饮");
    EXPECT_EQ(sheet.cells.at(2).at(2), "950.5");
    EXPECT_TRUE(sheet.isNumber("C3"));
    EXPECT_TRUE(sheet.isNumber("E3"));  // 95 % as a number in a percent format
    EXPECT_EQ(sheet.style("E3").numberFormat, "0%");
    EXPECT_EQ(sheet.cells.at(4).at(0), "未做预算：");
    EXPECT_EQ(sheet.cells.at(5).at(0), "书报");
    EXPECT_EQ(sheet.cells.at(6).at(0), "合计");
    EXPECT_EQ(sheet.cells.at(6).at(2), "1235.5");

    // The printed list sums every category, the unbudgeted with them.
    const report::Pagination p = report::paginate(m.printLayout(), m.printRows(), "");
    EXPECT_EQ(p.rowCount, 3u);
    EXPECT_EQ(p.totals.at("theSpent").toPlain(), "1235.5");
    EXPECT_EQ(p.totals.at("theBudget").toPlain(), "1200");
}

TEST_F(BudgetReportTest, TheMainWindowLineSaysTheMonthsBudgetWhatWasSpentAndTheShare) {
    EXPECT_EQ(budgetMonthLine(dm, "2026-12-09"), "");  // no budget this month: no line
    budget("餐饮", 12, "1000");
    budget("交通", 12, "500");
    spend("餐饮", "600", "2026-12-02");
    spend("书报", "80", "2026-12-02");  // without a budget: not counted against it
    EXPECT_EQ(budgetMonthLine(dm, "2026-12-09"), "本月预算 1,500.00 元，已支出 600.00 元（40%）");
}

}  // namespace
}  // namespace fennory
