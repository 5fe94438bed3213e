#include <gtest/gtest.h>

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <fstream>

#include "core/database.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using testing::BookTest;
using testing::TempFolder;

using DataFile = BookTest;

TEST_F(DataFile, ShipsTheFiveAccountTypesAndTheEditionRow) {
    EXPECT_EQ(rows("SELECT theName FROM SAType ORDER BY rowid"),
              (std::vector<std::vector<std::string>>{
                  {"现金"}, {"银行卡"}, {"信用卡"}, {"电子账户"}, {"其它"}}));
    EXPECT_EQ(rows("SELECT ID, theBT FROM SBase"),
              (std::vector<std::vector<std::string>>{{"1", ""}}));
}

TEST_F(DataFile, EveryOtherTableExistsAndIsEmpty) {
    for (const char* table :
         {"SBook",   "SMRB",  "SMRX",    "SAccount", "SFamily", "InD",    "OutD",
          "TD",      "PD",    "InTable", "OutTable", "ChangeT", "Borrow", "Debt",
          "BorrowR", "DebtR", "BList",   "DList",    "TList",   "TTable", "TTableR",
          "UPlan",   "UWarn", "UList",   "SZTable"}) {
        EXPECT_EQ(one(std::string("SELECT count(*) FROM ") + table), "0") << table;
    }
}

TEST_F(DataFile, TablesHaveTheirColumnsInOrder) {
    auto columns = [&](const std::string& table) {
        std::string out;
        for (const auto& r : rows("PRAGMA table_info(" + table + ")")) {
            out += r[1] + ",";
        }
        return out;
    };
    EXPECT_EQ(columns("SAccount"),
              "ID,AName,BName,thePY,theState,theCount,Remark,AMoney,theType,FName,");
    EXPECT_EQ(columns("UList"),
              "ID,theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,theID,theE,");
    EXPECT_EQ(columns("SMRX"),
              "BName,BPassKG,BPass,FName,AName,IName,OName,TName,PName,D_I,D_O,D_C,D_B,D_D,D_T,"
              "TX_M,TX_T,TX_B,");
    EXPECT_EQ(columns("TTableR"), "ID,TID,RDate,RMoney,SMoney,AName,FName,Remark,BName,");
    EXPECT_EQ(columns("SZTable"), "ID,theDate,theSM,theSC,theZM,theZC,theJY,theBC,");
}

TEST_F(DataFile, RepaidAndReturnedAmountsStartAtZero) {
    db.execute("INSERT INTO Borrow(BName,BDate,BPro,BMoney) VALUES('b','2024-01-01','张三',?1)",
               Money::yuan(100));
    db.execute("INSERT INTO TTable(BName,TDate,TName,TMoney) VALUES('b','2024-01-01','基金',?1)",
               Money::yuan(100));
    db.execute("UPDATE Borrow SET RMoney=RMoney+?1", Money::yuan(30));
    EXPECT_EQ(one("SELECT RMoney FROM Borrow"), "300000");
    EXPECT_EQ(one("SELECT RMoney FROM TTable"), "0");
    db.execute("INSERT INTO InD(BName,IName) VALUES('b','工资')");
    EXPECT_EQ(one("SELECT theCount FROM InD"), "0");
}

TEST_F(DataFile, KeysAreNeverReused) {
    db.execute("INSERT INTO InTable(BName,IDate,IMoney) VALUES('b','2024-01-01',1)");
    db.execute("INSERT INTO InTable(BName,IDate,IMoney) VALUES('b','2024-01-01',2)");
    db.execute("DELETE FROM InTable WHERE ID=2");
    db.execute("INSERT INTO InTable(BName,IDate,IMoney) VALUES('b','2024-01-01',3)");
    EXPECT_EQ(db.lastInsertId(), 3);
}

TEST_F(DataFile, QuotesPercentSignsAndBackslashesAreStoredAsTyped) {
    const std::string tricky = "O'Brien's 100% \\ \"工资\"; DROP TABLE SBook;--";
    db.execute("INSERT INTO InD(BName,IName) VALUES(?1,?2)", tricky, tricky);
    EXPECT_EQ(db.queryText("SELECT IName FROM InD WHERE BName=?1", tricky).value(), tricky);
    EXPECT_EQ(one("SELECT count(*) FROM SBook"), "0");
}

TEST(DataFileEncryption, ThePlainEngineCannotReadItButTheKeyedOneCan) {
    TempFolder folder;
    auto file = folder.path() / "db.eac";
    Database::create(file);

    std::ifstream in(file, std::ios::binary);
    char head[16] = {};
    in.read(head, 15);
    EXPECT_NE(std::string(head), "SQLite format 3");

    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.string().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    char* err = nullptr;
    int rc = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_NOTADB);
    sqlite3_free(err);
    sqlite3_exec(raw, "PRAGMA key='pxd417'", nullptr, nullptr, nullptr);
    rc = sqlite3_exec(raw, "SELECT count(*) FROM SAType", nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(raw);
}

TEST(DataFileOpen, RefusesFilesThatAreNotThisProgramsDataFile) {
    TempFolder folder;
    auto missing = folder.path() / "missing.eac";
    EXPECT_THROW(Database::open(missing), DataFileError);

    auto text = folder.path() / "notes.eac";
    std::ofstream(text) << "这不是数据文件 — just some notes, long enough to fill a page header.";
    EXPECT_THROW(Database::open(text), DataFileError);

    auto empty = folder.path() / "empty.eac";
    std::ofstream{empty};
    EXPECT_THROW(Database::open(empty), DataFileError);

    // A plain SQLite file, and an encrypted one that lacks the tables.
    auto plain = folder.path() / "plain.eac";
    sqlite3* raw = nullptr;
    sqlite3_open(plain.string().c_str(), &raw);
    sqlite3_exec(raw, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    EXPECT_THROW(Database::open(plain), DataFileError);

    auto other = folder.path() / "other.eac";
    raw = nullptr;
    sqlite3_open(other.string().c_str(), &raw);
    sqlite3_key(raw, "pxd417", 6);
    sqlite3_exec(raw, "CREATE TABLE SAType(theName)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    try {
        Database::open(other);
        ADD_FAILURE() << "opened a file without the program's tables";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("缺少表"), std::string::npos) << e.what();
    }

    // Nothing was created in place of the missing file.
    EXPECT_FALSE(std::filesystem::exists(missing));
}

std::string fileBytes(const std::filesystem::path& f) {
    std::ifstream in(f, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Someone else's objects in a keyed file: the file is refused before anything
// in it is read, and left exactly as it was.
TEST(DataFileOpen, RefusesEveryObjectThisProgramDoesNotMakeAndLeavesTheFileAsItWas) {
    testing::TempFolder folder;
    const auto made = folder.path() / "made.eac";
    Database::create(made).close();
    const std::pair<const char*, const char*> foreign[] = {
        {"CREATE TRIGGER t1 AFTER INSERT ON InTable BEGIN DELETE FROM OutTable; END", "触发器 t1"},
        {"CREATE VIEW v1 AS SELECT * FROM InTable", "视图 v1"},
        {"CREATE TABLE extra(x)", "表 extra"},
        {"CREATE INDEX extra_i ON InTable(Remark)", "索引 extra_i"},
        {"CREATE VIRTUAL TABLE r1 USING rtree(id, a, b)", "虚拟表 r1"},
        // An object of our name whose text is not ours: an index on an expression.
        {"DROP INDEX InTable_Book_Date; CREATE INDEX InTable_Book_Date ON "
         "InTable(BName, length(hex(zeroblob(100000000))))",
         "索引 InTable_Book_Date"},
    };
    for (const auto& [sql, named] : foreign) {
        const auto file = folder.path() / "hostile.eac";
        std::filesystem::copy_file(made, file, std::filesystem::copy_options::overwrite_existing);
        sqlite3* raw = nullptr;
        sqlite3_open(file.string().c_str(), &raw);
        sqlite3_key(raw, "pxd417", 6);
        sqlite3_exec(raw,
                     "PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000; "
                     "PRAGMA cipher_hmac_algorithm = HMAC_SHA1; "
                     "PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1;",
                     nullptr, nullptr, nullptr);
        char* err = nullptr;
        const int rc = sqlite3_exec(raw, sql, nullptr, nullptr, &err);
        const std::string engine = err ? err : "";
        sqlite3_free(err);
        sqlite3_close(raw);
        if (rc != SQLITE_OK && engine.find("no such module") != std::string::npos) {
            continue;  // this engine has no such virtual tables to plant
        }
        ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << engine;
        const std::string bytes = fileBytes(file);
        try {
            Database::open(file);
            ADD_FAILURE() << "opened a file holding " << named;
        } catch (const DataFileError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("含有本软件不会建立的") + named),
                      std::string::npos)
                << e.what();
        }
        EXPECT_EQ(fileBytes(file), bytes) << named;
    }
}

// Files made by earlier versions, upgraded, open again under the strict check.
TEST(DataFileOpen, AnUpgradedFileIsStillOurOwnSchema) {
    testing::TempFolder folder;
    const auto f = folder.path() / "old.eac";
    {
        Database db = Database::create(f);
        db.executeScript(
            "DROP TABLE UndoRows; DROP TABLE UndoAction; "
            "CREATE TABLE UndoAction (ID INTEGER PRIMARY KEY, BName TEXT COLLATE NOCASE NOT NULL "
            "DEFAULT '', theTime TEXT NOT NULL DEFAULT '', Caption TEXT NOT NULL DEFAULT '', "
            "Undone INTEGER NOT NULL DEFAULT 0); PRAGMA user_version = 5");
    }
    Database::open(f).close();  // upgraded
    EXPECT_NO_THROW(Database::open(f));

    // An older file is held to our names and plain definitions before its upgrade.
    {
        Database db = Database::open(f);
        db.executeScript(
            "DROP INDEX InTable_Book_Date; CREATE INDEX InTable_Book_Date ON "
            "InTable(BName, length(hex(zeroblob(100000000)))); PRAGMA user_version = 4");
    }
    try {
        Database::open(f);
        ADD_FAILURE() << "upgraded a file holding an expression index";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("索引 InTable_Book_Date"), std::string::npos)
            << e.what();
    }
}

TEST(DataFileOpen, CreateNeverOverwritesAFile) {
    TempFolder folder;
    auto file = folder.path() / "db.eac";
    {
        Database d = Database::create(file);
        d.execute("INSERT INTO SBook(BName) VALUES('家')");
    }
    EXPECT_THROW(Database::create(file), DataFileError);
    Database d = Database::open(file);
    EXPECT_EQ(d.queryText("SELECT BName FROM SBook").value(), "家");
}

TEST(DataFileOpen, TheFileTheBuildMadeOpensWithTheShippedRows) {
    TempFolder folder;
    auto copy = folder.path() / "db.eac";
    std::filesystem::copy_file(FENNORY_SHIPPED_DATA_FILE, copy);
    Database d = Database::open(copy);
    EXPECT_EQ(d.queryInt("SELECT count(*) FROM SAType").value(), 5);
    EXPECT_EQ(d.queryInt("SELECT count(*) FROM SBook").value(), 0);
}

TEST_F(DataFile, EngineErrorsCarryTheEnginesMessageAndTheStatement) {
    try {
        db.execute("INSERT INTO NoSuchTable(x) VALUES(1)");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_NE(e.engineMessage().find("no such table"), std::string::npos) << e.what();
        EXPECT_EQ(e.statement(), "INSERT INTO NoSuchTable(x) VALUES(1)");
    }
    try {
        db.execute("INSERT INTO SBook(BName) VALUES(NULL)");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_NE(e.engineMessage().find("NOT NULL"), std::string::npos) << e.what();
    }
}

TEST_F(DataFile, TransactionsCommitOrLeaveNothing) {
    {
        Transaction t(db);
        db.execute("INSERT INTO SBook(BName) VALUES('一')");
        t.commit();
    }
    {
        Transaction t(db);
        db.execute("INSERT INTO SBook(BName) VALUES('二')");
        // leaves without commit
    }
    EXPECT_EQ(rows("SELECT BName FROM SBook"), (std::vector<std::vector<std::string>>{{"一"}}));
    EXPECT_EQ(db.transactionDepth(), 0);
}

TEST_F(DataFile, AnInnerTransactionRollsBackAloneAsASavepoint) {
    {
        Transaction outer(db);
        db.execute("INSERT INTO SBook(BName) VALUES('外')");
        {
            Transaction inner(db);
            EXPECT_EQ(db.transactionDepth(), 2);
            db.execute("INSERT INTO SBook(BName) VALUES('内')");
        }
        {
            Transaction inner(db);
            db.execute("INSERT INTO SBook(BName) VALUES('内二')");
            inner.commit();
        }
        outer.commit();
    }
    EXPECT_EQ(rows("SELECT BName FROM SBook ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"外"}, {"内二"}}));

    {
        Transaction outer(db);
        {
            Transaction inner(db);
            db.execute("INSERT INTO SBook(BName) VALUES('丢')");
            inner.commit();
        }
        // the outer one is abandoned: the committed inner work goes with it
    }
    EXPECT_EQ(one("SELECT count(*) FROM SBook"), "2");
}

TEST_F(DataFile, AFailedStatementInsideATransactionLeavesTheFileAsBefore) {
    db.execute("INSERT INTO SBook(BName) VALUES('一')");
    std::string before = dump();
    try {
        Transaction t(db);
        db.execute("INSERT INTO SBook(BName) VALUES('二')");
        db.execute("INSERT INTO SBook(BName) VALUES('一')");  // duplicate book name
        t.commit();
        FAIL() << "duplicate accepted";
    } catch (const DbError&) {
    }
    EXPECT_EQ(dump(), before);
    // and the file is whole when reopened
    Database again = Database::open(folder.path() / "db.eac");
    EXPECT_EQ(again.queryInt("SELECT count(*) FROM SBook").value(), 1);
}

TEST_F(DataFile, MoneyRoundTripsExactly) {
    Money m = *Money::parse("-12345678.9876");
    db.execute("INSERT INTO UList(theDate,BName,AMoney,Remark) VALUES('2024-01-01','b',?1,?2)", m,
               Null{});
    Statement s = db.prepare("SELECT AMoney, Remark FROM UList");
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.money(0), m);
    EXPECT_TRUE(s.isNull(1));
}

}  // namespace
}  // namespace fennory
