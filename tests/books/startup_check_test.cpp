#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "books/backup.h"
#include "books/startup_check.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A data file of many pages, so that a damaged page lies past the schema.
fs::path fileOfManyPages(const fs::path& folder) {
    const fs::path file = folder / "db.eac";
    Database db = Database::create(file);
    db.execute("INSERT INTO SBook(BName) VALUES('家')");
    Transaction t(db);
    for (int i = 0; i < 3000; ++i) {
        db.execute(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
            "VALUES('家','2024-05-01','工资',100,'现金','爸爸',?1)",
            std::string(200, 'x'));
    }
    t.commit();
    return file;
}

TEST(StartupCheck, TheDaysSnapshotIsTakenOnlyOfAFileThatHoldsABook) {
    testing::TempFolder folder;
    const fs::path file = folder.path() / "db.eac";
    const fs::path backups = folder.path() / "Backup";
    Database db = Database::create(file);
    {
        StartupCheck check(db, backups, "2026-12-09");
        const StartupCheck::Outcome& o = check.wait();
        EXPECT_EQ(o.refusal, "");
        EXPECT_FALSE(o.snapshotTaken);
    }
    EXPECT_TRUE(listSnapshots(backups).empty());  // no empty snapshot listed for restore

    db.execute("INSERT INTO SBook(BName) VALUES('家')");
    StartupCheck later(db, backups, "2026-12-09");  // a later start the same day
    EXPECT_TRUE(later.wait().snapshotTaken);
    const std::vector<Snapshot> s = listSnapshots(backups);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].books, std::vector<std::string>{"家"});
}

TEST(StartupCheck, CopiesLeftByAKilledBackupOrRestoreAreRemoved) {
    testing::TempFolder folder;
    const fs::path file = folder.path() / "db.eac";
    const fs::path backups = folder.path() / "Backup";
    Database db = Database::create(file);
    fs::create_directories(backups);
    const std::vector<fs::path> stale = {folder.path() / "db.eac.restore-123",
                                         folder.path() / "db.eac.preview-45",
                                         backups / "自动备份-2026-12-08.eac.new-678"};
    const std::vector<fs::path> kept = {folder.path() / "db.eac.v3.bak",
                                        folder.path() / "notes.txt",
                                        backups / "自动备份-2026-12-08.eac"};
    for (const auto& f : stale) {
        std::ofstream(f) << "half a copy";
    }
    for (const auto& f : kept) {
        std::ofstream(f) << "keep";
    }
    StartupCheck check(db, backups, "2026-12-09");
    check.wait();
    for (const auto& f : stale) {
        EXPECT_FALSE(fs::exists(f)) << f;
    }
    for (const auto& f : kept) {
        EXPECT_TRUE(fs::exists(f)) << f;
    }
}

TEST(StartupCheck, TheFirstWriteWaitsForTheCheck) {
    testing::TempFolder folder;
    const fs::path file = fileOfManyPages(folder.path());
    Database db = Database::openDeferringPageCheck(file);
    StartupCheck check(db, folder.path() / "Backup", "2026-12-09");
    db.execute("UPDATE InTable SET Remark='y' WHERE ID=1");  // held back until the check ends
    EXPECT_TRUE(check.done());
    EXPECT_EQ(check.wait().refusal, "");
    EXPECT_TRUE(check.wait().snapshotTaken);
    EXPECT_EQ(db.queryText("SELECT Remark FROM InTable WHERE ID=1"), "y");
}

TEST(StartupCheck, ADamagedPageRefusesTheFileBeforeAnythingIsWritten) {
    testing::TempFolder folder;
    const fs::path file = fileOfManyPages(folder.path());
    {
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(fs::file_size(file) / 2));
        const std::string garbage(64, '\x5a');
        f.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    const std::string damaged = bytesOf(file);
    // Opening reads the schema only, so the window can come up at once ...
    Database db = Database::openDeferringPageCheck(file);
    StartupCheck check(db, folder.path() / "Backup", "2026-12-09");
    // ... but the check finds the page, and the first write is refused.
    EXPECT_NE(check.wait().refusal.find("已损坏"), std::string::npos) << check.wait().refusal;
    // The engine's words went to the log, not into the sentence.
    for (const char* engine : {"malformed", "database", "page", "Tree"}) {
        EXPECT_EQ(check.wait().refusal.find(engine), std::string::npos) << check.wait().refusal;
    }
    std::ifstream log(folder.path() / "error.log");
    const std::string logged{std::istreambuf_iterator<char>(log), {}};
    EXPECT_NE(logged.find("已损坏"), std::string::npos);
    EXPECT_GT(logged.size(), check.wait().refusal.size());
    EXPECT_THROW(db.execute("INSERT INTO SBook(BName) VALUES('新')"), DataFileError);
    EXPECT_THROW(Transaction t(db), DataFileError);
    EXPECT_FALSE(check.wait().snapshotTaken);
    EXPECT_EQ(bytesOf(file), damaged);
}

}  // namespace
}  // namespace fennory
