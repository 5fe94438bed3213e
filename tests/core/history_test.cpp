// Taking actions back and doing them again: every table returns to the byte.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/history.h"
#include "core/history_list.h"
#include "core/record_types.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

class HistoryTest : public testing::BookTest {
protected:
    HistoryTest() : history(std::make_unique<History>(db, [this] { return dm.book(); })) {}

    std::string book() { return dump(false); }
    std::int64_t bookIncome(const char* amount, const char* name = "工资") {
        Transaction t(db);
        const std::int64_t id =
            RecordBooker(dm, RecordType::Income)
                .book({"2024-03-05", name, *Money::parse(amount), "现金", "爸爸", "备注"});
        t.commit();
        return id;
    }
    void deleteIncome(std::int64_t id) {
        Transaction t(db);
        const auto r = rows(
            "SELECT IDate, IName, IMoney, AName, FName, Remark FROM InTable "
            "WHERE ID=" +
            std::to_string(id));
        RecordBooker(dm, RecordType::Income)
            .takeBack(id, {r[0][0], r[0][1], Money::fromUnits(std::stoll(r[0][2])), r[0][3],
                           r[0][4], r[0][5]});
        db.execute("DELETE FROM InTable WHERE ID=?1", id);
        t.commit();
    }

    std::unique_ptr<History> history;
};

TEST_F(HistoryTest, EachActionIsTakenBackAndDoneAgainToTheByte) {
    std::vector<std::string> states{book()};
    dm.NewFamily("爸爸");
    states.push_back(book());
    dm.NewAccount("现金", "爸爸");
    states.push_back(book());
    const std::int64_t id = bookIncome("100.50");
    states.push_back(book());
    deleteIncome(id);
    states.push_back(book());

    const auto entries = history->entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].caption, "删除收入记录");
    EXPECT_EQ(entries[1].caption, "新增收入记录");
    EXPECT_EQ(entries[2].caption, "新增账户");
    EXPECT_EQ(entries[3].caption, "新增家庭成员");

    for (int i = 3; i >= 0; --i) {
        ASSERT_TRUE(history->undo());
        EXPECT_EQ(book(), states[static_cast<std::size_t>(i)]) << "undo to state " << i;
    }
    EXPECT_FALSE(history->undo());
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(history->redo());
        EXPECT_EQ(book(), states[static_cast<std::size_t>(i)]) << "redo to state " << i;
    }
    EXPECT_FALSE(history->redo());
    EXPECT_EQ(dm.RetAMoney("现金"), Money());
}

TEST_F(HistoryTest, ANewActionAfterAnUndoDropsWhatCouldBeRedone) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    bookIncome("10");
    ASSERT_TRUE(history->undo());
    ASSERT_TRUE(history->redoable());
    bookIncome("20", "奖金");
    EXPECT_FALSE(history->redoable());
    EXPECT_EQ(history->undoable()->caption, "新增收入记录");
    EXPECT_EQ(dm.RetAMoney("现金").toPlain(), "20");
    ASSERT_TRUE(history->undo());
    ASSERT_TRUE(history->undo());  // the account
    EXPECT_EQ(one("SELECT count(*) FROM SAccount"), "0");
}

// The history lives in the data file: a restart can take back what was done.
TEST_F(HistoryTest, AnActionIsTakenBackAfterARestart) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    const std::string before = book();
    bookIncome("55.55");
    history.reset();
    Database again = Database::open(db.path());
    History reopened(again, [this] { return dm.book(); });
    ASSERT_TRUE(reopened.undoable());
    EXPECT_EQ(reopened.undoable()->caption, "新增收入记录");
    ASSERT_TRUE(reopened.undo());
    EXPECT_EQ(book(), before);
}

// Random actions of several kinds, all taken back, all done again, and taken
// back to random points: each time the book is exactly as it was.
TEST_F(HistoryTest, RandomActionsUndoneAndRedoneReturnEveryTable) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    dm.NewAccount("银行卡", "爸爸");
    std::mt19937 random(20261209);
    std::vector<std::string> states{book()};
    std::vector<std::int64_t> records;
    const std::size_t first = history->entries().size();
    for (int step = 0; step < 200; ++step) {
        const int kind = static_cast<int>(random() % 4);
        if (kind == 0 || records.empty()) {
            records.push_back(bookIncome(std::to_string(random() % 100000).c_str()));
        } else if (kind == 1) {
            const std::size_t at = random() % records.size();
            deleteIncome(records[at]);
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (kind == 2) {
            Transaction t(db);
            db.execute("UPDATE SAccount SET AMoney=AMoney+?1, theCount=theCount+1 WHERE AName=?2",
                       static_cast<std::int64_t>(random() % 1000), "银行卡");
            t.commit();
        } else {
            dm.NewAccount("账户" + std::to_string(step), "爸爸");
        }
        states.push_back(book());
    }
    ASSERT_EQ(history->entries(1000).size(), first + 200);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history->undo());
        ASSERT_EQ(book(), states[i - 1]) << "undo to " << i - 1;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history->redo());
        ASSERT_EQ(book(), states[i]) << "redo to " << i;
    }
    for (int round = 0; round < 5; ++round) {
        const std::size_t back = random() % 40;
        std::size_t at = states.size() - 1;
        for (std::size_t k = 0; k < back; ++k) {
            ASSERT_TRUE(history->undo());
            --at;
        }
        ASSERT_EQ(book(), states[at]);
        for (std::size_t k = 0; k < back; ++k) {
            ASSERT_TRUE(history->redo());
        }
        ASSERT_EQ(book(), states.back());
    }
}

// "操作记录": newest first with the money each action moved; going back to a
// row takes back that action and every later one, after one question naming
// how many, and going to an undone row does them again.
TEST_F(HistoryTest, TheListGoesBackToAnyRowAndForwardAgain) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    const std::string start = book();
    bookIncome("100.50");
    bookIncome("20");
    const std::string end = book();
    deleteIncome(bookIncome("3"));

    HistoryListModel list(db, *history, [this] { return dm.book(); });
    list.refresh();
    ASSERT_EQ(list.rows().size(), 6u);
    EXPECT_EQ(list.text(HistoryColumn::What), "删除收入记录");  // the newest, current
    EXPECT_EQ(list.rows().displayText(0, static_cast<int>(HistoryColumn::MoneyOut)), "3.00");
    EXPECT_EQ(list.rows().displayText(3, static_cast<int>(HistoryColumn::MoneyIn)), "100.50");

    list.setCurrentId(list.idOf(list.rows(), 3));  // the first income
    auto step = list.stepToCurrent();
    ASSERT_TRUE(step);
    EXPECT_TRUE(step->undo);
    EXPECT_EQ(step->count, 4);
    EXPECT_NE(step->question.find("将撤销最近的 4 个操作"), std::string::npos) << step->question;
    EXPECT_EQ(list.goToCurrent(), 4);
    EXPECT_EQ(book(), start);
    EXPECT_EQ(list.text(HistoryColumn::State), "已撤销");  // the row stays current

    list.setCurrentId(list.idOf(list.rows(), 2));  // the second income, undone
    step = list.stepToCurrent();
    ASSERT_TRUE(step);
    EXPECT_FALSE(step->undo);
    EXPECT_EQ(step->count, 2);
    EXPECT_EQ(list.goToCurrent(), 2);
    EXPECT_EQ(book(), end);
    EXPECT_EQ(history->undoable()->caption, "新增收入记录");
}

// Every row of every table of a data file, the history's included.
std::string wholeFile(const std::filesystem::path& file) {
    Database db = Database::open(file);
    std::string out;
    std::vector<std::string> tables;
    Statement names = db.prepare("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
    while (names.step()) {
        tables.push_back(names.text(0));
    }
    for (const std::string& t : tables) {
        out += "== " + t + "\n";
        Statement rows = db.prepare("SELECT * FROM \"" + t + "\" ORDER BY rowid");
        while (rows.step()) {
            for (int c = 0; c < rows.columnCount(); ++c) {
                out += (rows.isNull(c) ? std::string("NULL") : rows.text(c)) + "|";
            }
            out += "\n";
        }
    }
    return out;
}

// The program killed at each statement of an undo in turn: the data file
// opens afterwards either as it was before the undo or as it is after it.
TEST_F(HistoryTest, AKillAtAnyMomentOfAnUndoLeavesTheFileBeforeOrAfterIt) {
    namespace fs = std::filesystem;
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    {
        // One action of many statements: records, their log and a balance.
        Transaction t(db);
        for (int i = 0; i < 5; ++i) {
            RecordBooker(dm, RecordType::Income)
                .book({"2024-03-05", "工资", Money::yuan(i + 1), "现金", "爸爸", ""});
        }
        db.execute("UPDATE SAccount SET Remark='改过'");
        t.commit();
    }
    const auto dir = db.path().parent_path();
    const fs::path start = dir / "start.eac", work = dir / "work.eac";
    db.backupTo(start);
    const std::string before = wholeFile(start);
    std::string after;
    {
        fs::copy_file(start, work, fs::copy_options::overwrite_existing);
        Database d = Database::open(work);
        History h(d, [this] { return dm.book(); });
        ASSERT_TRUE(h.undo());
    }
    after = wholeFile(work);
    ASSERT_NE(before, after);

    int kills = 0;
    for (int killAt = 1;; ++killAt) {
        fs::copy_file(start, work, fs::copy_options::overwrite_existing);
        std::error_code ec;
        fs::remove(fs::path(work.string() + "-journal"), ec);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The child dies at its killAt-th statement without a word or a
            // destructor, as a killed program does.
            int seen = 0;
            Database d = Database::open(work);
            d.setStatementHook([&](std::string_view) {
                if (++seen == killAt) {
                    _exit(9);
                }
            });
            History h(d, [] { return std::string("家庭账簿"); });
            h.undo();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        const std::string found = wholeFile(work);
        EXPECT_TRUE(found == before || found == after) << "killed at statement " << killAt;
        if (WEXITSTATUS(status) == 0) {
            EXPECT_EQ(found, after);
            break;
        }
        ++kills;
    }
    EXPECT_GT(kills, 10);
}

// Many rows added at once are taken back by one range statement, not one per row.
TEST_F(HistoryTest, ManyRowsAddedAtOnceAreTakenBackByOneRange) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    const std::string before = book();
    {
        Transaction t(db);
        for (int i = 0; i < 1000; ++i) {
            RecordBooker(dm, RecordType::Income)
                .book({"2024-03-05", "工资", Money::yuan(1), "现金", "爸爸", ""});
        }
        t.commit();
    }
    const std::string after = book();
    EXPECT_EQ(history->undoable()->caption, "导入 收入记录 1000 笔");
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE Stmt LIKE 'DELETE FROM \"InTable\"%'"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE Stmt LIKE 'DELETE FROM \"UList\"%'"), "1");
    ASSERT_TRUE(history->undo());
    EXPECT_EQ(book(), before);
    ASSERT_TRUE(history->redo());
    EXPECT_EQ(book(), after);
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE Stmt LIKE 'DELETE FROM \"InTable\"%'"), "1");
    ASSERT_TRUE(history->undo());
    EXPECT_EQ(book(), before);
}

// Rows added in bulk (an import) are kept as one range, and named by their count.
TEST_F(HistoryTest, RowsAddedInBulkAreKeptAsOneRange) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    const std::string before = book();
    {
        Transaction t(db);
        BulkAdd bulk(db, {"InTable", "UList"});
        for (int i = 0; i < 50; ++i) {
            RecordBooker(dm, RecordType::Income)
                .book({"2024-03-05", "工资", Money::yuan(2), "现金", "爸爸", ""});
        }
        bulk.finish();
        t.commit();
    }
    const std::string after = book();
    EXPECT_EQ(history->undoable()->caption, "导入 收入记录 50 笔");
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE Stmt LIKE 'DELETE FROM \"InTable\"%'"), "1");
    ASSERT_TRUE(history->undo());
    EXPECT_EQ(book(), before);
    // The redo puts the rows back by one statement per table, not one per row.
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE Stmt LIKE 'INSERT INTO \"InTable\"%'"), "1");
    EXPECT_EQ(one("SELECT count(*) FROM UndoRows WHERE Tbl='InTable'"), "50");
    ASSERT_TRUE(history->redo());
    EXPECT_EQ(book(), after);
    EXPECT_EQ(one("SELECT count(*) FROM UndoRows"), "0");
    ASSERT_TRUE(history->undo());
    ASSERT_TRUE(history->redo());
    EXPECT_EQ(book(), after);
}

// A book keeps its last 200 actions, and any of the last 90 days; older ones
// are dropped when the history starts.
TEST_F(HistoryTest, OldActionsBeyondTheLimitAreDroppedAtStart) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    for (int i = 0; i < 205; ++i) {
        bookIncome("1");
    }
    db.execute("UPDATE UndoAction SET theTime='2020-01-01 00:00:00' WHERE ID <= 3");
    history.reset();
    history = std::make_unique<History>(db, [this] { return dm.book(); });
    const auto all = history->entries(1000);
    EXPECT_EQ(all.size(), 204u);  // the three old ones beyond the newest 200 are gone
    EXPECT_EQ(one("SELECT count(*) FROM UndoLog WHERE ActionID <= 3"), "0");
    EXPECT_EQ(all.back().caption, "新增收入记录");
}

}  // namespace
}  // namespace fennory
