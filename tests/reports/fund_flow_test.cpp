#include <gtest/gtest.h>

#include "import/spreadsheet_reader.h"
#include "reports/fund_flow.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class FundFlow : public testing::BookTest {
protected:
    FundFlow() : log(dm) {}
    void entry(const char* date, const char* type, const char* in, const char* out,
               const char* balance, const char* account = "现金", const char* member = "爸爸",
               const char* remark = "", const char* book = nullptr) {
        db.execute(
            "INSERT INTO UList(theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,"
            "theT,theID,theE) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,'InTable',1,'新增')",
            date, type, remark, *Money::parse(in), *Money::parse(out), account,
            *Money::parse(balance), member, book ? std::string(book) : session.CurrentBook);
    }
    std::vector<std::string> column(const char* name) {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < log.list().size(); ++r) {
            out.push_back(log.list().text(r, name));
        }
        return out;
    }
    FundFlowLog log;
};

TEST_F(FundFlow, TheScreenOpensOnTheLastMonth) {
    FundFlowCriteria c = FundFlowLog::initialCriteria("2024-03-31");
    EXPECT_EQ(c.criteria.from(), "2024-02-29");
    EXPECT_EQ(c.criteria.to(), "2024-03-31");
    EXPECT_FALSE(log.queried());
    EXPECT_TRUE(log.list().empty());
}

TEST_F(FundFlow, TickedCriteriaFilterTheOpenBooksEntries) {
    entry("2024-01-10", "工资", "100", "0", "100");
    entry("2024-02-10", "餐饮", "0", "30", "70", "现金", "妈妈", "午饭 100%");
    entry("2024-02-11", "餐饮", "0", "5", "95", "银行卡", "爸爸", "晚饭");
    entry("2024-02-12", "餐饮", "0", "9", "9", "现金", "爸爸", "", "别的账簿");
    FundFlowCriteria c;
    c.criteria.dates("2024-02-01", "2024-02-29");
    log.query(c);
    EXPECT_EQ(column("摘要"), (std::vector<std::string>{"午饭 100%", "晚饭"}));
    EXPECT_EQ(log.totals().count, 2u);
    EXPECT_EQ(log.totals().out->toPlain(), "35");
    EXPECT_EQ(log.totals().in->toPlain(), "0");

    c.criteria.tick(Criterion::Account, "现金");
    log.query(c);
    EXPECT_EQ(column("摘要"), std::vector<std::string>{"午饭 100%"});

    FundFlowCriteria remark;
    remark.criteria.tick(Criterion::Remark, "%");
    log.query(remark);
    EXPECT_EQ(column("摘要"), std::vector<std::string>{"午饭 100%"});
    remark.criteria.tick(Criterion::Remark, "_");
    log.query(remark);
    EXPECT_TRUE(log.list().empty());
    EXPECT_FALSE(log.totals().in.has_value());

    FundFlowCriteria kind;
    kind.criteria.tick(Criterion::Kind, "秘密开销");  // a kind of another book, or of none
    log.query(kind);
    EXPECT_TRUE(log.list().empty());
}

TEST_F(FundFlow, SortChoices) {
    entry("2024-01-03", "b", "1", "0", "30", "乙");
    entry("2024-01-01", "a", "1", "0", "10", "甲");
    entry("2024-01-02", "c", "1", "0", "20", "丙");
    FundFlowCriteria c;
    log.query(c);
    EXPECT_EQ(column("日期"), (std::vector<std::string>{"2024-01-03", "2024-01-01", "2024-01-02"}));
    c.sorted = true;
    c.sort = FlowSort::Date;
    log.query(c);
    EXPECT_EQ(column("日期"), (std::vector<std::string>{"2024-01-01", "2024-01-02", "2024-01-03"}));
    c.sort = FlowSort::Balance;
    log.query(c);
    EXPECT_EQ(column("本次余额"), (std::vector<std::string>{"10", "20", "30"}));
}

TEST_F(FundFlow, DeletingOneOrAllListedEntries) {
    entry("2024-01-10", "工资", "100", "0", "100");
    entry("2024-02-10", "餐饮", "0", "30", "70");
    entry("2024-02-11", "餐饮", "0", "5", "65");
    entry("2024-02-11", "餐饮", "0", "5", "65", "现金", "爸爸", "", "别的账簿");
    FundFlowCriteria c;
    c.criteria.dates("2024-02-01", "2024-02-29");
    log.query(c);
    log.deleteAllListed();
    EXPECT_EQ(one("SELECT count(*) FROM UList WHERE BName='家庭账簿'"), "1");
    EXPECT_EQ(one("SELECT theType FROM UList WHERE BName='家庭账簿'"), "工资");

    log.query(FundFlowCriteria{});
    log.deleteEntry(std::stoll(log.list().text(0, "ID")));
    EXPECT_TRUE(log.list().empty());
    EXPECT_EQ(one("SELECT count(*) FROM UList"), "1");  // the other book's entry stays
}

TEST_F(FundFlow, RecalculatingBalancesCarriesTheListedBalanceOn) {
    entry("2024-01-01", "工资", "100", "0", "100");
    entry("2024-01-02", "餐饮", "0", "30", "50");
    entry("2024-01-03", "奖金", "10", "0", "80");
    FundFlowCriteria c;
    log.query(c);
    FlowCheck refused = log.recalculate("");
    EXPECT_EQ(refused.message, "请选择 账户名称！");
    EXPECT_EQ(column("本次余额"), (std::vector<std::string>{"100", "50", "80"}));

    c.criteria.tick(Criterion::Account, "现金");
    log.query(c);
    ASSERT_TRUE(log.recalculate("现金").ok);
    EXPECT_EQ(column("本次余额"), (std::vector<std::string>{"100", "70", "60"}));
}

TEST_F(FundFlow, EditingAnEntryChecksAmountsAndLeavesBalancesAlone) {
    addAccount("现金", "500");
    entry("2024-01-01", "工资", "100", "0", "100");
    log.query(FundFlowCriteria{});
    FlowEdit e = log.editOf(FundFlowLog::idOf(log.list(), 0)).value();
    EXPECT_EQ(e.theIn, "100");
    std::string before = dump();
    e.theIn = "";
    EXPECT_EQ(log.saveEdit(e).message, "收入 不能为空！请重新录入！");
    e.theIn = "1e2";
    EXPECT_EQ(log.saveEdit(e).message, "收入 必须是数字！请重新录入！");
    EXPECT_EQ(dump(), before);
    e.theIn = "150";
    e.Remark = "改过的 'x'";
    ASSERT_TRUE(log.saveEdit(e).ok);
    EXPECT_EQ(rows("SELECT theIn, AMoney, Remark FROM UList"),
              (Rows{{"1500000", "1000000", "改过的 'x'"}}));
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(500));
}

TEST_F(FundFlow, TheSpreadsheetHasTheTitleHeadingsRowsTotalsAndPageSetup) {
    entry("2024-01-01", "工资", "100", "0", "100");
    entry("2024-01-02", "餐饮", "0", "30.5", "69.5", "现金", "妈妈", "午饭");
    FundFlowCriteria c = FundFlowLog::initialCriteria("2024-01-31");
    log.query(c);
    auto file = folder.path() / "flow.xlsx";
    writeXlsx(file, {log.sheet()});
    XlsxSheetLayout l = inspectXlsx(file).at(0);
    EXPECT_EQ(l.cells.at(0).at(0), "家庭账簿-资金流动日志（2023-12-31至2024-01-31）");
    EXPECT_EQ(l.merges, std::vector<std::string>{"A1:I1"});
    EXPECT_EQ(l.cells.at(1),
              (std::vector<std::string>{"序号", "日期", "收支类别", "摘要", "收入", "支出",
                                        "账户名称", "本次余额", "家庭成员"}));
    EXPECT_EQ(l.cells.at(2), (std::vector<std::string>{"1", "2024-01-01", "工资", "", "100", "0",
                                                       "现金", "100", "爸爸"}));
    EXPECT_EQ(l.cells.at(3), (std::vector<std::string>{"2", "2024-01-02", "餐饮", "午饭", "0",
                                                       "30.5", "现金", "69.5", "妈妈"}));
    EXPECT_EQ(l.cells.at(4),
              (std::vector<std::string>{"合计", "", "", "", "100", "30.5", "", "", ""}));
    // Amounts and row numbers are numbers a user can sum; names and dates stay text.
    for (const char* ref : {"A3", "A4", "E3", "F4", "H3", "H4", "E5", "F5"}) {
        EXPECT_TRUE(l.isNumber(ref)) << ref;
    }
    for (const char* ref : {"E3", "F4", "H4", "E5"}) {
        EXPECT_EQ(l.style(ref).numberFormat, "#,##0.00") << ref;
    }
    for (const char* ref : {"B3", "C3", "G3", "I4", "A5"}) {
        EXPECT_FALSE(l.isNumber(ref)) << ref;
    }
    // The set widths, widened where a bold heading ("序号", "日期", "账户名称")
    // would not fit them.
    EXPECT_EQ(l.columnWidths,
              (std::vector<std::pair<int, double>>{
                  {0, 6}, {1, 11}, {2, 12}, {3, 40}, {4, 10}, {5, 10}, {6, 12}, {7, 11}, {8, 12}}));
    EXPECT_EQ(l.style("A1").font, "宋体");
    EXPECT_EQ(l.style("A1").size, 16);
    EXPECT_TRUE(l.style("B2").bold);
    EXPECT_EQ(l.style("B2").halign, "center");
    EXPECT_EQ(l.style("B2").size, 12);
    EXPECT_TRUE(l.style("A2").border);
    EXPECT_TRUE(l.style("I5").border);
    EXPECT_FALSE(l.style("A1").border);
    EXPECT_TRUE(l.landscape);
    EXPECT_NEAR(l.marginTop * 72, 300.0 / 7.0, 0.01);
    EXPECT_NEAR(l.marginRight * 72, 300.0 / 7.0, 0.01);
    EXPECT_EQ(l.footer, "&CFennory https://www.fennory.example/ 共&N页，第&P页");
}

TEST_F(FundFlow, ThePrintNumbersEntriesByTheirIdAndSumsThem) {
    for (int i = 0; i < 40; ++i) {
        entry("2024-01-01", "工资", "1.5", "0", "1");
    }
    log.query(FundFlowCriteria{});
    report::Layout layout = log.printLayout();
    Table rows = log.printRows();
    ASSERT_EQ(rows.size(), 40u);
    report::Pagination p = report::paginate(layout, rows, "2026-12-09 10:00:00");
    EXPECT_GT(p.pages.size(), 1u);
    EXPECT_EQ(p.totals["theIn"].toDisplay(), "60.00");
    auto pages = report::placePages(layout, rows, p);
    std::vector<std::string> first;
    for (const auto& t : pages[0].texts) {
        first.push_back(t.text);
    }
    EXPECT_NE(std::find(first.begin(), first.end(), "家庭账簿资金流动日志"), first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), "账户余额"), first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), rows.text(0, "ID")), first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), "页数 1"), first.end());
    std::vector<std::string> last;
    for (const auto& t : pages.back().texts) {
        last.push_back(t.text);
    }
    EXPECT_NE(std::find(last.begin(), last.end(), "合计 40"), last.end());
}

}  // namespace
}  // namespace fennory
