#include <gtest/gtest.h>

#include "reports/record_query.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

class RecordQueries : public testing::BookTest {
protected:
    void income(const char* date, const char* name, const char* amount, const char* account,
                const char* member, const char* remark) {
        db.execute(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7)",
            session.CurrentBook, date, name, *Money::parse(amount), account, member, remark);
    }
    std::vector<std::string> column(const RecordQuery& q, const char* caption) {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < q.rows().size(); ++r) {
            out.push_back(q.rows().text(r, caption));
        }
        return out;
    }
    // Every criterion unticked but the dates, which cover everything.
    Criteria everything(const RecordQuery& q) {
        Criteria c = q.initialCriteria("2024-05-31");
        if (c.ticked(Criterion::Date)) {
            c.dates("2000-01-01", c.to());
        }
        return c;
    }
};

TEST_F(RecordQueries, EveryMemberOpensOnTheMonthWithOnlyItsDatesTicked) {
    for (const QueryKind* k : {&incomeQuery(), &expenseQuery(), &transferQuery(), &debtQuery(),
                               &creditQuery(), &investmentQuery(), &accountQuery()}) {
        RecordQuery q(dm, *k);
        auto c = q.initialCriteria("2024-03-31");
        for (const CriterionDef& d : k->criteria) {
            const bool dates = d.input == CriterionInput::Dates;
            EXPECT_EQ(c.ticked(d.id), dates) << k->caption << d.caption;
            if (dates) {
                EXPECT_EQ(c.from(), "2024-02-29");
                EXPECT_EQ(c.to(), "2024-03-31");
            }
        }
    }
}

TEST_F(RecordQueries, IncomeCriteriaApplyOnlyWhenTickedAndTogether) {
    income("2024-05-01", "工资", "100", "现金", "爸爸", "五月工资");
    income("2024-05-02", "工资", "200", "银行卡", "妈妈", "");
    income("2024-05-03", "奖金", "300", "银行卡", "爸爸", "年终");
    income("2024-03-03", "工资", "999", "银行卡", "爸爸", "上上月");
    RecordQuery q(dm, incomeQuery());
    auto c = q.initialCriteria("2024-05-31");
    c.set(Criterion::Name, {.text = "工资"});  // typed but not ticked
    q.run(c);
    EXPECT_EQ(q.totals().count, 3u);
    c.tick(Criterion::Name, "工资");
    c.tick(Criterion::Account, "银行卡");
    q.run(c);
    EXPECT_EQ(column(q, "金额"), std::vector<std::string>{"200"});
    EXPECT_EQ(q.totalTexts(), (std::vector<std::string>{"笔数：1", "合计金额：200.00"}));
    c.untick(Criterion::Date);
    q.run(c, 2, true);  // by amount, descending
    EXPECT_EQ(column(q, "金额"), (std::vector<std::string>{"999", "200"}));
    c.tick(Criterion::Member, "没有的人");
    q.run(c);
    EXPECT_EQ(q.totalTexts(), (std::vector<std::string>{"笔数：0", "合计金额："}));
    EXPECT_EQ(q.hiddenColumns(), std::vector<int>{0});
}

TEST_F(RecordQueries, AnEmptyRemarkMatchesEveryRemarkAndATextAnywhereInIt) {
    income("2024-05-01", "工资", "1", "现金", "爸爸", "五月工资");
    income("2024-05-02", "工资", "2", "现金", "爸爸", "");
    income("2024-05-03", "工资", "4", "现金", "爸爸", "100%");
    db.execute(
        "INSERT INTO InTable(BName,IDate,IName,IMoney,Remark) VALUES(?1,'2024-05-04','工资',"
        "80000,NULL)",
        session.CurrentBook);
    RecordQuery q(dm, incomeQuery());
    auto c = q.initialCriteria("2024-05-31");
    c.tick(Criterion::Remark, "");
    q.run(c);
    EXPECT_EQ(q.totals().count, 3u);  // not the one without a remark
    c.tick(Criterion::Remark, "工资");
    q.run(c);
    EXPECT_EQ(column(q, "备注"), std::vector<std::string>{"五月工资"});
    c.tick(Criterion::Remark, "%");
    q.run(c);
    EXPECT_EQ(column(q, "备注"), std::vector<std::string>{"100%"});
}

TEST_F(RecordQueries, TransfersComeNewestFirst) {
    for (const char* d : {"2024-05-02", "2024-05-09", "2024-05-05"}) {
        db.execute(
            "INSERT INTO ChangeT(BName,CDate,OldN,NewN,CMoney,FName,Remark) "
            "VALUES(?1,?2,'现金','银行卡',10000,'爸爸','')",
            session.CurrentBook, d);
    }
    RecordQuery q(dm, transferQuery());
    q.run(q.initialCriteria("2024-05-31"));
    EXPECT_EQ(column(q, "日期"),
              (std::vector<std::string>{"2024-05-09", "2024-05-05", "2024-05-02"}));
    EXPECT_EQ(q.totalTexts().back(), "合计金额：3.00");
}

TEST_F(RecordQueries, TheAccountQueryIgnoresAccountsNotInUseAlsoInItsTotal) {
    addAccount("现金", "100");
    addAccount("钱包", "50");
    addAccount("旧卡", "1000");
    db.execute("UPDATE SAccount SET theState='停用' WHERE AName='旧卡'");
    db.execute("UPDATE SAccount SET theType='银行卡' WHERE AName='钱包'");
    RecordQuery q(dm, accountQuery());
    auto c = q.initialCriteria("2024-05-31");
    EXPECT_EQ(c.text(Criterion::Type), "现金");
    q.run(c);
    EXPECT_EQ(column(q, "账户名称"), (std::vector<std::string>{"现金", "钱包"}));
    EXPECT_EQ(q.totalTexts(), (std::vector<std::string>{"账户记录：2", "账户余额：150.00"}));
    c.tick(Criterion::Type, "现金");
    q.run(c);
    EXPECT_EQ(column(q, "账户名称"), std::vector<std::string>{"现金"});
    c.tick(Criterion::Type, "信用卡");
    q.run(c);
    EXPECT_EQ(q.totalTexts(), (std::vector<std::string>{"账户记录：0", "账户余额：0.00"}));
    const Sheet s = q.sheet();
    EXPECT_EQ(s.cells().at({0, 0}).text, "家庭账簿-账户表");
    EXPECT_EQ(s.cells().at({2, 4}).number, 0.0);
    EXPECT_FALSE(s.page().landscape);
}

TEST_F(RecordQueries, ADebtWithoutRepaymentsHasNoDetailAndOneWithThemNewestFirst) {
    db.execute(
        "INSERT INTO Borrow(ID,BName,BDate,BPro,BMoney,AName,FName,RMoney,Remark) VALUES"
        "(1,?1,'2024-05-01','老王',300000,'现金','爸爸',200000,''),"
        "(2,?1,'2024-05-02','老李',100000,'现金','爸爸',0,'')",
        session.CurrentBook);
    for (const char* d : {"2024-05-10", "2024-05-20"}) {
        db.execute(
            "INSERT INTO BorrowR(BID,RDate,RMoney,AName,FName,Remark,BName) "
            "VALUES(1,?1,100000,'现金','爸爸','',?2)",
            d, session.CurrentBook);
    }
    RecordQuery q(dm, debtQuery());
    q.run(q.initialCriteria("2024-05-31"), 1);  // by creditor
    EXPECT_EQ(column(q, "债权人"), (std::vector<std::string>{"老李", "老王"}));
    EXPECT_EQ(q.hiddenColumns(), (std::vector<int>{0, 8}));
    EXPECT_EQ(q.totalTexts().back(), "合计金额：40.00");  // still owed, not repaid
    EXPECT_TRUE(q.detail(q.idOf(q.rows(), 0)).empty());
    const Table d = q.detail(q.idOf(q.rows(), 1));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d.text(0, "日期"), "2024-05-20");
    EXPECT_EQ(d.columns.at(1), "还债金额");
}

TEST_F(RecordQueries, InvestmentsSortByCategoryDescendingAndTotalBothSums) {
    for (auto [name, money, back] : {std::tuple{"基金", "100", "5"}, {"股票", "200", "-3"}}) {
        db.execute(
            "INSERT INTO TTable(BName,TDate,TName,TMoney,AName,FName,RMoney,Remark) "
            "VALUES(?1,'2024-05-05',?2,?3,'现金','爸爸',?4,'')",
            session.CurrentBook, name, *Money::parse(money), *Money::parse(back));
    }
    RecordQuery q(dm, investmentQuery());
    q.run(q.initialCriteria("2024-05-31"), 1, true);
    EXPECT_EQ(column(q, "投资类别"), (std::vector<std::string>{"股票", "基金"}));
    EXPECT_EQ(q.totalTexts(),
              (std::vector<std::string>{"笔数：2", "合计投资金额：300.00", "合计收益金额：2.00"}));
    const Sheet s = q.sheet();
    EXPECT_EQ(s.cells().at({4, 3}).number, 300.0);
    EXPECT_EQ(s.cells().at({4, 4}).number, 2.0);
    EXPECT_NEAR(s.page().marginBottom, 360.0 / 7.0, 1e-9);
}

TEST_F(RecordQueries, TheSheetHasTheVisibleColumnsTheRowsAndTheLastQuerysPeriod) {
    income("2024-05-01", "工资", "100", "现金", "爸爸", "五月");
    RecordQuery q(dm, incomeQuery());
    q.run(q.initialCriteria("2024-05-31"));
    const auto file = folder.path() / "in.xlsx";
    writeXlsx(file, {q.sheet()});
    const XlsxSheetLayout x = inspectXlsx(file).at(0);
    EXPECT_EQ(x.cells.at(0).at(0), "家庭账簿-收入表（2024-04-30至2024-05-31）");
    EXPECT_EQ(x.cells.at(1), (std::vector<std::string>{"序号", "日期", "收入类别", "金额",
                                                       "账户名称", "家庭成员", "备注"}));
    EXPECT_EQ(x.cells.at(2).at(2), "工资");
    EXPECT_TRUE(x.isNumber("D3"));
    EXPECT_EQ(x.cells.at(3).at(0), "合计");
    EXPECT_EQ(x.cells.at(3).at(3), "100");
    EXPECT_EQ(x.columnWidths.at(6).second, 56);
    EXPECT_TRUE(x.landscape);
    EXPECT_NEAR(x.marginLeft * 72, 300.0 / 7.0, 0.01);
    EXPECT_TRUE(x.style("G4").border);
    EXPECT_EQ(x.style("A2").halign, "center");
}

TEST_F(RecordQueries, ThePrintKeepsTheLastConditionAndTakesTheSortAsItStands) {
    income("2024-05-01", "工资", "100", "现金", "爸爸", "");
    income("2024-05-02", "奖金", "300", "现金", "爸爸", "");
    income("2024-05-03", "工资", "200", "银行卡", "爸爸", "");
    RecordQuery q(dm, incomeQuery());
    auto c = q.initialCriteria("2024-05-31");
    c.tick(Criterion::Account, "现金");
    q.run(c);
    const Table rows = q.printRows(2, true);  // amount, descending
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.text(0, "IMoney"), "300");
    const report::Layout l = q.printLayout();
    EXPECT_EQ(l.name, "Print/theSR.rf3");
    EXPECT_EQ(l.title, "家庭账簿收入报表");
    EXPECT_TRUE(l.landscape);
    const report::Pagination p = report::paginate(l, rows, "");
    EXPECT_EQ(p.totals.at("IMoney").toPlain(), "400");
}

}  // namespace
}  // namespace fennory
