#include <gtest/gtest.h>

#include <random>

#include <fmt/format.h>

#include "core/dates.h"

#include "period_statements.h"
#include "reports/movement_query.h"
#include "reports/period_report.h"
#include "reports/statistics.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

class Reports : public testing::BookTest {
protected:
    void income(const char* date, const char* name, const char* amount,
                const char* account = "现金", const char* member = "爸爸") {
        db.execute(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,'')",
            session.CurrentBook, date, name, *Money::parse(amount), account, member);
    }
    void expense(const char* date, const char* name, const char* amount,
                 const char* account = "现金", const char* member = "爸爸") {
        db.execute(
            "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,'')",
            session.CurrentBook, date, name, *Money::parse(amount), account, member);
    }
    void logBalance(const char* account, const char* date, const char* balance) {
        db.execute(
            "INSERT INTO UList(theDate,theType,AName,AMoney,BName,theIn,theOut) "
            "VALUES(?1,'x',?2,?3,?4,0,0)",
            date, account, *Money::parse(balance), session.CurrentBook);
    }
    // The sheet as a spreadsheet application reads it back.
    XlsxSheetLayout written(const Sheet& s) {
        const auto file = folder.path() / "out.xlsx";
        writeXlsx(file, {s});
        return inspectXlsx(file).at(0);
    }
    static std::vector<std::string> column(const Table& t, int c) {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < t.size(); ++r) {
            out.push_back(t.text(r, c));
        }
        return out;
    }
    Criteria span(const std::string& from, const std::string& to) {
        return Criteria().dates(from, to);
    }
};

// ---- income against expenses ----

TEST_F(Reports, StatisticsCountThePeriodWithBothEndsAndOnlyThisBook) {
    income("2024-05-01", "工资", "100");
    income("2024-05-31", "工资", "50");
    income("2024-05-15", "奖金", "300");
    income("2024-04-30", "工资", "999");  // before the period
    db.execute(
        "INSERT INTO InTable(BName,IDate,IName,IMoney) VALUES('别的账簿','2024-05-02','工资',"
        "70000)");
    expense("2024-05-02", "餐饮", "20");

    IncomeExpenseStats stats(dm);
    StatCriteria c = IncomeExpenseStats::initialCriteria("2024-05-31");
    EXPECT_EQ(c.filter.from(), "2024-04-30");
    c.filter.dates("2024-05-01", c.filter.to());
    stats.run(c);
    const StatSide& in = stats.income();
    EXPECT_EQ(in.caption, "收入名称");
    EXPECT_EQ(in.rows.columns, (std::vector<std::string>{"收入名称", "笔数", "金额"}));
    EXPECT_EQ(column(in.rows, 0), (std::vector<std::string>{"奖金", "工资"}));  // largest first
    EXPECT_EQ(column(in.rows, 1), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(in.count, 3);
    EXPECT_EQ(in.sum->toPlain(), "450");
    EXPECT_EQ(stats.expense().caption, "支出名称");
    EXPECT_EQ(stats.expense().sum->toPlain(), "20");
}

TEST_F(Reports, StatisticsGroupByMonthAndYearOnTheDatesPrefix) {
    income("2023-12-31", "工资", "1");
    income("2024-01-01", "工资", "2");
    income("2024-01-31", "奖金", "4");
    IncomeExpenseStats stats(dm);
    StatCriteria c;
    c.filter.untick(Criterion::Date);
    c.group = StatGroup::Month;
    c.sort = StatSort::NameAsc;
    stats.run(c);
    EXPECT_EQ(stats.income().caption, "月份");
    EXPECT_EQ(column(stats.income().rows, 0), (std::vector<std::string>{"2023-12", "2024-01"}));
    c.group = StatGroup::Year;
    c.sort = StatSort::NameDesc;
    stats.run(c);
    EXPECT_EQ(column(stats.income().rows, 0), (std::vector<std::string>{"2024", "2023"}));
    EXPECT_EQ(column(stats.income().rows, 2), (std::vector<std::string>{"6", "1"}));
    c.group = StatGroup::Account;
    c.sort = StatSort::CountAsc;
    stats.run(c);
    EXPECT_EQ(stats.income().caption, "账户名称");
    c.sorted = false;
    c.group = StatGroup::Category;
    stats.run(c);
    EXPECT_EQ(stats.income().rows.size(), 2u);
}

TEST_F(Reports, AnAccountsBalanceAtTheEndIsItsLastEnteredLogEntryOnOrBeforeIt) {
    logBalance("现金", "2024-05-10", "100");
    logBalance("现金", "2024-05-03", "70");  // entered later, dated earlier
    logBalance("现金", "2024-06-01", "999");
    IncomeExpenseStats stats(dm);
    EXPECT_EQ(stats.balanceAt("现金", "2024-05-31").toPlain(), "70");
    EXPECT_EQ(stats.balanceAt("现金", "2024-05-09").toPlain(), "70");
    EXPECT_EQ(stats.balanceAt("现金", "2024-05-01").toPlain(), "0");
    EXPECT_EQ(stats.balanceAt("银行卡", "2024-12-31").toPlain(), "0");
}

TEST_F(Reports, TheStatisticsSheetHasItsFourSectionsWhereTheyBelong) {
    addAccount("现金", "0");
    addAccount("银行卡", "500");
    logBalance("现金", "2024-05-20", "300");
    logBalance("银行卡", "2024-05-20", "100");
    expense("2024-05-02", "餐饮", "20");
    expense("2024-05-03", "交通", "30");  // no income at all in the period
    IncomeExpenseStats stats(dm);
    StatCriteria c = IncomeExpenseStats::initialCriteria("2024-05-31");
    stats.run(c);
    ASSERT_FALSE(stats.income().sum);
    const XlsxSheetLayout x = written(stats.sheet());
    auto cell = [&](int row, int col) { return x.cells.at(row - 1).at(col); };
    // n1 = 0, n2 = 2, n3 = 2
    EXPECT_EQ(cell(1, 0), "家庭账簿-收支统计表（2024-04-30至2024-05-31）");
    EXPECT_EQ(cell(2, 0), "收入");
    EXPECT_EQ(cell(3, 1), "收入名称");
    EXPECT_EQ(cell(4, 0), "合计");
    EXPECT_EQ(cell(6, 0), "支出");
    EXPECT_EQ(cell(7, 1), "支出名称");
    EXPECT_EQ(cell(8, 1), "交通");
    EXPECT_TRUE(x.isNumber("E8"));
    EXPECT_EQ(x.style("E8").numberFormat, kPercentFormat);
    EXPECT_EQ(cell(10, 0), "合计");
    EXPECT_EQ(cell(10, 3), "50");
    EXPECT_EQ(cell(12, 0), "结余");
    EXPECT_EQ(cell(13, 3), "支出减收入");
    EXPECT_EQ(cell(14, 3), "-50");  // income first, whatever the heading says
    EXPECT_EQ(cell(14, 4), "0");    // no income: no share
    EXPECT_EQ(cell(16, 0), "账户");
    EXPECT_EQ(cell(18, 1), "现金  银行卡");  // by today's balance, at the period's end
    EXPECT_EQ(cell(18, 3), "100");
    EXPECT_EQ(cell(19, 3), "300");
    EXPECT_EQ(cell(19, 4), "0.75");
    EXPECT_EQ(cell(20, 0), "合计");
    EXPECT_EQ(cell(20, 3), "400");
    for (const char* m : {"A1:E1", "A2:E2", "A6:E6", "A12:E12", "A13:C13", "A14:C14", "A16:E16"}) {
        EXPECT_NE(std::find(x.merges.begin(), x.merges.end(), m), x.merges.end()) << m;
    }
    EXPECT_EQ(x.columnWidths.at(1).second, 40);
    EXPECT_TRUE(x.style("E10").border);
    EXPECT_FALSE(x.style("A11").border);
    EXPECT_TRUE(x.style("D20").border);
    EXPECT_EQ(x.style("A1").halign, "center");
    EXPECT_NEAR(x.marginBottom * 72, 360.0 / 7.0, 0.01);
    EXPECT_NE(x.footer.find("&P"), std::string::npos);
}

// ---- the monthly and yearly reports ----

TEST_F(Reports, PeriodCountsFollowTheWholeSpansOfTheDistance) {
    const PeriodKind& m = monthlyReport();
    const PeriodKind& y = yearlyReport();
    EXPECT_EQ(periodKeys(m, "2024-01-31", "2024-03-01"), std::vector<std::string>{"2024-01"});
    EXPECT_EQ(periodKeys(m, "2023-01-01", "2023-12-01").size(), 11u);
    EXPECT_EQ(periodKeys(m, "2023-01-01", "2023-12-31").size(), 12u);
    EXPECT_EQ(periodKeys(m, "2024-05-09", "2024-05-09"), std::vector<std::string>{"2024-05"});
    EXPECT_EQ(periodKeys(y, "2009-01-01", "2010-01-01"), std::vector<std::string>{"2009"});
    EXPECT_EQ(periodKeys(y, "2008-01-01", "2009-01-01"),
              (std::vector<std::string>{"2008", "2009"}));
    EXPECT_TRUE(periodKeys(m, "2024-02-01", "2024-01-31").empty());
}

TEST_F(Reports, TheDefaultSpansAreTwelveMonthsAndTwoYearsEndingNow) {
    PeriodReport monthly(dm, monthlyReport());
    Criteria f = monthly.initialFilter("2024-05-15");
    EXPECT_EQ(f.from(), "2023-06-01");
    EXPECT_EQ(f.to(), "2024-05-31");
    ASSERT_TRUE(monthly.run(f).ok);
    ASSERT_EQ(monthly.rows().size(), 12u);
    EXPECT_EQ(monthly.rows().back().key, "2024-05");
    PeriodReport yearly(dm, yearlyReport());
    f = yearly.initialFilter("2024-05-15");
    EXPECT_EQ(f.from(), "2023-01-01");
    EXPECT_EQ(f.to(), "2024-12-31");
    ASSERT_TRUE(yearly.run(f).ok);
    ASSERT_EQ(yearly.rows().size(), 2u);
    EXPECT_EQ(yearly.table().columns.front(), "年份");
}

TEST_F(Reports, AMonthOfExpensesOnlyHasNoShareAndANegativeBalance) {
    income("2024-01-05", "工资", "400");
    expense("2024-01-06", "餐饮", "100");
    expense("2024-02-06", "餐饮", "30");
    PeriodReport r(dm, monthlyReport());
    std::vector<std::size_t> progress;
    ASSERT_TRUE(r.run(span("2024-01-01", "2024-03-31"), [&](std::size_t done, std::size_t) {
                     progress.push_back(done);
                 }).ok);
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2, 3}));
    const auto& rows = r.rows();
    EXPECT_DOUBLE_EQ(rows[0].share, 0.25);
    EXPECT_EQ(rows[1].balance.toPlain(), "-30");
    EXPECT_EQ(rows[1].share, 0.0);
    EXPECT_EQ(rows[2].incomeCount + rows[2].expenseCount, 0);
    EXPECT_EQ(r.totals().periods, 3u);
    EXPECT_EQ(r.totals().balance.toPlain(), "270");
    EXPECT_EQ(one("SELECT group_concat(theDate||':'||(theJY/10000)||':'||theBC, ' ') FROM SZTable"),
              "2024-01:300:0.25 2024-02:-30:0.0 2024-03:0:0.0");
}

TEST_F(Reports, AWrongSpanLeavesTheLastRunAsItWas) {
    income("2024-01-05", "工资", "400");
    PeriodReport r(dm, monthlyReport());
    ASSERT_TRUE(r.run(span("2024-01-01", "2024-01-31")).ok);
    const std::string before = one("SELECT group_concat(theDate||theSM) FROM SZTable");
    EXPECT_EQ(r.run(span("2024-02-01", "2024-01-31")).message, "日期选择错误，请重新选择！");
    EXPECT_EQ(one("SELECT group_concat(theDate||theSM) FROM SZTable"), before);
    EXPECT_EQ(r.rows().size(), 1u);
}

TEST_F(Reports, AnAccountRestrictsBothSides) {
    income("2024-01-05", "工资", "400", "银行卡");
    income("2024-01-05", "工资", "1", "现金");
    expense("2024-01-06", "餐饮", "100", "银行卡");
    expense("2024-01-06", "餐饮", "2", "现金");
    PeriodReport r(dm, monthlyReport());
    Criteria f = span("2024-01-01", "2024-01-31");
    f.tick(Criterion::Account, "银行卡");
    f.untick(Criterion::Date);  // the span applies all the same
    ASSERT_TRUE(r.run(f).ok);
    ASSERT_EQ(r.rows().size(), 1u);
    EXPECT_EQ(r.rows()[0].incomeSum.toPlain(), "400");
    EXPECT_EQ(r.rows()[0].expenseCount, 1);
}

TEST_F(Reports, GroupedReportsEqualThePeriodByPeriodStatementsOnRandomBooks) {
    std::mt19937 rng(7);
    const char* accounts[] = {"现金", "银行卡"};
    const char* members[] = {"爸爸", "妈妈"};
    for (int i = 0; i < 600; ++i) {
        const std::string date =
            dates::fromDayNumber(dates::dayNumber("2020-01-01") + static_cast<int>(rng() % 1500));
        const std::string amount =
            std::to_string(rng() % 100000) + "." + std::to_string(rng() % 100);
        const char* a = accounts[rng() % 2];
        const char* m = members[rng() % 2];
        if (rng() % 2) {
            income(date.c_str(), "工资", amount.c_str(), a, m);
        } else {
            expense(date.c_str(), "餐饮", amount.c_str(), a, m);
        }
    }
    for (int trial = 0; trial < 12; ++trial) {
        const PeriodKind& kind = trial % 3 == 0 ? yearlyReport() : monthlyReport();
        std::string from =
            dates::fromDayNumber(dates::dayNumber("2019-10-01") + static_cast<int>(rng() % 900));
        std::string to = dates::addDays(from, static_cast<int>(rng() % 1200));
        Criteria f = span(from, to);
        f.set(Criterion::Account, {.ticked = rng() % 2 == 1, .text = accounts[rng() % 2]});
        f.set(Criterion::Member, {.ticked = rng() % 2 == 1, .text = members[rng() % 2]});
        PeriodReport r(dm, kind);
        ASSERT_TRUE(r.run(f).ok);
        const auto expected = periodRowsByStatements(dm, kind, f);
        ASSERT_EQ(r.rows().size(), expected.size()) << from << " " << to;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(r.rows()[i].key, expected[i].key);
            EXPECT_EQ(r.rows()[i].incomeSum, expected[i].incomeSum);
            EXPECT_EQ(r.rows()[i].incomeCount, expected[i].incomeCount);
            EXPECT_EQ(r.rows()[i].expenseSum, expected[i].expenseSum);
            EXPECT_EQ(r.rows()[i].expenseCount, expected[i].expenseCount);
            EXPECT_EQ(r.rows()[i].balance, expected[i].balance);
            EXPECT_DOUBLE_EQ(r.rows()[i].share, expected[i].share);
        }
        EXPECT_EQ(one("SELECT count(*) FROM SZTable"), std::to_string(expected.size()));
    }
}

TEST_F(Reports, TheMonthlySheetListsEveryPeriodWithItsTotals) {
    income("2024-01-05", "工资", "400");
    expense("2024-02-06", "餐饮", "100");
    PeriodReport r(dm, monthlyReport());
    ASSERT_TRUE(r.run(span("2024-01-01", "2024-02-29")).ok);
    const XlsxSheetLayout x = written(r.sheet());
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-收支月报表");
    EXPECT_EQ(x.cells.at(1),
              (std::vector<std::string>{"序号", "月份", "收入金额", "收入笔数", "支出金额",
                                        "支出笔数", "结余金额", "支出占收入"}));
    EXPECT_EQ(x.cells.at(2).at(1), "2024-01");
    EXPECT_EQ(x.cells.at(3).at(6), "-100");
    EXPECT_EQ(x.cells.at(4).at(0), "合计");
    EXPECT_EQ(x.cells.at(4).at(6), "300");
    EXPECT_TRUE(x.isNumber("D3"));
    EXPECT_TRUE(x.style("H5").border);
    EXPECT_EQ(x.style("B2").halign, "center");
    EXPECT_EQ(x.columnWidths.at(7).second, 12);  // the bold heading "支出占收入" fits
}

// How a spreadsheet shows a cell of the file: "#,##0.00" with separators.
std::string asShown(const XlsxSheetLayout& x, int row, int col) {
    const std::string raw =
        x.cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
    const std::string ref = columnName(col) + std::to_string(row + 1);
    const std::string format = x.style(ref).numberFormat;
    if (!x.isNumber(ref) || raw.empty() || format.empty()) {
        return raw;
    }
    const Money m = *Money::parseToFen(fmt::format("{:.6f}", std::stod(raw)));
    return format == kMoneyFormat ? m.toDisplay() : m.toFixed2();
}

TEST_F(Reports, EveryColumnOfTheYearlySheetIsWideEnoughForItsLongestValue) {
    for (int y = 2015; y <= 2024; ++y) {
        const std::string date = std::to_string(y) + "-06-30";
        for (int i = 0; i < 9; ++i) {
            income(date.c_str(), "工资", "9999999999.99");
        }
        expense(date.c_str(), "餐饮", "8311226.24");
    }
    PeriodReport r(dm, yearlyReport());
    ASSERT_TRUE(r.run(span("2015-01-01", "2024-12-31")).ok);
    const XlsxSheetLayout x = written(r.sheet());
    ASSERT_EQ(x.cells.size(), 13u);  // title, heading, ten years, totals
    EXPECT_EQ(asShown(x, 12, 2), "899,999,999,999.10");
    for (int col = 0; col < static_cast<int>(x.cells.at(1).size()); ++col) {
        double longest = 0;
        for (int row = 1; row < static_cast<int>(x.cells.size()); ++row) {
            longest = std::max(longest, textWidth(asShown(x, row, col)));
        }
        double width = 8.43;  // what a column nobody sized has
        for (auto [c, w] : x.columnWidths) {
            if (c == col) {
                width = w;
            }
        }
        EXPECT_GE(width, longest + 1) << "column " << columnName(col);
    }
}

// ---- debts and credits ----

TEST_F(Reports, ARepaidCreditorComesLastWithNothingOutstanding) {
    for (auto [date, party, money] : {std::tuple{"2024-05-01", "老王", "0"},
                                      {"2024-05-02", "老李", "50"},
                                      {"2024-05-03", "老李", "25"},
                                      {"2023-01-01", "老张", "9"}}) {
        db.execute(
            "INSERT INTO Borrow(BName,BDate,BPro,BMoney,AName,FName) VALUES(?1,?2,?3,?4,'现金',"
            "'爸爸')",
            session.CurrentBook, date, party, *Money::parse(money));
    }
    for (int i = 0; i < 5; ++i) {
        db.execute(
            "INSERT INTO Debt(BName,DDate,DPro,DMoney,AName,FName) VALUES(?1,'2024-05-05',?2,?3,"
            "'现金','爸爸')",
            session.CurrentBook, "欠" + std::to_string(i), Money::yuan(i + 1));
    }
    LoanStats stats(dm);
    stats.run(LoanStats::initialFilter("2024-05-31"));
    EXPECT_EQ(column(stats.debts().rows, 0), (std::vector<std::string>{"老李", "老王"}));
    EXPECT_EQ(column(stats.debts().rows, 2), (std::vector<std::string>{"75", "0"}));
    EXPECT_EQ(stats.debts().count, 3);
    EXPECT_EQ(column(stats.credits().rows, 0).front(), "欠4");

    const XlsxSheetLayout x = written(stats.sheet());
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-债务债权统计表（2024-04-30至2024-05-31）");
    // Two creditors and five debtors: the totals are on row 8.
    EXPECT_EQ(x.cells.at(7).at(0), "合计");
    EXPECT_EQ(x.cells.at(7).at(1), "2");
    EXPECT_EQ(x.cells.at(7).at(3), "75");
    EXPECT_EQ(x.cells.at(7).at(5), "5");
    EXPECT_EQ(x.cells.at(7).at(7), "15");
    EXPECT_EQ(x.cells.at(4).at(0), "");
    EXPECT_EQ(x.cells.at(6).at(4), "5");
    EXPECT_TRUE(x.style("A2").bold);
    EXPECT_TRUE(x.style("H8").border);

    Criteria all;
    stats.run(all);
    EXPECT_EQ(stats.debts().count, 4);
}

// ---- repayments, collections and returns ----

TEST_F(Reports, MovementsAreFoundByTheirOwnAccountAndTheirLoansParty) {
    db.execute(
        "INSERT INTO Borrow(ID,BName,BDate,BPro,BMoney,AName,FName) VALUES(1,?1,'2024-05-01',"
        "'老王',0,'现金','爸爸'),(2,?1,'2024-05-01','老李',0,'现金','爸爸')",
        session.CurrentBook);
    auto repay = [&](int loan, const char* date, const char* amount, const char* account) {
        db.execute(
            "INSERT INTO BorrowR(BID,RDate,RMoney,AName,FName,Remark,BName) "
            "VALUES(?1,?2,?3,?4,'爸爸','还款',?5)",
            loan, date, *Money::parse(amount), account, session.CurrentBook);
    };
    repay(1, "2024-05-10", "30", "银行卡");  // the debt was booked to 现金
    repay(1, "2024-05-11", "20", "现金");
    repay(2, "2024-05-12", "99", "银行卡");
    MovementQuery q(dm, repaymentQuery());
    MovementFilter f = MovementQuery::initialFilter("2024-05-31");
    f.criteria.tick(Criterion::Account, "银行卡");
    f.sort = MovementSort::Amount;
    f.descending = true;
    q.run(f);
    EXPECT_EQ(q.rows().columns, (std::vector<std::string>{"账薄名称", "日期", "债权人", "还债金额",
                                                          "账户名称", "家庭成员", "备注"}));
    EXPECT_EQ(column(q.rows(), 2), (std::vector<std::string>{"老李", "老王"}));
    EXPECT_EQ(q.total()->toPlain(), "129");
    f.criteria.tick(Criterion::Name, "老王");
    q.run(f);
    EXPECT_EQ(column(q.rows(), 3), std::vector<std::string>{"30"});

    const XlsxSheetLayout x = written(q.sheet());
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-还债表（2024-04-30至2024-05-31）");
    EXPECT_EQ(x.cells.at(1).at(3), "还债金额");
    EXPECT_EQ(x.cells.at(2).at(2), "老王");
    EXPECT_EQ(x.cells.at(3).at(0), "合计");
    EXPECT_EQ(x.cells.at(3).at(3), "30");
    EXPECT_TRUE(x.style("G4").border);

    f.criteria.tick(Criterion::Name, "没有的人");
    q.run(f);
    EXPECT_TRUE(q.rows().empty());
    EXPECT_FALSE(q.total());
    const XlsxSheetLayout empty = written(q.sheet());
    EXPECT_EQ(empty.cells.at(2).at(0), "合计");
    EXPECT_EQ(empty.cells.at(2).at(1), "0");
}

TEST_F(Reports, ALossListsANegativeReturnAndLowersTheTotal) {
    db.execute(
        "INSERT INTO TTable(ID,BName,TDate,TName,TMoney,AName,FName) VALUES(1,?1,'2024-05-01',"
        "'基金',1000000,'现金','爸爸')",
        session.CurrentBook);
    for (const char* profit : {"50", "-80"}) {
        db.execute(
            "INSERT INTO TTableR(TID,RDate,RMoney,SMoney,AName,FName,Remark,BName) "
            "VALUES(1,'2024-05-20',100000,?1,'现金','爸爸','',?2)",
            *Money::parse(profit), session.CurrentBook);
    }
    MovementQuery q(dm, returnQuery());
    q.run(MovementQuery::initialFilter("2024-05-31"));
    EXPECT_EQ(q.rows().columns.at(2), "投资类别");
    EXPECT_EQ(q.rows().columns.at(4), "帐户名称");
    EXPECT_EQ(column(q.rows(), 3), (std::vector<std::string>{"50", "-80"}));
    EXPECT_EQ(q.total()->toPlain(), "-30");
    EXPECT_EQ(movementSortCaptions(collectionQuery()),
              (std::vector<std::string>{"日期", "债务人", "收债金额", "帐户名称", "家庭成员"}));
}

}  // namespace
}  // namespace fennory
