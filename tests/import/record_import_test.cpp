#include <gtest/gtest.h>

#include <fmt/format.h>

#include "import/record_import.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class Import : public testing::BookTest {
protected:
    static SheetData sheet(const ImportKind& k, std::vector<std::vector<std::string>> rows) {
        SheetData s;
        s.header.assign(k.headers.begin(), k.headers.end());
        s.rows = std::move(rows);
        return s;
    }
    // Checks and books a sheet; the message of the check, "" when it passed.
    std::string import(const ImportKind& k, const SheetData& s) {
        PreparedImport p = prepareImport(k, s);
        if (!p.check.ok) {
            return p.check.message;
        }
        importRows(dm, k, p.rows);
        return {};
    }
    std::string balance(const char* account) { return dm.RetAMoney(account).toPlain(); }
    std::string fixture(const std::string& name) {
        return std::string(FENNORY_TEST_DATA) + "/import/" + name;
    }
};

TEST_F(Import, ThreeIncomeRowsBookTheirRecordsBalancesAndLogEntries) {
    addAccount("现金", "10");
    const std::string message = import(
        incomeImport(), sheet(incomeImport(), {{"2024-03-01", "工资", "100", "现金", "爸爸", ""},
                                               {"2024-03-02", "工资", "50.5", "现金", "爸爸", ""},
                                               {"2024-03-03", "奖金", "7", "银行卡", "妈妈", ""}}));
    ASSERT_EQ(message, "");
    EXPECT_EQ(one("SELECT count(*) FROM InTable WHERE Remark=''"), "3");
    EXPECT_EQ(balance("现金"), "160.5");
    EXPECT_EQ(balance("银行卡"), "7");
    EXPECT_EQ(rows("SELECT theType,theIn/10000.0,theOut,AName,AMoney/10000.0,FName,theT,theE,"
                   "theID=(SELECT max(ID) FROM InTable WHERE IDate=theDate) FROM UList "
                   "ORDER BY ID"),
              (std::vector<std::vector<std::string>>{
                  {"工资", "100.0", "0", "现金", "110.0", "爸爸", "InTable", "导入", "1"},
                  {"工资", "50.5", "0", "现金", "160.5", "爸爸", "InTable", "导入", "1"},
                  {"奖金", "7.0", "0", "银行卡", "7.0", "妈妈", "InTable", "导入", "1"}}));
    // The names the book lacked were made; the new account belongs to its member.
    EXPECT_EQ(one("SELECT FName||theType||AMoney FROM SAccount WHERE AName='银行卡'"),
              "妈妈现金70000");
    EXPECT_EQ(one("SELECT count(*) FROM InD WHERE IName IN ('工资','奖金')"), "2");
    EXPECT_EQ(one("SELECT count(*) FROM SFamily"), "2");
}

TEST_F(Import, EmptyAmountsAreZeroAndDatesAreWrittenInFull) {
    ASSERT_EQ(
        import(expenseImport(),
               sheet(expenseImport(), {{"2024-3-5", "餐饮", "", "现金", "爸爸", "午饭"},
                                       {"2024/03/06 12:30:00", "餐饮", "1", "现金", "爸爸", ""}})),
        "");
    EXPECT_EQ(
        rows("SELECT ODate, OMoney FROM OutTable ORDER BY ID"),
        (std::vector<std::vector<std::string>>{{"2024-03-05", "0"}, {"2024-03-06", "10000"}}));
    EXPECT_EQ(balance("现金"), "-1");
}

TEST_F(Import, LongNamesAreCutByteWiseExceptByTheInvestmentImport) {
    const std::string thirty(30, 'x');
    const std::string chinese = "a" + std::string("很长的类别名称很长的类别名称");  // 1 + 28 bytes
    ASSERT_EQ(import(incomeImport(),
                     sheet(incomeImport(), {{"2024-03-01", thirty, "1", "现金", "爸爸", ""},
                                            {"2024-03-01", chinese, "1", "现金", "爸爸", ""}})),
              "");
    EXPECT_EQ(
        rows("SELECT IName FROM InTable ORDER BY ID"),
        (std::vector<std::vector<std::string>>{
            {std::string(20, 'x')}, {"a很长的类别名称很长"}}));  // 19 bytes: a 21st would split
    ASSERT_EQ(import(investmentImport(),
                     sheet(investmentImport(), {{"2024-03-01", thirty, "1", "现金", "爸爸", ""}})),
              "");
    EXPECT_EQ(one("SELECT TName FROM TTable"), thirty);
    EXPECT_EQ(one("SELECT theType FROM UList WHERE theT='TTable'"), thirty);
    EXPECT_EQ(balance("现金"), "1");  // two incomes in, one investment out
}

TEST_F(Import, ATransferToANewAccountMakesItAndMovesBothBalances) {
    addAccount("现金", "100");
    ASSERT_EQ(import(transferImport(),
                     sheet(transferImport(), {{"2024-03-01", "现金", "30", "新卡", "爸爸", "存"}})),
              "");
    EXPECT_EQ(balance("现金"), "70");
    EXPECT_EQ(balance("新卡"), "30");
    EXPECT_EQ(one("SELECT FName||theType FROM SAccount WHERE AName='新卡'"), "爸爸现金");
    EXPECT_EQ(one("SELECT OldN||'>'||NewN||':'||(CMoney/10000) FROM ChangeT"), "现金>新卡:30");
    EXPECT_EQ(rows("SELECT theType,AName,theIn/10000,theOut/10000,AMoney/10000 FROM UList "
                   "ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"转账", "新卡", "30", "0", "30"},
                                                     {"转账", "现金", "0", "30", "70"}}));
}

TEST_F(Import, LoansAndInvestmentsMoveTheWayTheirScreensDo) {
    addAccount("现金", "100");
    const std::vector<std::vector<std::string>> row = {
        {"2024-03-01", "老王", "40", "现金", "爸爸", ""}};
    ASSERT_EQ(import(debtImport(), sheet(debtImport(), row)), "");
    EXPECT_EQ(balance("现金"), "140");
    ASSERT_EQ(import(creditImport(), sheet(creditImport(), row)), "");
    EXPECT_EQ(balance("现金"), "100");
    EXPECT_EQ(one("SELECT count(*) FROM PD WHERE PName='老王'"), "1");
    EXPECT_EQ(one("SELECT BPro||RMoney FROM Borrow"), "老王0");
    EXPECT_EQ(one("SELECT DPro||RMoney FROM Debt"), "老王0");
    EXPECT_EQ(rows("SELECT theType, theT FROM UList ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"债务", "Borrow"}, {"债权", "Debt"}}));
}

TEST_F(Import, NamesTakeTheBooksSpelling) {
    addAccount("Cash", "0");
    ASSERT_EQ(import(incomeImport(),
                     sheet(incomeImport(), {{"2024-03-01", "工资", "5", "cash", "爸爸", ""}})),
              "");
    EXPECT_EQ(one("SELECT AName FROM InTable"), "Cash");
    EXPECT_EQ(balance("Cash"), "5");
    EXPECT_EQ(one("SELECT count(*) FROM SAccount"), "1");
}

TEST_F(Import, AnEmptyMemberInTheFourthRowImportsNothingAndNamesItsRow) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 10; ++i) {
        rows.push_back({"2024-03-0" + std::to_string(i % 9 + 1), "工资", "1", "现金",
                        i == 4 ? "" : "爸爸", ""});
    }
    const std::string before = dump();
    EXPECT_EQ(import(incomeImport(), sheet(incomeImport(), rows)),
              "第 5 行 家庭成员 为空，没有导入任何数据。");
    EXPECT_EQ(dump(), before);
    rows[3][4] = "爸爸";
    ASSERT_EQ(import(incomeImport(), sheet(incomeImport(), rows)), "");
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "10");  // each row once
}

TEST_F(Import, BadCellsAndMissingColumnsAreNamed) {
    const ImportKind& k = incomeImport();
    EXPECT_EQ(import(k, sheet(k, {{"2024-02-30", "工资", "1", "现金", "爸爸", ""}})),
              "第 2 行 日期 “2024-02-30”不是有效的日期，没有导入任何数据。");
    EXPECT_EQ(import(k, sheet(k, {{"2024-02-03", "工资", "1", "现金", "爸爸", ""},
                                  {"2024-02-03", "工资", "一百", "现金", "爸爸", ""}})),
              "第 3 行 金额 “一百”不是数字，没有导入任何数据。");
    EXPECT_EQ(import(k, sheet(k, {{"", "工资", "1", "现金", "爸爸", ""}})),
              "第 2 行 日期 为空，没有导入任何数据。");
    SheetData missing = sheet(k, {{"2024-02-03", "工资", "1", "现金", "爸爸", ""}});
    missing.header[3] = "账户";
    EXPECT_EQ(import(k, missing), "表格缺少“账户名称”列，没有导入任何数据。");
    SheetData narrow;
    narrow.header = {"日期", "收入类别", "金额", "账户名称", "家庭成员"};
    EXPECT_FALSE(checkImportSheet(narrow).ok);
    EXPECT_EQ(one("SELECT count(*) FROM InTable"), "0");
}

TEST_F(Import, AFailureOfTheDataFileLeavesTheBookAsItWas) {
    db.execute(
        "CREATE TEMP TRIGGER refuse BEFORE INSERT ON InTable WHEN NEW.IDate='2024-03-03' "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const std::string before = dump();
    PreparedImport p = prepareImport(
        incomeImport(), sheet(incomeImport(), {{"2024-03-01", "工资", "1", "现金", "爸爸", ""},
                                               {"2024-03-03", "工资", "1", "现金", "爸爸", ""}}));
    ASSERT_TRUE(p.check.ok);
    EXPECT_THROW(importRows(dm, incomeImport(), p.rows), std::exception);
    EXPECT_EQ(dump(), before);
}

TEST_F(Import, AmountsAreReadExactly) {
    EXPECT_EQ(importAmount("12.3")->toPlain(), "12.3");
    EXPECT_EQ(importAmount(" 0.1 ")->toPlain(), "0.1");
    EXPECT_EQ(importAmount("")->toPlain(), "0");
    EXPECT_EQ(importAmount("-5")->toPlain(), "-5");
    EXPECT_EQ(importAmount("0.30000000000000004")->toPlain(), "0.3");  // a computed cell
    EXPECT_EQ(importAmount("2.675000001")->toPlain(), "2.68");
    // Three or four decimals are rounded too: what is stored is what is shown.
    EXPECT_EQ(importAmount("1.235")->toPlain(), "1.24");
    EXPECT_EQ(importAmount("1.2344")->toPlain(), "1.23");
    EXPECT_FALSE(importAmount("1,000"));
    EXPECT_FALSE(importAmount("12元"));
    EXPECT_FALSE(importAmount("1e5"));
    EXPECT_EQ(importDate("2024-3-5"), "2024-03-05");
    EXPECT_EQ(importDate("2024-03-05 00:00:00"), "2024-03-05");
    EXPECT_FALSE(importDate("24-3-5"));
    EXPECT_FALSE(importDate("2024-13-01"));
    EXPECT_FALSE(importDate("三月五日"));
}

// Workbooks saved by LibreOffice from tests/data/import/income.fods.
class ImportFixture : public Import, public ::testing::WithParamInterface<const char*> {};

TEST_P(ImportFixture, ASpreadsheetApplicationsWorkbookImportsItsDatesNumbersAndText) {
    const SheetData s = readSheet1(fixture(GetParam()));
    EXPECT_TRUE(checkImportSheet(s).ok);
    EXPECT_EQ(importSheetCaption(s), "EXCEL数据  共有 4 条数据");
    ASSERT_EQ(import(incomeImport(), s), "");
    EXPECT_EQ(rows("SELECT IDate, IName, IMoney, AName, FName, Remark FROM InTable ORDER BY ID"),
              (std::vector<std::vector<std::string>>{
                  {"2024-03-05", "工资", "123000", "银行卡", "爸爸", "三月工资"},
                  {"2024-03-06", "奖金", "10000000", "现金", "妈妈", ""},
                  {"2024-03-07", "理财收益", "456700", "支付宝", "爸爸", "文本单元格"},
                  {"2024-03-08", "红包", "1000", "现金", "妈妈", "零头"}}));
    EXPECT_EQ(balance("现金"), "1000.1");
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, ImportFixture, ::testing::Values("income.xls", "income.xlsx"),
                         [](const auto& info) { return std::string(info.param).substr(7); });

// Amounts computed by formulas import as the results the spreadsheet program
// kept, never as 0; a formula that gave an error refuses the sheet, naming its cell.
TEST_P(ImportFixture, FormulaCellsImportTheirResultsAndAnErrorCellRefusesTheSheet) {
    const std::string ext = std::string(GetParam()).substr(6);  // ".xls" or ".xlsx"
    ASSERT_EQ(import(incomeImport(), readSheet1(fixture("formulas" + ext))), "");
    EXPECT_EQ(rows("SELECT IDate, IMoney, Remark FROM InTable ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"2024-04-01", "1234500", "普通"},
                                                     {"2024-04-02", "2469000", "月薪"},
                                                     {"2024-04-03", "33300", ""},
                                                     {"2024-04-04", "3736800", "合计"}}));
    EXPECT_EQ(balance("银行卡"), "497.13");
    try {
        readSheet1(fixture("formula_error" + ext));
        FAIL() << "a sheet with an error cell was read";
    } catch (const SpreadsheetReadError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "第 3 行第 3 列（C3）是公式错误 #DIV/0!，请在表格程序中改正后再导入");
    }
}

// 500 rows, a quarter of the amounts computed, 500 distinct remarks: the
// Excel 97 file spreads its strings over several records and must read the
// same as the same workbook saved as .xlsx.
TEST_F(Import, ALargeExcel97WorkbookReadsAsItsXlsxTwin) {
    const SheetData xls = readSheet1(fixture("income500.xls"));
    const SheetData xlsx = readSheet1(fixture("income500.xlsx"));
    ASSERT_EQ(xls.rows.size(), 500u);
    EXPECT_EQ(xls.header, xlsx.header);
    EXPECT_EQ(xls.rows, xlsx.rows);
    EXPECT_EQ(xls.rows[499][5], "第500笔收入，备注文字较长以便共享字符串表跨越多个记录");
    ASSERT_EQ(import(incomeImport(), xls), "");
    EXPECT_EQ(rows("SELECT count(*), sum(IMoney) FROM InTable"),
              (std::vector<std::vector<std::string>>{{"500", "511575000"}}));
}

TEST_F(Import, AWorkbookWithoutSheet1IsRefusedWithTheReadersMessage) {
    try {
        readSheet1(std::string(FENNORY_TEST_DATA) + "/no_sheet1.xls");
        FAIL() << "read a workbook without Sheet1";
    } catch (const SpreadsheetReadError& e) {
        EXPECT_NE(std::string(e.what()).find("Sheet1"), std::string::npos);
    }
}

}  // namespace
}  // namespace fennory
