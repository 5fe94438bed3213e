#pragma once
// The history of a book's actions, to take them back and do them again.
//
// Every committed transaction that changes the data file is one action (every
// user action is one transaction). While the history records, temporary
// triggers on every table write, beside each change, the statement that
// reverses it into UndoLog. Undo runs an action's statements in reverse order
// in one transaction; the same triggers record what reverses the undo, which
// becomes the action's redo. Nothing is recomputed: balances, the fund-flow
// log and use counts return exactly as they were.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/money.h"

namespace fennory {

struct HistoryEntry {
    std::int64_t id = 0;
    std::string time;     // "yyyy-mm-dd hh:mm:ss"
    std::string caption;  // "删除支出记录", "导入 收入记录 128 笔"
    bool undone = false;
    Money moneyIn, moneyOut;  // what the action's fund-flow entries moved in and out
};

class History {
public:
    // Starts recording on this connection; `book` names the open book, whose
    // history each action joins.
    History(Database& db, std::function<std::string()> book);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // What one action takes back or does again, if anything: the book's
    // last action not undone, and its first undone one after that.
    std::optional<HistoryEntry> undoable() const;
    std::optional<HistoryEntry> redoable() const;
    // Takes back the last action, or does the last undone one again, each in
    // one transaction. False when there is nothing to do.
    bool undo();
    bool redo();

    // How many actions going back to (or forward to) this one takes: an
    // action not undone is undone with every later one, an undone one is
    // done again with every earlier undone one.
    int stepsTo(std::int64_t id) const;
    // Takes those steps, all in one transaction; returns how many.
    int goTo(std::int64_t id);

    // The book's actions, newest first.
    std::vector<HistoryEntry> entries(std::size_t limit = 200) const;

    // While paused (a whole book deleted, a data file restored), changes are
    // not recorded.
    void setPaused(bool paused);

private:
    void prune();
    void installTriggers();
    void nameAction();
    void compact(std::int64_t action);
    void bulkAdd(const std::vector<std::string>& tables, bool begin);
    void replay(std::int64_t action, bool undone);
    bool replayRange(const std::string& statement, std::int64_t action, std::int64_t scratch);
    std::optional<HistoryEntry> entry(const char* condition) const;
    std::string caption(const std::vector<std::string>& reversals) const;

    Database& db_;
    std::map<std::string, std::string> insertTriggers_;  // table -> its trigger's SQL
    std::map<std::string, std::vector<std::string>> columns_;
    static constexpr std::size_t kKeptColumns = 20;  // UndoRows c1..c20
    std::function<std::string()> book_;
    std::int64_t current_ = 1;
    bool replaying_ = false;
    bool paused_ = false;
    int pauses_ = 0;
};

// Drops a book's whole history (the book was deleted or renamed).
void forgetHistory(Database& db, const std::string& book);

// The caption of an action from the statements that reverse it.
std::string historyCaption(const std::vector<std::string>& reversals);

}  // namespace fennory
