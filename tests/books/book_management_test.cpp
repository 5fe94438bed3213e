#include <gtest/gtest.h>

#define SQLITE_HAS_CODEC 1  // sqlite3_key, to make a file keyed otherwise
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <map>

#include "core/dates.h"
#include "core/history.h"

#include "books/backup.h"
#include "books/book_creation.h"
#include "books/book_management.h"
#include "books/open_book.h"
#include "books/preferences.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

// Two books, "家" open and "别的", each with a row in every table of a book.
class Books : public testing::BookTest {
protected:
    Books() {
        session.CurrentBook.clear();
        for (const char* name : {"家", "别的"}) {
            NewBookInput in;
            in.name = name;
            in.password = "pw";
            in.confirm = "pw";
            EXPECT_TRUE(createFirstBook(dm, in).ok);
            session.CurrentBook.clear();
        }
        EXPECT_TRUE(openBook(dm, {"家", "pw", false, false}).ok);
        for (const char* table : bookTables()) {
            const std::string t = table;
            if (t == "SBook" || t == "SMRX" || t == "SMRB") {
                continue;  // made with the book; one remembered book in all
            }
            for (const char* book : {"家", "别的"}) {
                // The same names in both books.
                insertRow(table, {{"BName", book}});
            }
        }
        insertRow("SMRB", {{"BName", "别的"}});
    }
    std::string count(const char* table, const char* book) {
        return one(std::string("SELECT count(*) FROM ") + table + " WHERE BName='" + book + "'");
    }
    std::string bytes(const fs::path& f) {
        std::ifstream in(f, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(Books, TheOpenBookCannotBeDeletedAndAnotherGoesFromEveryTable) {
    std::map<std::string, std::string> home;
    for (const char* table : bookTables()) {
        home[table] = count(table, "家");
    }
    EXPECT_EQ(deleteBook(dm, "家").message, "不能删除当前打开账簿！");
    EXPECT_EQ(count("InTable", "家"), "1");
    BookListModel list(dm);
    list.refresh();
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.text(BookListColumn::Name), "别的");  // the newest first
    ASSERT_TRUE(list.removeBook(list.currentId()).ok);
    for (const char* table : bookTables()) {
        EXPECT_EQ(count(table, "别的"), "0") << table;
        EXPECT_EQ(count(table, "家"), home[table]) << table;  // the same names stay
    }
    EXPECT_EQ(list.rows().size(), 1u);
}

// Deleting or renaming a whole book is not an action of the open book's history:
// the deleted book is kept in a copy of the data file, and the history of the
// book deleted or renamed goes, since its statements name the book as it was.
TEST_F(Books, AWholeBookDeletedOrRenamedIsNotInTheHistoryAndACopyKeepsTheDeleted) {
    History history(db, [this] { return dm.book(); });
    session.CurrentBook = "别的";
    db.execute("UPDATE InTable SET Remark='改过' WHERE BName='别的'");
    session.CurrentBook = "家";
    db.execute("UPDATE InTable SET Remark='改过' WHERE BName='家'");
    ASSERT_EQ(history.entries().size(), 1u);

    ASSERT_TRUE(renameBook(dm, "别的", "新名字").ok);
    ASSERT_TRUE(deleteBook(dm, "新名字").ok);
    EXPECT_EQ(history.entries().size(), 1u);  // the open book's own action only
    EXPECT_EQ(one("SELECT count(*) FROM UndoAction WHERE BName<>'家'"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE ActionID NOT IN (SELECT ID FROM UndoAction)"),
              "0");

    std::vector<fs::path> copies;
    for (const auto& e : fs::directory_iterator(db.path().parent_path() / "Backup")) {
        copies.push_back(e.path());
    }
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].filename().string().rfind("删除账簿前-", 0), 0u);
    Database copy = Database::open(copies[0]);
    EXPECT_EQ(copy.queryInt("SELECT count(*) FROM InTable WHERE BName='新名字'").value_or(0), 1);
}

TEST_F(Books, AFaultHalfWayThroughADeleteOrRenameLeavesTheFileAsItWas) {
    db.execute(
        "CREATE TEMP TRIGGER refuse_delete BEFORE DELETE ON UList BEGIN SELECT RAISE(ABORT, "
        "'disk full'); END");
    db.execute(
        "CREATE TEMP TRIGGER refuse_update BEFORE UPDATE ON TTable BEGIN SELECT RAISE(ABORT, "
        "'disk full'); END");
    const std::string before = dump();
    EXPECT_THROW(deleteBook(dm, "别的"), std::exception);
    EXPECT_EQ(dump(), before);
    EXPECT_THROW(renameBook(dm, "别的", "新名字"), std::exception);
    EXPECT_EQ(dump(), before);
}

TEST_F(Books, ARenameIsCheckedThenCarriedThroughEveryTable) {
    std::map<std::string, std::string> other, home;
    for (const char* table : bookTables()) {
        other[table] = count(table, "别的");
        home[table] = count(table, "家");
    }
    EXPECT_EQ(renameBook(dm, "别的", "").message, "账簿名称 不能为空！");
    EXPECT_EQ(renameBook(dm, "别的", "别的").message, "账簿名称 不能和以前一样！");
    EXPECT_EQ(renameBook(dm, "别的", "家").message, "账簿名称 已经存在！");
    EXPECT_EQ(renameBook(dm, "别的", "新名字").field, RenameField::None);
    for (const char* table : bookTables()) {
        EXPECT_EQ(count(table, "别的"), "0") << table;
        EXPECT_EQ(count(table, "新名字"), other[table]) << table;
        EXPECT_NE(other[table], "0") << table;
        EXPECT_EQ(count(table, "家"), home[table]) << table;
    }
}

TEST_F(Books, APasswordChangeNeedsTheOldOneAndAMatchingConfirmation) {
    auto r = changePassword(dm, "PW", "new", "new");
    EXPECT_EQ(r.message, "原密码错误！");
    EXPECT_EQ(r.field, PasswordField::Old);
    r = changePassword(dm, "pw", "new", "neu");
    EXPECT_EQ(r.message, "新密码与确认密码不一致！");
    EXPECT_EQ(r.field, PasswordField::Confirm);
    EXPECT_EQ(one("SELECT BPass FROM SBook WHERE BName='家'"), "pw");
    EXPECT_TRUE(changePassword(dm, "pw", "", "").ok);  // an empty one is allowed
    EXPECT_EQ(one("SELECT BPass FROM SBook WHERE BName='家'"), "");
    EXPECT_EQ(one("SELECT BPass FROM SBook WHERE BName='别的'"), "pw");
}

// ---- backup and restore ----

TEST_F(Books, ABackupWhileAnotherConnectionWritesOpensAndPassesItsCheck) {
    const fs::path target = backupFileIn(folder.path(), "2024-05-31");
    EXPECT_EQ(target.filename(), "2024-05-31.eac");
    {
        Database writer = Database::open(db.path());
        Transaction t(writer);
        writer.execute("INSERT INTO InTable(BName,IDate,IMoney) VALUES('家','2024-05-01',1)");
        backupDataFile(db, target);
    }  // the writer never commits
    Database copy = Database::open(target);
    EXPECT_EQ(copy.queryText("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(copy.queryInt("SELECT count(*) FROM InTable"), 2);
    EXPECT_EQ(copy.queryInt("SELECT count(*) FROM SBook"), 2);

    // A second backup the same day replaces the first.
    db.execute("INSERT INTO InTable(BName,IDate,IMoney) VALUES('家','2024-05-02',1)");
    backupDataFile(db, target);
    EXPECT_EQ(Database::open(target).queryInt("SELECT count(*) FROM InTable"), 3);
    // A typed path is used as it is.
    const fs::path typed = folder.path() / "我的备份.dat";
    backupDataFile(db, typed);
    EXPECT_TRUE(fs::exists(typed));
    EXPECT_THROW(backupDataFile(db, folder.path() / "no such folder" / "x.eac"), DataFileError);
}

class Restore : public Books {
protected:
    fs::path candidate(const char* name) { return folder.path() / name; }
    void expectRefused(const fs::path& file) {
        const std::string before = bytes(db.path());
        // The check before the question refuses it as the restore would, and
        // names the file the user chose, not the copy it checked.
        try {
            previewRestore(db, file);
            ADD_FAILURE() << file << " was not refused";
        } catch (const DataFileError& e) {
            const std::string said = e.what();
            EXPECT_EQ(said.find(".preview-"), std::string::npos) << said;
            EXPECT_NE(said.find(file.filename().string()), std::string::npos) << said;
        }
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            EXPECT_EQ(entry.path().string().find(".preview-"), std::string::npos);  // no leftovers
        }
        EXPECT_THROW(restoreDataFile(db, file, folder.path() / "Backup", "2024-05-31-120000"),
                     DataFileError)
            << file;
        EXPECT_EQ(bytes(db.path()), before) << file;
        EXPECT_EQ(db.queryInt("SELECT count(*) FROM SBook"), 2);  // still open and working
        EXPECT_FALSE(fs::exists(folder.path() / "Backup")) << file;
    }
    // A file made with the raw library: plain, or keyed with another key.
    fs::path rawFile(const char* name, const char* key) {
        const fs::path f = candidate(name);
        sqlite3* raw = nullptr;
        sqlite3_open(f.string().c_str(), &raw);
        if (key) {
            sqlite3_key(raw, key, static_cast<int>(std::strlen(key)));
        }
        sqlite3_exec(raw, "CREATE TABLE SBook(ID INTEGER); INSERT INTO SBook VALUES(1);", nullptr,
                     nullptr, nullptr);
        sqlite3_close(raw);
        return f;
    }
};

TEST_F(Restore, EveryFileThatIsNotAGoodBackupIsRefusedAndTheDataFileStaysAsItWas) {
    { std::ofstream(candidate("note.eac")) << "这不是数据文件"; }
    expectRefused(candidate("note.eac"));
    expectRefused(rawFile("plain.eac", nullptr));
    expectRefused(rawFile("otherkey.eac", "not-the-key"));

    const fs::path good = candidate("good.eac");
    backupDataFile(db, good);
    const std::string whole = bytes(good);
    {
        std::ofstream(candidate("truncated.eac"), std::ios::binary)
            << whole.substr(0, whole.size() / 2);
    }
    expectRefused(candidate("truncated.eac"));

    const fs::path missing = candidate("missing.eac");
    backupDataFile(db, missing);
    Database::open(missing).executeScript("DROP TABLE UWarn");
    expectRefused(missing);

    // A backup someone planted a trigger in: refused, and left as it was.
    const fs::path planted = candidate("planted.eac");
    backupDataFile(db, planted);
    Database::open(planted).executeScript(
        "CREATE TRIGGER wipe AFTER INSERT ON InTable BEGIN DELETE FROM SAccount; END");
    const std::string plantedBytes = bytes(planted);
    expectRefused(planted);
    EXPECT_EQ(bytes(planted), plantedBytes);

    const fs::path newer = candidate("newer.eac");
    backupDataFile(db, newer);
    Database::open(newer).executeScript("PRAGMA user_version = 99");
    expectRefused(newer);
    expectRefused(candidate("nothing-here.eac"));
}

TEST_F(Restore, AGoodOlderBackupReplacesEveryBookKeepsASafetyCopyAndReopens) {
    const fs::path old = candidate("old.eac");
    fs::copy_file(FENNORY_TEST_DATA "/book_v0.eac", old);
    const std::string chosen = bytes(old);
    const std::string before = bytes(db.path());
    // Asked first: every book of the data file goes, the backup's one comes.
    const RestorePreview preview = previewRestore(db, old);
    EXPECT_EQ(preview.books, std::vector<std::string>{"我家"});
    EXPECT_EQ(preview.removed, (std::vector<std::string>{"家", "别的"}));
    EXPECT_EQ(
        restoreQuestion(preview),
        "恢复后，当前数据中的账簿 家、别的 将被删除！\n备份文件中的账簿：我家，将替换当前的数据。"
        "\n确认要恢复数据吗?");
    EXPECT_EQ(bytes(old), chosen);
    EXPECT_EQ(bytes(db.path()), before);
    restoreDataFile(db, old, folder.path() / "Backup", "2024-05-31-120000");
    EXPECT_EQ(db.userVersion(), Database::kSchemaVersion);
    EXPECT_EQ(db.queryText("SELECT group_concat(BName) FROM SBook"), "我家");
    EXPECT_EQ(bytes(old), chosen);  // the chosen backup itself is untouched
    const fs::path safety = folder.path() / "Backup" / "恢复前-2024-05-31-120000.eac";
    ASSERT_TRUE(fs::exists(safety));
    EXPECT_EQ(Database::open(safety).queryInt("SELECT count(*) FROM SBook"), 2);
    // Nothing is left beside the data file.
    int beside = 0;
    for (const auto& e : fs::directory_iterator(db.path().parent_path())) {
        beside += e.path().filename().string().find("restore") != std::string::npos;
    }
    EXPECT_EQ(beside, 0);
    (void)before;
}

TEST_F(Restore, ABackupKeptReadOnlyIsRestoredAndStaysAsItWas) {
    const fs::path kept = candidate("kept.eac");
    backupDataFile(db, kept);
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read, fs::perm_options::replace);
    const std::string chosen = bytes(kept);
    db.execute("INSERT INTO SBook(BName) VALUES('后来的')");
    EXPECT_EQ(previewRestore(db, kept).removed, std::vector<std::string>{"后来的"});
    restoreDataFile(db, kept, folder.path() / "Backup", "2024-05-31-120000");
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SBook"), 2);
    db.execute("INSERT INTO SBook(BName) VALUES('之后')");  // the restored file is writable
    EXPECT_EQ(bytes(kept), chosen);
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::owner_write, fs::perms::none);
}

// ---- snapshots ----

TEST_F(Books, SnapshotsKeepADayEachTheLastSevenDaysAndFourWeeks) {
    const fs::path backups = folder.path() / "Backup";
    EXPECT_TRUE(takeSnapshot(db, backups, "2024-05-06"));
    EXPECT_FALSE(takeSnapshot(db, backups, "2024-05-06"));  // one a day
    EXPECT_TRUE(takeSnapshot(db, backups, "2024-05-07"));
    EXPECT_TRUE(takeSnapshot(db, backups, "2024-05-08"));
    EXPECT_EQ(listSnapshots(backups).size(), 3u);
    for (const char* d : {"2024-05-09", "2024-05-10", "2024-05-11", "2024-05-12", "2024-05-13"}) {
        takeSnapshot(db, backups, d);
    }
    // The eighth daily one drops the oldest, whose week the others cover.
    std::vector<Snapshot> s = listSnapshots(backups);
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s.front().date, "2024-05-13");
    EXPECT_EQ(s.back().date, "2024-05-07");
    EXPECT_EQ(s.front().books, (std::vector<std::string>{"家", "别的"}));

    // Weeks earlier, the newest of each of four weeks stays besides the seven.
    const fs::path weekly = folder.path() / "Weekly";
    for (int day = 0; day < 60; day += 2) {  // every other day from Monday 1 January
        takeSnapshot(db, weekly, dates::addDays("2024-01-01", day));
    }
    s = listSnapshots(weekly);
    ASSERT_EQ(s.size(), 11u);
    EXPECT_EQ(s[6].date, "2024-02-16");  // the seventh newest
    EXPECT_EQ(s[7].date, "2024-02-10");  // its week not yet covered: the newest of it
    EXPECT_EQ(s[8].date, "2024-02-04");
    EXPECT_EQ(s[9].date, "2024-01-27");
    EXPECT_EQ(s[10].date, "2024-01-21");  // the fourth week
}

TEST_F(Books, ASnapshotThatCannotBeWrittenIsReportedAndTheFileStaysUsable) {
    const fs::path blocked = folder.path() / "blocked";
    std::ofstream(blocked) << "a file where the folder should be";
    EXPECT_THROW(takeSnapshot(db, blocked / "Backup", "2024-05-06"), DataFileError);
    EXPECT_EQ(db.queryInt("SELECT count(*) FROM SBook"), 2);
}

// ---- preferences ----

TEST_F(Books, DefaultsStoreEmptyForSpaceAndForNamesNoLongerOffered) {
    db.execute("UPDATE SMRX SET FName='爸爸', IName='工资', TX_T=1 WHERE BName='家'");
    dm.NewFamily("爸爸");
    dm.mySaveNew("InD", "IName", "工资");
    BookDefaults d = loadDefaults(dm);
    EXPECT_EQ(d.names[0], "爸爸");
    EXPECT_EQ(d.names[2], "工资");
    EXPECT_TRUE(d.TX_T);
    db.execute("UPDATE InD SET theState='停用' WHERE IName='工资' AND BName='家'");
    d = loadDefaults(dm);
    EXPECT_EQ(d.names[2], "");  // disabled since: not offered
    d.names[0] = "";            // "空" ticked beside the member
    d.D_O = true;
    saveDefaults(dm, d);
    EXPECT_EQ(one("SELECT FName||'|'||IName||'|'||D_O||TX_T FROM SMRX WHERE BName='家'"), "||11");
    EXPECT_EQ(session.OpenBookState.FName, "");
    EXPECT_TRUE(session.OpenBookState.D_O);
    EXPECT_EQ(one("SELECT FName FROM SMRX WHERE BName='别的'"), "");
}

TEST_F(Books, NoSortingListsNamesInTheOrderMade) {
    dm.mySaveNew("InD", "IName", "甲");
    dm.mySaveNew("InD", "IName", "乙");
    db.execute("UPDATE InD SET theCount=9 WHERE IName='乙'");
    saveSortOrders(dm, {5, 1});
    EXPECT_EQ(loadSortOrders(dm).theJZPX, 1);
    loadOpenBookState(dm);
    std::vector<std::string> names = dm.ComInType();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], "甲");
    EXPECT_EQ(names.back(), "乙");
    saveEdition(db, Edition::UsbStick);
    EXPECT_EQ(one("SELECT theBT FROM SBase WHERE ID=1"), "U盘版");
}

}  // namespace
}  // namespace fennory
