#include <gtest/gtest.h>

#include <fmt/format.h>

#include <random>

#include "core/dates.h"
#include "period_statements.h"
#include "reports/analysis.h"
#include "reports/statistics.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

class Analyses : public testing::BookTest {
protected:
    void expense(const std::string& date, const std::string& name, const std::string& amount,
                 const std::string& account = "现金", const std::string& member = "爸爸") {
        db.execute(
            "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,'')",
            session.CurrentBook, date, name, *Money::parse(amount), account, member);
    }
    XlsxSheetLayout written(const Sheet& s) {
        const auto file = folder.path() / "out.xlsx";
        writeXlsx(file, {s});
        return inspectXlsx(file).at(0);
    }
    static std::vector<std::string> labels(const Analysis& a) {
        std::vector<std::string> out;
        for (const auto& p : a.points()) {
            out.push_back(p.label);
        }
        return out;
    }
    const MonthGroupKind& kind(const char* id) {
        for (const MonthGroupKind& k : monthGroupKinds()) {
            if (std::string(k.id) == id) {
                return k;
            }
        }
        throw std::runtime_error(id);
    }
};

TEST_F(Analyses, WithoutCriteriaEveryRecordCountsAndEmptyMonthsAreMissing) {
    expense("2024-01-05", "餐饮", "10");
    expense("2024-03-05", "交通", "20");
    expense("2019-07-01", "餐饮", "5");
    db.execute(
        "INSERT INTO OutTable(BName,ODate,OName,OMoney) VALUES('别的账簿','2024-02-01','x',10000)");
    Analysis a(dm, expenseAnalysis());
    AnalysisFilter f = Analysis::initialFilter("2024-03-31");
    EXPECT_FALSE(f.criteria.ticked(Criterion::Date));
    a.run(f);
    EXPECT_EQ(labels(a), (std::vector<std::string>{"2019-07", "2024-01", "2024-03"}));
    EXPECT_EQ(a.total()->toPlain(), "35");
    f.criteria.dates("2024-01-01", f.criteria.to());
    a.run(f);
    EXPECT_EQ(labels(a), (std::vector<std::string>{"2024-01", "2024-03"}));  // no February
    f.item = AnalysisItem::Category;
    f.criteria.tick(Criterion::Name, "餐饮");
    a.run(f);
    EXPECT_EQ(labels(a), std::vector<std::string>{"餐饮"});
    f.criteria.tick(Criterion::Name, "没有");
    a.run(f);
    EXPECT_TRUE(a.points().empty());
    EXPECT_FALSE(a.total());
    EXPECT_EQ(a.table().columns, (std::vector<std::string>{"统计的项", "金额"}));
}

TEST_F(Analyses, TheAnalysisSheetIsThePlainRowsWithTheirTotal) {
    expense("2024-01-05", "餐饮", "10");
    expense("2024-01-06", "交通", "2.5");
    Analysis a(dm, expenseAnalysis());
    AnalysisFilter f;
    f.item = AnalysisItem::Category;
    a.run(f);
    const XlsxSheetLayout x = written(a.sheet());
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-支出分析表");
    EXPECT_EQ(x.cells.at(1), (std::vector<std::string>{"序号", "统计的项", "金额"}));
    EXPECT_EQ(x.cells.at(2).at(1), "交通");
    EXPECT_TRUE(x.isNumber("C3"));
    EXPECT_EQ(x.cells.at(4), (std::vector<std::string>{"合计", "2", "12.5"}));
    EXPECT_TRUE(x.merges.empty());
    EXPECT_NEAR(x.marginBottom * 72, 360.0 / 7.0, 0.01);
}

TEST_F(Analyses, ABookWithoutRecordsGivesTheHeadingsAndAZeroGrandTotal) {
    const MonthGroupKind& k = kind("monthIncomeKind");
    const XlsxSheetLayout x = written(monthGroupSheet("家庭账簿", k, monthGroupTable(dm, k)));
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-收入月报表-按收入类别");
    EXPECT_EQ(x.cells.at(1).at(0), "序号");
    EXPECT_EQ(x.cells.at(1).at(1), "月份");
    EXPECT_EQ(x.cells.at(1).at(2), "合计");
    EXPECT_EQ(x.cells.at(2).at(1), "合计");
    EXPECT_EQ(x.cells.at(2).at(2), "0");
    EXPECT_EQ(x.cells.at(2).at(0), "");
    EXPECT_NE(std::find(x.merges.begin(), x.merges.end(), "A1:H1"), x.merges.end());
}

TEST_F(Analyses, AMonthWithSomeGroupsShowsZeroInTheOthersAndTotalsBothWays) {
    expense("2024-01-05", "餐饮", "10");
    expense("2024-01-06", "餐饮", "5");
    expense("2024-02-01", "交通", "7");
    expense("2024-02-03", "房租", "100");
    const MonthGroupKind& k = kind("monthExpenseKind");
    const MonthGroupTable t = monthGroupTable(dm, k);
    const XlsxSheetLayout x = written(monthGroupSheet("家庭账簿", k, t));
    // Three groups: the title and the borders still span A to H (blank cells
    // G and H carry only their borders).
    EXPECT_EQ(x.cells.at(1),
              (std::vector<std::string>{"序号", "月份", "交通", "房租", "餐饮", "合计"}));
    EXPECT_EQ(x.cells.at(2), (std::vector<std::string>{"1", "2024-01", "0", "0", "15", "15"}));
    EXPECT_EQ(x.cells.at(3), (std::vector<std::string>{"2", "2024-02", "7", "100", "0", "107"}));
    EXPECT_EQ(x.cells.at(4), (std::vector<std::string>{"", "合计", "7", "100", "15", "122"}));
    EXPECT_TRUE(x.style("G2").border);
    EXPECT_NE(std::find(x.merges.begin(), x.merges.end(), "A1:H1"), x.merges.end());
    EXPECT_TRUE(x.style("H5").border);
    EXPECT_TRUE(x.isNumber("C3"));
    EXPECT_EQ(x.columnWidths.at(1).second, 8);
}

TEST_F(Analyses, ManyGroupsWidenTheTablePastZ) {
    for (int n : {7, 30}) {
        db.execute("DELETE FROM OutTable");
        for (int g = 0; g < n; ++g) {
            expense("2024-01-05", fmt::format("类{:02d}", g), "1");
        }
        const MonthGroupKind& k = kind("monthExpenseKind");
        const Sheet s = monthGroupSheet("家庭账簿", k, monthGroupTable(dm, k));
        const std::string last = columnName(n + 2);
        EXPECT_EQ(last, n == 7 ? "J" : "AG");
        const XlsxSheetLayout x = written(s);
        EXPECT_NE(std::find(x.merges.begin(), x.merges.end(), "A1:" + last + "1"), x.merges.end());
        EXPECT_EQ(x.cells.at(1).at(static_cast<std::size_t>(n + 2)), "合计");
        EXPECT_TRUE(x.style(last + "4").border);
    }
}

TEST_F(Analyses, CrossTablesEqualThePerCellStatementsOnRandomBooks) {
    std::mt19937 rng(11);
    // Names differing only in letter case are one group, as the data file compares them.
    const char* names[] = {"餐饮", "Food", "food", "交通", "房租", ""};
    const char* accounts[] = {"现金", "Bank", "bank"};
    for (int i = 0; i < 500; ++i) {
        const std::string date =
            dates::fromDayNumber(dates::dayNumber("2021-01-01") + static_cast<int>(rng() % 900));
        expense(date, names[rng() % 6], std::to_string(rng() % 5000) + ".25", accounts[rng() % 3],
                rng() % 2 ? "爸爸" : "妈妈");
    }
    db.execute(
        "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName) "
        "VALUES(?1,'2022-02-02',NULL,123400,'现金',NULL)",
        session.CurrentBook);
    for (const MonthGroupKind& k : monthGroupKinds()) {
        const MonthGroupTable got = monthGroupTable(dm, k);
        const MonthGroupTable want = monthGroupByStatements(dm, k);
        const auto a = monthGroupSheet("家庭账簿", k, got).cells();
        const auto b = monthGroupSheet("家庭账簿", k, want).cells();
        ASSERT_EQ(a.size(), b.size()) << k.title;
        for (const auto& [at, cell] : a) {
            const SheetCell& other = b.at(at);
            // Which spelling of a group the data file shows is its own choice.
            EXPECT_EQ(foldedName(cell.text), foldedName(other.text))
                << k.title << " " << at.first << "," << at.second;
            EXPECT_EQ(cell.number, other.number) << k.title << " " << at.first << "," << at.second;
        }
    }
}

}  // namespace
}  // namespace fennory
