#include <gtest/gtest.h>

#include <fstream>

#include "core/main_texts.h"
#include "core/table.h"
#include "core/totals.h"
#include "core/updater_files.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class MainTotals : public testing::BookTest {
protected:
    void account(const char* name, const char* type, const char* amount,
                 const char* state = "启用") {
        db.execute(
            "INSERT INTO SAccount(AName,BName,AMoney,theType,theState) "
            "VALUES(?1,?2,?3,?4,?5)",
            name, session.CurrentBook, *Money::parse(amount), type, state);
    }
    void record(const char* table, const char* dateCol, const char* moneyCol, const char* amount,
                const char* book = nullptr) {
        db.execute(std::string("INSERT INTO ") + table + "(BName," + dateCol + "," + moneyCol +
                       ") VALUES(?1,'2024-01-01',?2)",
                   book ? book : session.CurrentBook.c_str(), *Money::parse(amount));
    }
};

TEST_F(MainTotals, NoBookOpenShowsZerosAndAFullShare) {
    session.CurrentBook.clear();
    Totals t = mySum(dm);
    EXPECT_EQ(t.netFunds.toDisplay(), "0.00");
    EXPECT_EQ(t.statusLine(), "收入：0.00 支出：0.00 结余：0.00 支出占收入：100.00%");
}

TEST_F(MainTotals, FundsLiabilitiesAndNetFunds) {
    account("现金", "现金", "500");
    account("工行卡", "银行卡", "1000");
    account("旧卡", "银行卡", "300", "停用");  // disabled accounts still count
    account("支付宝", "电子账户", "150");
    account("存钱罐", "其它", "50");
    account("信用卡", "信用卡", "-200");
    account("外币", "外汇账户", "9999");  // not one of the five types: counts nowhere
    record("Borrow", "BDate", "BMoney", "300");
    record("Debt", "DDate", "DMoney", "0");
    record("TTable", "TDate", "TMoney", "0");
    record("Borrow", "BDate", "BMoney", "777", "另一本");
    Totals t = mySum(dm);
    EXPECT_EQ(t.bankCard.toDisplay(), "1,300.00");
    EXPECT_EQ(t.debtsShown.toDisplay(), "-300.00");
    EXPECT_EQ(t.liabilities.toDisplay(), "-500.00");
    EXPECT_EQ(t.funds.toDisplay(), "2,000.00");
    EXPECT_EQ(t.netFunds.toDisplay(), "1,500.00");
}

TEST_F(MainTotals, CreditsAndInvestmentsAreFunds) {
    record("Debt", "DDate", "DMoney", "120.5");
    record("TTable", "TDate", "TMoney", "1000");
    Totals t = mySum(dm);
    EXPECT_EQ(t.funds.toDisplay(), "1,120.50");
    EXPECT_EQ(t.netFunds, t.funds);
}

TEST_F(MainTotals, TheExpenseShareOfTheStatusLine) {
    record("InTable", "IDate", "IMoney", "1000");
    record("OutTable", "ODate", "OMoney", "400");
    EXPECT_EQ(mySum(dm).statusLine(),
              "收入：1,000.00 支出：400.00 结余：600.00 支出占收入：40.00%");
    record("OutTable", "ODate", "OMoney", "600");
    EXPECT_EQ(mySum(dm).statusLine(),
              "收入：1,000.00 支出：1,000.00 结余：0.00 支出占收入：100.00%");
}

TEST(ExpenseShare, IsZeroWhenExpensesExceedIncome) {
    EXPECT_DOUBLE_EQ(expenseShare(Money::yuan(400), Money::yuan(1000)), 0.0);
    EXPECT_DOUBLE_EQ(expenseShare(Money::yuan(1000), Money()), 0.0);
    EXPECT_DOUBLE_EQ(expenseShare(Money(), Money()), 100.0);
    EXPECT_NEAR(expenseShare(Money::yuan(3), Money::yuan(1)), 33.3333, 1e-3);
}

TEST(Edition, EmptyReadsAsTheComputerEdition) {
    EXPECT_EQ(editionOf(""), Edition::Computer);
    EXPECT_EQ(editionOf("U盘版"), Edition::UsbStick);
    EXPECT_STREQ(editionCaption(editionOf("")), "电脑版");
}

TEST(UpdaterFiles, TheNewUpdaterReplacesTheOldAndLeftoversGo) {
    testing::TempFolder exe;
    std::filesystem::create_directories(exe.path() / "Update");
    std::ofstream(exe.path() / "Update" / "Update.exe") << "new";
    std::ofstream(exe.path() / "Update.exe") << "old";
    std::ofstream(exe.path() / "Update" / "Account.zip") << "x";
    std::ofstream(exe.path() / "AccountUp.exe") << "x";
    std::ofstream(exe.path() / "keep.txt") << "x";
    tidyUpdaterFiles(exe.path());
    std::ifstream in(exe.path() / "Update.exe");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "new");
    EXPECT_FALSE(std::filesystem::exists(exe.path() / "Update" / "Update.exe"));
    EXPECT_FALSE(std::filesystem::exists(exe.path() / "Update" / "Account.zip"));
    EXPECT_FALSE(std::filesystem::exists(exe.path() / "AccountUp.exe"));
    EXPECT_TRUE(std::filesystem::exists(exe.path() / "keep.txt"));
}

TEST(TableCells, SortingRowsKeepsTiesInOrderAndPutsEmptyCellsFirst) {
    Table t;
    t.columns = {"名称", "金额"};
    t.rows = {{std::string("餐饮"), Money::yuan(5)},
              {std::string("交通"), Money::yuan(5)},
              {Null{}, Money::yuan(1)},
              {std::string("餐饮"), Money::yuan(2)}};
    sortRows(t, 1, false);
    EXPECT_EQ(t.text(0, "名称"), "餐饮");  // 5, in the order they came
    EXPECT_EQ(t.text(1, "名称"), "交通");  // 5
    EXPECT_EQ(t.text(3, "金额"), "1");
    sortRows(t, 0, true);
    EXPECT_EQ(t.text(0, "名称"), "");
    EXPECT_EQ(t.text(1, "名称"), "餐饮");
    EXPECT_EQ(t.text(2, "名称"), "餐饮");
    EXPECT_EQ(t.text(3, "名称"), "交通");
}

// The first column's texts after an ascending title sort of these cells.
std::vector<std::string> sortedTexts(std::vector<Value> cells) {
    Table t;
    t.columns = {"c", "order"};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        t.rows.push_back({cells[i], static_cast<std::int64_t>(i)});
    }
    sortRows(t, 0, true);
    std::vector<std::string> out;
    for (std::size_t r = 0; r < t.size(); ++r) {
        out.push_back(t.text(r, 0) + "#" + t.text(r, 1));
    }
    return out;
}

TEST(TableCells, SortByValueAndTextInPinyinOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(sortedTexts({Money::yuan(10), Money::yuan(2)}), (V{"2#1", "10#0"}));
    EXPECT_EQ(sortedTexts({std::int64_t{10}, std::int64_t{2}}), (V{"2#1", "10#0"}));
    EXPECT_EQ(sortedTexts({std::string("交通"), std::string("餐饮")}), (V{"餐饮#1", "交通#0"}));
    EXPECT_EQ(sortedTexts({std::string("a"), Null{}}), (V{"#1", "a#0"}));
    // Equal cells keep their order.
    EXPECT_EQ(sortedTexts({std::string("a"), std::string("a")}), (V{"a#0", "a#1"}));
}

}  // namespace
}  // namespace fennory
