// The command line as a script runs it, against a book with every kind of
// movement; the journal it writes read back by hledger.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "app/command_line.h"
#include "bookkeeping/investments.h"
#include "bookkeeping/loans.h"
#include "bookkeeping/transfers.h"
#include "core/record_types.h"
#include "reports/statistics.h"
#include "support/test_data_file.h"
#include "support/workbook_probe.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

class CommandLine : public testing::BookTest {
protected:
    CommandLine() {
        db.execute("INSERT INTO SBook(BName, BPass) VALUES('家庭账簿', '')");
        addName("SFamily", "FName", "爸爸", "bb");
        addAccount("现金", "1000");
        addAccount("工行", "0");
        addAccount("招行信用卡", "0");
        db.execute("UPDATE SAccount SET theType='银行卡' WHERE AName='工行'");
        db.execute("UPDATE SAccount SET theType='信用卡' WHERE AName='招行信用卡'");
    }
    void book(RecordType type, const char* date, const char* name, const char* amount,
              const char* account, const char* remark = "") {
        Transaction t(db);
        RecordBooker(dm, type).book({date, name, *Money::parse(amount), account, "爸爸", remark});
        t.commit();
    }
    // Every kind of movement the book knows, through the models.
    void fill() {
        book(RecordType::Income, "2024-01-05", "工资", "5000", "工行", "一月; 奖金另计");
        book(RecordType::Expense, "2024-01-06", "餐饮", "120.5", "现金");
        book(RecordType::Expense, "2024-01-07", "衣服", "300", "招行信用卡");
        TransferModel transfers(dm, [] { return std::string("2024-01-08"); });
        transfers.startNewTransfer();
        ASSERT_TRUE(transfers.save({"2024-01-08", "工行", "现金", "200", "爸爸", "取现"}).ok);

        LoanModel debts(dm, debtLoans(), [] { return std::string("2024-02-01"); });
        debts.refresh();
        debts.startNewRecord();
        ASSERT_TRUE(debts.save({"2024-02-01", "张三", "500", "现金", "爸爸", "借"}).ok);
        ASSERT_TRUE(debts.repay({"2024-02-10", "200", "工行", "爸爸", "还"}).ok);
        debts.writeOff(debts.currentId());  // the rest forgiven
        LoanModel credits(dm, creditLoans(), [] { return std::string("2024-02-02"); });
        credits.refresh();
        credits.startNewRecord();
        ASSERT_TRUE(credits.save({"2024-02-02", "李四", "100", "现金", "爸爸", ""}).ok);

        InvestmentModel funds(dm, [] { return std::string("2024-03-01"); });
        funds.refresh();
        funds.startNewRecord();
        ASSERT_TRUE(funds.save({"2024-03-01", "基金", "1000", "工行", "爸爸", ""}).ok);
        ASSERT_TRUE(funds.recordReturn({"2024-03-20", "400", "50", "工行", "爸爸", ""}).ok);
    }
    int run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return runCommandLine(args, folder.path() / "db.eac", "2024-05-31", out, err);
    }
    // What hledger makes of a journal: each account's balance.
    static std::map<std::string, Money> hledgerBalances(const fs::path& journal,
                                                        const std::string& depth = "") {
        const std::string command = "hledger -f '" + journal.string() +
                                    "' balance --flat --no-total -O csv " + depth + " 2>&1";
        std::map<std::string, Money> out;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) {
            return out;
        }
        std::array<char, 4096> line{};
        while (fgets(line.data(), line.size(), pipe)) {
            std::string s(line.data());
            // "资产:银行卡:工行","4650.00 CNY"
            const auto comma = s.find("\",\"");
            if (s.size() < 2 || s[0] != '"' || comma == std::string::npos) {
                continue;
            }
            const std::string account = s.substr(1, comma - 1);
            std::string amount = s.substr(comma + 3);
            amount = amount.substr(0, amount.find_first_of(" \""));
            if (const auto m = Money::parse(amount)) {
                out[account] = *m;
            }
        }
        pclose(pipe);
        return out;
    }
    std::ostringstream out, err;
};

bool hasHledger() {
    return std::system("hledger --version > /dev/null 2>&1") == 0;
}

TEST_F(CommandLine, TheJournalReadByHledgerEndsEveryAccountWhereTheBookHasIt) {
    fill();
    if (HasFatalFailure()) {
        return;
    }
    const fs::path journal = folder.path() / "家庭账簿.journal";
    ASSERT_EQ(run({"--book", "家庭账簿", "export-journal", journal.string()}), kCommandDone)
        << err.str();
    EXPECT_NE(err.str().find("已导出"), std::string::npos);
    std::ifstream in(journal);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    // The remark's semicolon would start a comment: it is kept as text.
    EXPECT_NE(text.find("2024-01-05 工资 一月； 奖金另计\n    ; 成员:爸爸\n"), std::string::npos)
        << text;
    if (!hasHledger()) {
        GTEST_SKIP() << "hledger is not installed";
    }
    const auto balances = hledgerBalances(journal);
    Statement s = db.prepare("SELECT AName, theType, AMoney FROM SAccount");
    int accounts = 0;
    while (s.step()) {
        const std::string root = s.text(1) == "信用卡" ? "负债" : "资产";
        const std::string account = root + ":" + s.text(1) + ":" + s.text(0);
        ASSERT_TRUE(balances.contains(account)) << account;
        EXPECT_EQ(balances.at(account), s.money(2)) << account;
        ++accounts;
    }
    EXPECT_EQ(accounts, 3);
    // Spot figures the test states itself: 1000 - 120.5 + 200 + 500 - 100.
    EXPECT_EQ(balances.at("资产:现金:现金").toPlain(), "1479.5");
    EXPECT_EQ(balances.at("负债:信用卡:招行信用卡").toPlain(), "-300");
    // Lent, invested, and nothing left owed once written off.
    EXPECT_EQ(balances.at("资产:债权:李四").toPlain(), "100");
    EXPECT_EQ(balances.at("资产:投资:基金").toPlain(), "600");
    EXPECT_FALSE(balances.contains("负债:债务:张三"));  // zero: hledger leaves it out

    // Income and expenses as the statistics sum them, the gain among the income.
    const auto top = hledgerBalances(journal, "--depth 1");
    IncomeExpenseStats stats(dm);
    StatCriteria all;
    all.filter = Criteria().dates("1900-01-01", "2099-12-31");
    stats.run(all);
    EXPECT_EQ(top.at("收入"), -stats.income().sum.value());
    EXPECT_EQ(top.at("收入").toPlain(), "-5050");
    EXPECT_EQ(top.at("支出"), stats.expense().sum.value());
    EXPECT_EQ(top.at("支出").toPlain(), "420.5");
}

TEST_F(CommandLine, BeancountGetsItsOwnRootsOpeningsAndQuotedTextAndBeanCheckTakesIt) {
    fill();
    if (HasFatalFailure()) {
        return;
    }
    book(RecordType::Expense, "2024-01-06", "餐饮", "120.5", "现金", "\"好吃\"");
    const fs::path journal = folder.path() / "book.beancount";
    ASSERT_EQ(run({"--book", "家庭账簿", "export-journal", journal.string(), "--beancount"}),
              kCommandDone);
    std::ifstream in(journal);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    // Its own roots, and each Chinese part led by its pinyin code.
    EXPECT_NE(text.find(" open Assets:XJ-现金:XJ-现金 CNY\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" open Liabilities:ZW-债务:ZS-张三 CNY\n"), std::string::npos) << text;
    EXPECT_NE(text.find("2024-01-06 * \"餐饮 ”好吃”\"\n  member: \"爸爸\"\n"), std::string::npos)
        << text;
    if (std::system("bean-check --help > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "beancount is not installed";
    }
    const std::string check = "bean-check '" + journal.string() + "' 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST_F(CommandLine, ABackupOpensWithTheSameRecordsAndAWrongPasswordIsRefused) {
    book(RecordType::Income, "2024-01-05", "工资", "5000", "工行");
    const fs::path copy = folder.path() / "nightly.eac";
    ASSERT_EQ(run({"--book", "家庭账簿", "backup", copy.string()}), kCommandDone) << err.str();
    {
        Database b = Database::open(copy);
        EXPECT_EQ(b.queryInt("SELECT count(*) FROM InTable"), 1);
    }
    db.execute("UPDATE SBook SET BPass='secret' WHERE BName='家庭账簿'");
    const fs::path pass = folder.path() / "pass";
    std::ofstream(pass) << "wrong\n";
    EXPECT_EQ(
        run({"--book", "家庭账簿", "--password-file", pass.string(), "backup", copy.string()}),
        kCommandRefused);
    EXPECT_EQ(err.str(), "密码错误。\n");
    std::ofstream(pass) << "secret\n";
    EXPECT_EQ(
        run({"--book", "家庭账簿", "--password-file", pass.string(), "backup", copy.string()}),
        kCommandDone);
    EXPECT_EQ(run({"--book", "别人的账簿", "backup", copy.string()}), kCommandRefused);
    EXPECT_EQ(err.str(), "账簿“别人的账簿”不存在。\n");
    EXPECT_EQ(run({"--book", "家庭账簿", "backup"}), kCommandUsage);
    EXPECT_NE(err.str().find("用法：fennory --book"), std::string::npos);
}

TEST_F(CommandLine, TheMonthlyReportAndTheStatisticsAreWrittenAsSheetsOfNumbers) {
    book(RecordType::Income, "2024-05-05", "工资", "5000", "工行");
    book(RecordType::Expense, "2024-05-06", "餐饮", "120.5", "现金");
    const fs::path sheet = folder.path() / "monthly.xlsx";
    ASSERT_EQ(run({"--book", "家庭账簿", "export-sheet", "monthly", sheet.string()}), kCommandDone)
        << err.str();
    const auto x = inspectXlsx(sheet).at(0);
    bool found = false;
    for (std::size_t r = 2; r < x.cells.size(); ++r) {
        if (x.cells[r].size() > 4 && x.cells[r][1] == "2024-05") {
            EXPECT_EQ(x.cells[r][2], "5000");
            EXPECT_EQ(x.cells[r][4], "120.5");
            EXPECT_TRUE(x.isNumber("C" + std::to_string(r + 1)));
            found = true;
        }
    }
    EXPECT_TRUE(found);
    const fs::path stats = folder.path() / "stats.xlsx";
    ASSERT_EQ(run({"--book", "家庭账簿", "export-sheet", "statistics", stats.string()}),
              kCommandDone);
    EXPECT_FALSE(inspectXlsx(stats).empty());
    EXPECT_EQ(run({"--book", "家庭账簿", "export-sheet", "weekly", stats.string()}), kCommandUsage);
}

TEST_F(CommandLine, ABillsDryRunPrintsEachRowsFateAndWritesNothing) {
    const fs::path bill = folder.path() / "wechat.csv";
    std::ofstream(bill, std::ios::binary)
        << "\xEF\xBB\xBF微信支付账单明细,,,,,,,,\n微信昵称：[测试],,,,,,,,\n"
           "起始时间：[2024-03-01 00:00:00] 终止时间：[2024-03-31 23:59:59],,,,,,,,\n"
           "导出类型：[全部],,,,,,,,\n导出时间：[2024-04-01 10:00:00],,,,,,,,\n,,,,,,,,\n"
           "共2笔记录,,,,,,,,\n收入：0笔 ¥0.00,,,,,,,,\n支出：2笔 ¥58.50,,,,,,,,\n"
           "中性交易：0笔 ¥0.00,,,,,,,,\n注：,,,,,,,,\n1. 说明,,,,,,,,\n2. 说明,,,,,,,,\n"
           "3. 说明,,,,,,,,\n,,,,,,,,\n"
           "----------------------微信支付账单明细列表--------------------,,,,,,,,\n"
           "交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,"
           "商户单号,备注\n"
           "2024-03-05 08:15:00,商户消费,某某早餐店,\"早餐\",支出,¥8.50,零钱,支付成功,"
           "4200002024030500000001\t,10001\t,\"/\"\n"
           "2024-03-07 09:00:00,零钱提现,招商银行(1234),\"/\",/,¥100.00,招商银行(1234),"
           "提现已到账,4200002024030700000003\t,\"/\",\"/\"\n";
    const std::string before = dump();
    EXPECT_EQ(run({"--book", "家庭账簿", "import-bill", bill.string()}), kCommandUsage);
    ASSERT_EQ(run({"--book", "家庭账簿", "import-bill", bill.string(), "--dry-run"}), kCommandDone)
        << err.str();
    std::istringstream lines(out.str());
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 2u) << out.str();
    EXPECT_TRUE(rows[0].starts_with("2024-03-05\t-8.50\t将导入\t")) << rows[0];
    // Money between the household's own accounts is not income or expense.
    EXPECT_TRUE(rows[1].starts_with("2024-03-07\t-100.00\t不计收支\t")) << rows[1];
    EXPECT_NE(err.str().find("微信"), std::string::npos);
    EXPECT_EQ(dump(), before);  // nothing written
}

}  // namespace
}  // namespace fennory
