#include <gtest/gtest.h>

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "core/data_module.h"
#include "core/database.h"
#include "core/errors.h"
#include "core/money.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

std::string bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& p, const std::string& b) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << b;
}

// A fresh data file with one book and an account, as the program writes it.
fs::path madeFile(const testing::TempFolder& folder) {
    fs::path f = folder.path() / "db.eac";
    Database db = Database::create(f);
    db.execute("INSERT INTO SBook(BName) VALUES('家')");
    db.execute("INSERT INTO SAccount(AName,BName,AMoney) VALUES('现金','家',1000000)");
    return f;
}

// Opening must fail with a message holding `expected`, and leave the file as it was.
void expectRefused(const fs::path& f, const std::string& expected) {
    std::string before = bytes(f);
    try {
        Database::open(f);
        ADD_FAILURE() << "opened " << f;
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
    }
    EXPECT_EQ(bytes(f), before);
}

TEST(DataFileRefusal, DamagedForeignReadOnlyAndFolderFilesAreRefusedUntouched) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    const std::string whole = bytes(f);

    writeBytes(f, whole.substr(0, whole.size() - 100));
    expectRefused(f, "请从备份恢复");

    std::string zeroed = whole;
    std::fill(zeroed.begin() + 2048, zeroed.begin() + 6144, '\0');
    writeBytes(f, zeroed);
    expectRefused(f, "请从备份恢复");

    writeBytes(f, whole);
    {
        Database db = Database::open(f);
        db.executeScript("DROP TABLE UPlan");
    }
    expectRefused(f, "缺少表 UPlan");

    writeBytes(f, whole);
    fs::permissions(f, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    expectRefused(f, "只读");
    fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write);

    fs::create_directory(folder.path() / "folder.eac");
    try {
        Database::open(folder.path() / "folder.eac");
        ADD_FAILURE() << "opened a folder";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("是一个文件夹"), std::string::npos) << e.what();
    }
}

TEST(DataFileRefusal, AFileOfANewerVersionIsRefused) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
        db.executeScript("PRAGMA user_version = 99");
    }
    expectRefused(f, "更新版本");
}

class Upgrade : public ::testing::Test {
protected:
    Upgrade() {
        file = folder.path() / "db.eac";
        fs::copy_file(FENNORY_TEST_DATA "/book_v0.eac", file);
    }
    testing::TempFolder folder;
    fs::path file;
};

TEST_F(Upgrade, AVersionZeroFileOpensWithItsBooksBalancesAndLog) {
    std::string before = bytes(file);
    Database db = Database::open(file);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    Session session;
    session.CurrentBook = "我家";
    TfrmDM dm(db, session);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(150));
    EXPECT_EQ(dm.RetAMoney("Bank"), *Money::parse("250.5"));
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM UList WHERE BName='我家'"), 3);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM InTable"), 1);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SAType"), 5);
    // One settings row per book now; the first of the two is kept.
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SMRX"), 1);
    // The file as it was stays beside it.
    EXPECT_EQ(bytes(fs::path(file.string() + ".v0.bak")), before);
    // And the upgraded file follows the new rules.
    EXPECT_EQ(dm.RetAMoney("bank"), *Money::parse("250.5"));
    EXPECT_THROW(db.execute("UPDATE SAccount SET AMoney=1.5"), DbError);
}

TEST(UpgradeFromSix, AVersionSixFileGetsTheBudgets) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript("DROP TABLE Budget; PRAGMA user_version = 6");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryInt("SELECT AMoney FROM SAccount WHERE AName='现金'").value(), 1000000);
    db.execute(
        "INSERT INTO Budget(BName,theType,theName,theYear,theMonth,theMoney) "
        "VALUES('我家','支出','餐饮',2026,12,10000000)");
    EXPECT_THROW(db.execute("INSERT INTO Budget(BName,theType,theName,theYear,theMonth,theMoney) "
                            "VALUES('我家','支出','餐饮',2026,12,1)"),
                 DbError);  // one amount per category and month
}

TEST(UpgradeFromSeven, TheBudgetReminderIsOnForEveryBookAndTheFileIsStillOurOwn) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        // SMRX as version 7 made it, without the budget reminder's switch.
        db.executeScript(
            "ALTER TABLE SMRX RENAME TO SMRX7; DROP INDEX SMRX_BName; "
            "CREATE TABLE SMRX (\n    BName TEXT COLLATE NOCASE NOT NULL,\n"
            "    BPassKG INTEGER NOT NULL DEFAULT 0,\n    BPass TEXT DEFAULT '',\n"
            "    FName TEXT COLLATE NOCASE DEFAULT '',\n    AName TEXT COLLATE NOCASE DEFAULT '',\n"
            "    IName TEXT COLLATE NOCASE DEFAULT '',\n    OName TEXT COLLATE NOCASE DEFAULT '',\n"
            "    TName TEXT COLLATE NOCASE DEFAULT '',\n    PName TEXT COLLATE NOCASE DEFAULT '',\n"
            "    D_I INTEGER NOT NULL DEFAULT 0,\n    D_O INTEGER NOT NULL DEFAULT 0,\n"
            "    D_C INTEGER NOT NULL DEFAULT 0,\n    D_B INTEGER NOT NULL DEFAULT 0,\n"
            "    D_D INTEGER NOT NULL DEFAULT 0,\n    D_T INTEGER NOT NULL DEFAULT 0,\n"
            "    TX_M INTEGER NOT NULL DEFAULT -1,\n    TX_T INTEGER NOT NULL DEFAULT 0\n); "
            "INSERT INTO SMRX SELECT BName, BPassKG, BPass, FName, AName, IName, OName, TName, "
            "PName, D_I, D_O, D_C, D_B, D_D, D_T, TX_M, TX_T FROM SMRX7; DROP TABLE SMRX7; "
            "CREATE UNIQUE INDEX SMRX_BName ON SMRX(BName); PRAGMA user_version = 7");
    }
    Database db = Database::open(f);  // refuses a file that is not our own schema
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SMRX WHERE TX_B=-1"),
              db.queryInt("SELECT count(*) FROM SMRX"));
    db.close();
    EXPECT_NO_THROW(Database::open(f));  // and again, now as a file of this version
}

TEST(UpgradeFromFive, AVersionFiveFileGetsTheTableOfKeptRowsAndTheMoneyOfEachAction) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP TABLE Budget; DROP TABLE UndoRows; DROP TABLE UndoAction; "
            "CREATE TABLE UndoAction (ID INTEGER PRIMARY KEY, BName TEXT COLLATE NOCASE NOT NULL "
            "DEFAULT '', theTime TEXT NOT NULL DEFAULT '', Caption TEXT NOT NULL DEFAULT '', "
            "Undone INTEGER NOT NULL DEFAULT 0); "
            "INSERT INTO UndoAction(ID, BName, Caption) VALUES(1, '我家', '新增收入记录'); "
            "PRAGMA user_version = 5");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryInt("SELECT AMoney FROM SAccount WHERE AName='现金'").value(), 1000000);
    db.execute("INSERT INTO UndoRows(ActionID, Tbl, RowID, c1) VALUES(1, 'InTable', 1, 2.5)");
    EXPECT_EQ(db.queryText("SELECT typeof(c1) FROM UndoRows").value(), "real");
    EXPECT_EQ(db.queryText("SELECT Caption||MoneyIn||MoneyOut FROM UndoAction").value(),
              "新增收入记录00");
}

TEST(UpgradeFromFour, AVersionFourFileGetsTheHistoryTablesAndKeepsItsRows) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP TABLE UndoLog; DROP TABLE UndoAction; DROP TABLE UndoRows; DROP TABLE Budget; "
            "PRAGMA user_version = 4");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryInt("SELECT AMoney FROM SAccount WHERE AName='现金'").value(), 1000000);
    db.execute("INSERT INTO UndoLog(ActionID, Stmt) VALUES(1, 'SELECT 1')");
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM UndoAction").value(), 0);
}

TEST(UpgradeFromThree, AVersionThreeFileGetsTheBillTables) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP TABLE BillSeen; DROP TABLE BillMap; DROP TABLE BillLayout; "
            "PRAGMA user_version = 3");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    db.execute("INSERT INTO BillSeen(BName,Source,TxKey) VALUES('我家','支付宝','1')");
    EXPECT_THROW(db.execute("INSERT INTO BillSeen(BName,Source,TxKey) VALUES('我家','支付宝','1')"),
                 DbError);  // one row per transaction
}

TEST(UpgradeFromTwo, AVersionTwoFileGetsTheCoveringDateIndexes) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP INDEX InTable_Book_Date; CREATE INDEX InTable_Book_Date ON InTable(BName, "
            "IDate); "
            "INSERT INTO InTable(BName,IDate,IName,IMoney) "
            "VALUES('我家','2024-01-02','工资',10000); "
            "PRAGMA user_version = 2");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    auto columns = [&](const char* index) {
        Statement s = db.prepare(std::string("PRAGMA index_info(") + index + ")");
        int n = 0;
        while (s.step()) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(columns("InTable_Book_Date"), 6);
    EXPECT_EQ(columns("OutTable_Book_Date"), 6);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM InTable"), 1);
    // A period's sum is read from the index alone.
    Statement plan = db.prepare(
        "EXPLAIN QUERY PLAN SELECT sum(IMoney) FROM InTable WHERE BName='我家' AND IDate>'2024'");
    ASSERT_TRUE(plan.step());
    EXPECT_NE(plan.text(3).find("COVERING INDEX InTable_Book_Date"), std::string::npos)
        << plan.text(3);
}

TEST(UpgradeFromOne, AVersionOneFileGetsTheRecordListIndexes) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP INDEX InTable_Book; DROP INDEX OutTable_Book; DROP INDEX ChangeT_Book; "
            "PRAGMA user_version = 1");
    }
    Database db = Database::open(f);
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM sqlite_master WHERE type='index' AND name IN "
                          "('InTable_Book','OutTable_Book','ChangeT_Book')"),
              3);
    EXPECT_TRUE(fs::exists(f.string() + ".v1.bak"));
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SAccount"), 1);
}

TEST_F(Upgrade, AnOldFileThatCannotBeUpgradedIsLeftAsItWas) {
    {
        sqlite3* raw = nullptr;
        sqlite3_open(file.string().c_str(), &raw);
        sqlite3_key(raw, "pxd417", 6);
        // A table of the right name but not of this program's columns.
        sqlite3_exec(raw,
                     "DROP TABLE UPlan; CREATE TABLE UPlan(ID INTEGER PRIMARY KEY, BName TEXT)",
                     nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    }
    std::string before = bytes(file);
    try {
        Database::open(file);
        ADD_FAILURE() << "opened a file that could not be upgraded";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("没有作任何改动"), std::string::npos) << e.what();
    }
    EXPECT_EQ(bytes(file), before);
}

TEST(NamesIgnoreLetterCase, CashAndcashAreOneAccount) {
    testing::TempFolder folder;
    Database db = Database::create(folder.path() / "db.eac");
    db.execute("INSERT INTO SAccount(AName,BName) VALUES('Cash','家')");
    EXPECT_THROW(db.execute("INSERT INTO SAccount(AName,BName) VALUES('cash','家')"), DbError);
    Session session;
    session.CurrentBook = "家";
    TfrmDM dm(db, session);
    dm.AccountUp(Money::yuan(5), "CASH");
    EXPECT_EQ(dm.RetAMoney("cash"), Money::yuan(5));
}

TEST(OneRowWhereOneIsMeant, SettingsRememberedBookAndThresholds) {
    testing::TempFolder folder;
    Database db = Database::create(folder.path() / "db.eac");
    db.execute("INSERT INTO SMRX(BName) VALUES('家')");
    EXPECT_THROW(db.execute("INSERT INTO SMRX(BName) VALUES('家')"), DbError);
    db.execute("INSERT INTO SMRB(BName) VALUES('家')");
    EXPECT_THROW(db.execute("INSERT INTO SMRB(BName) VALUES('另一本')"), DbError);
    db.execute("INSERT INTO UWarn(BName,theType,FName) VALUES('家','支出','爸爸')");
    db.execute("INSERT INTO UWarn(BName,theType,FName) VALUES('家','收入','爸爸')");
    EXPECT_THROW(db.execute("INSERT INTO UWarn(BName,theType,FName) VALUES('家','支出','爸爸')"),
                 DbError);
}

TEST(Overflow, MoneyArithmeticThrowsInsteadOfWrapping) {
    Money big = Money::fromUnits(std::numeric_limits<std::int64_t>::max() - 1);
    EXPECT_THROW(big + Money::fromUnits(2), MoneyOverflow);
    EXPECT_THROW(-big - Money::fromUnits(3), MoneyOverflow);
    EXPECT_EQ((big - big).units(), 0);
}

TEST(Overflow, TypedAmountsAreLimitedWithAMessageNamingTheField) {
    EXPECT_EQ(Money::typedRangeError("账户余额", "9999999999.99"), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("账户余额", "-9999999999.99"), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("账户余额", "10000000000"),
              "账户余额 超出范围！金额的绝对值不能大于 9,999,999,999.99，请重新录入！");
    EXPECT_NE(Money::typedRangeError("实际余额", "922337203685476"), std::nullopt);
    EXPECT_NE(Money::typedRangeError("实际余额", "99999999999999999999999"), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("实际余额", "abc"), std::nullopt);  // its own check says so
}

class OverflowInBooks : public testing::BookTest {};

TEST_F(OverflowInBooks, AnOverflowingAdjustmentLeavesTheFileUnchanged) {
    addAccount("甲", "0");
    // Balances near the limit of what the engine holds, as old files might have.
    db.execute("UPDATE SAccount SET AMoney=9223372036854775000");
    std::string before = dump();
    {
        Transaction t(db);
        EXPECT_THROW(dm.AccountUp(Money::fromUnits(1000), "甲"), DbError);
    }
    EXPECT_EQ(dump(), before);
    EXPECT_THROW(db.execute("UPDATE SAccount SET AMoney=AMoney*1.0 WHERE AName='甲'"), DbError);
}

TEST(ErrorMessages, EngineFailuresBecomeSentencesAndGoToTheLog) {
    EXPECT_EQ(userMessage(DbError(SQLITE_FULL, "database or disk is full", "INSERT ...")),
              "磁盘空间不足，操作没有完成，数据未作改动。");
    EXPECT_EQ(userMessage(DbError(SQLITE_READONLY, "attempt to write a readonly database", "")),
              "数据文件是只读的，操作没有完成，数据未作改动。请检查文件的权限。");
    EXPECT_EQ(userMessage(DbError(SQLITE_CORRUPT, "database disk image is malformed", "")),
              "数据文件已损坏，操作没有完成。请从备份恢复。");
    EXPECT_EQ(userMessage(DbError(SQLITE_ERROR, "integer overflow", "SELECT sum(AMoney)")),
              "金额合计超出范围，操作没有完成，数据未作改动。");
    EXPECT_EQ(userMessage(MoneyOverflow()), "金额超出范围，操作没有完成，数据未作改动。");

    testing::TempFolder folder;
    fs::path log = folder.path() / "error.log";
    logError(log, DbError(SQLITE_FULL, "database or disk is full", "INSERT INTO UList"), 64);
    EXPECT_NE(bytes(log).find("INSERT INTO UList"), std::string::npos);
    logError(log, DbError(SQLITE_FULL, "database or disk is full", "second"), 64);
    EXPECT_TRUE(fs::exists(log.string() + ".1"));  // past the cap the log rotates
    EXPECT_EQ(bytes(log).find("INSERT INTO UList"), std::string::npos);
}

TEST(ErrorWords, FileFailuresAreSaidInChineseAndTheSystemsWordsAreLogged) {
    EXPECT_EQ(fileErrorReason(std::make_error_code(std::errc::no_space_on_device)), "磁盘空间不足");
    EXPECT_EQ(fileErrorReason(std::make_error_code(std::errc::permission_denied)), "没有权限");
    EXPECT_EQ(fileErrorReason(std::make_error_code(std::errc::io_error)), "读写文件出错");
    testing::TempFolder folder;
    const fs::path log = folder.path() / "error.log";
    const DataFileError e(
        "数据文件已损坏。请从备份恢复。",
        "*** in database main ***\nPage 7: btreeInitPage() returns error code 11");
    EXPECT_EQ(userMessage(e), "数据文件已损坏。请从备份恢复。");
    logError(log, e);
    EXPECT_NE(bytes(log).find("btreeInitPage"), std::string::npos);
}

TEST(DiskFull, ASaveThatRunsOutOfSpaceLeavesTheFileConsistentAndSaysSo) {
    testing::TempFolder folder;
    fs::path f = madeFile(folder);
    Database db = Database::open(f);
    Session session;
    session.CurrentBook = "家";
    TfrmDM dm(db, session);
    auto pages = db.queryInt("PRAGMA page_count").value();
    db.executeScript("PRAGMA max_page_count = " + std::to_string(pages));
    std::string message;
    try {
        Transaction t(db);
        dm.AccountUp(Money::yuan(1), "现金");
        for (int i = 0; i < 2000; ++i) {
            dm.List_Add({.theDate = "2026-12-09",
                         .theType = "工资",
                         .Remark = std::string(200, 'x'),
                         .AName = "现金"});
        }
        t.commit();
    } catch (const DbError& e) {
        message = userMessage(e);
    }
    EXPECT_EQ(message, "磁盘空间不足，操作没有完成，数据未作改动。");
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(100));
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM UList"), 0);
    EXPECT_EQ(db.queryText("PRAGMA quick_check"), "ok");
}

}  // namespace
}  // namespace fennory
