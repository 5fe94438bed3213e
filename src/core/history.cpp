#include "core/history.h"

#include <fmt/format.h>

#include <map>
#include <set>

namespace fennory {
namespace {

// What the history does not record: itself, and the engine's own tables.
bool recorded(const std::string& table) {
    return table != "UndoLog" && table != "UndoAction" && table != "UndoRows" &&
           table.rfind("sqlite_", 0) != 0;
}

// A column's old value as SQL text that reads back exactly (a real number
// with all its digits, text and blobs quoted).
std::string oldValue(const std::string& column) {
    return fmt::format(
        "CASE typeof(OLD.\"{0}\") WHEN 'real' THEN printf('%!.17g', OLD.\"{0}\") "
        "ELSE quote(OLD.\"{0}\") END",
        column);
}

// What users call the rows of a table, for an action's caption.
const std::map<std::string, const char*>& tableCaptions() {
    static const std::map<std::string, const char*> c = {
        {"InTable", "收入记录"},
        {"OutTable", "支出记录"},
        {"ChangeT", "转账记录"},
        {"Borrow", "债务"},
        {"Debt", "债权"},
        {"BorrowR", "还债记录"},
        {"DebtR", "收债记录"},
        {"BList", "债务增减"},
        {"DList", "债权增减"},
        {"TTable", "投资"},
        {"TTableR", "投资收益"},
        {"TList", "投资增减"},
        {"UPlan", "计划"},
        {"UWarn", "提醒设置"},
        {"SAccount", "账户"},
        {"SFamily", "家庭成员"},
        {"InD", "收入类别"},
        {"OutD", "支出类别"},
        {"TD", "投资分类"},
        {"PD", "往来人员"},
        {"BillSeen", "账单"},
        {"BillMap", "账单对应"},
        {"BillLayout", "对账单格式"},
        {"SMRX", "默认项"},
        {"SMRB", "记账设置"},
        {"SBook", "账簿"},
        {"SBase", "版本设置"},
        {"UList", "资金流动日志"},
        {"SZTable", "收支统计"},
    };
    return c;
}

constexpr const char* kEntryColumns = "ID, theTime, Caption, Undone, MoneyIn, MoneyOut";

HistoryEntry entryOf(const Statement& s) {
    return {s.integer(0),
            s.text(1),
            s.text(2),
            s.integer(3) != 0,
            Money::fromUnits(s.integer(4)),
            Money::fromUnits(s.integer(5))};
}

}  // namespace

std::string historyCaption(const std::vector<std::string>& reversals) {
    // The table the action is about: a bill's rows before the records they
    // made, records before the log and the balances they move.
    struct Count {
        int added = 0, removed = 0, changed = 0;
    };
    std::map<std::string, Count> counts;
    for (const std::string& s : reversals) {
        const auto open = s.find('"');
        const auto close = s.find('"', open + 1);
        if (open == std::string::npos || close == std::string::npos) {
            continue;
        }
        Count& c = counts[s.substr(open + 1, close - open - 1)];
        if (const auto range = s.find("BETWEEN ");
            s.rfind("DELETE", 0) == 0 && range != std::string::npos) {
            const auto andAt = s.find(" AND ", range);
            c.added += static_cast<int>(std::stoll(s.substr(andAt + 5)) -
                                        std::stoll(s.substr(range + 8)) + 1);
        } else if (s.rfind("DELETE", 0) == 0) {
            ++c.added;
        } else if (s.rfind("INSERT", 0) == 0) {
            ++c.removed;
        } else {
            ++c.changed;
        }
    }
    // A bill before its records, records before the names and balances they
    // touch, rows made or removed before rows only changed, the log last.
    static const std::set<std::string> records = {
        "InTable", "OutTable", "ChangeT", "Borrow", "Debt",  "BorrowR", "DebtR",
        "TTable",  "TTableR",  "BList",   "DList",  "TList", "UPlan"};
    auto rank = [](const std::string& table, const Count& c) {
        const int kind = table == "BillSeen"       ? 0
                         : records.contains(table) ? 1
                         : table == "UList"        ? 4
                                                   : 2;
        return kind * 2 + (c.added + c.removed == 0 ? 1 : 0);
    };
    const std::pair<const std::string, Count>* main = nullptr;
    for (const auto& entry : counts) {
        if (!main || rank(entry.first, entry.second) < rank(main->first, main->second)) {
            main = &entry;
        }
    }
    if (!main) {
        return "操作";
    }
    const auto known = tableCaptions().find(main->first);
    const std::string what = known == tableCaptions().end() ? main->first : known->second;
    const Count& c = main->second;
    const char* verb = main->first == "BillSeen"             ? "导入"
                       : c.added > 0 && c.added >= c.removed ? (c.added > 1 ? "导入" : "新增")
                       : c.removed > 0                       ? "删除"
                                                             : "修改";
    const int n = std::max({c.added, c.removed, c.changed});
    return n > 1 ? fmt::format("{} {} {} 笔", verb, what, n) : fmt::format("{}{}", verb, what);
}

History::History(Database& db, std::function<std::string()> book)
    : db_(db), book_(std::move(book)) {
    current_ = db_.queryInt(
                      "SELECT max(coalesce((SELECT max(ID) FROM UndoAction), 0), "
                      "coalesce((SELECT max(ActionID) FROM UndoLog), 0)) + 1")
                   .value_or(1);
    db_.executeScript(
        "CREATE TEMP TABLE IF NOT EXISTS HistoryState(Recording INTEGER, Current INTEGER); "
        "DELETE FROM temp.HistoryState; "
        "CREATE TEMP TABLE IF NOT EXISTS HistoryBulk(name TEXT PRIMARY KEY, since INTEGER); "
        "DELETE FROM temp.HistoryBulk; "
        "CREATE TEMP TABLE IF NOT EXISTS HistoryMoney(MoneyIn INTEGER, MoneyOut INTEGER); "
        "DELETE FROM temp.HistoryMoney; INSERT INTO temp.HistoryMoney VALUES(0, 0);");
    db_.execute("INSERT INTO temp.HistoryState VALUES(1, ?1)", current_);
    // A row that INSERT OR REPLACE pushes out is logged only with this on.
    db_.executeScript("PRAGMA recursive_triggers = ON");
    prune();
    installTriggers();
    db_.setBeforeCommit([this] { nameAction(); });
    db_.setBulkHook(
        [this](const std::vector<std::string>& tables, bool begin) { bulkAdd(tables, begin); });
    db_.setPauseHook([this](bool pause) { setPaused(pause); });
}

// Rows added in bulk are not logged one by one: at the end, each table's new
// rows are taken back by one range.
void History::bulkAdd(const std::vector<std::string>& tables, bool begin) {
    for (const std::string& t : tables) {
        if (begin) {
            db_.execute(fmt::format("INSERT OR REPLACE INTO temp.HistoryBulk(name, since) "
                                    "SELECT ?1, coalesce(max(rowid), 0) FROM main.\"{}\"",
                                    t),
                        t);
            // Without an insert trigger the engine keeps no statement journal
            // per row, which is most of what a trigger costs an import.
            db_.executeScript(
                fmt::format("DROP TRIGGER IF EXISTS temp.\"hist_i_{0}\"; "
                            "DROP TRIGGER IF EXISTS temp.\"hist_m_i_{0}\"",
                            t));
            continue;
        }
        if (const auto sql = insertTriggers_.find(t); sql != insertTriggers_.end()) {
            db_.executeScript(sql->second);
        }
        const auto since = db_.queryInt("SELECT since FROM temp.HistoryBulk WHERE name=?1", t);
        db_.execute("DELETE FROM temp.HistoryBulk WHERE name=?1", t);
        const auto last =
            db_.queryInt(fmt::format("SELECT coalesce(max(rowid), 0) FROM main.\"{}\"", t));
        if (since && last && *last > *since && !paused_ && !replaying_) {
            db_.execute("INSERT INTO UndoLog(ActionID, Stmt) VALUES(?1, ?2)", current_,
                        fmt::format("DELETE FROM \"{}\" WHERE rowid BETWEEN {} AND {}", t,
                                    *since + 1, *last));
            if (t == "UList") {
                db_.execute(
                    "UPDATE temp.HistoryMoney SET MoneyIn=MoneyIn+(SELECT coalesce(sum(theIn), 0) "
                    "FROM main.UList WHERE rowid>?1), MoneyOut=MoneyOut+(SELECT "
                    "coalesce(sum(theOut), 0) FROM main.UList WHERE rowid>?1)",
                    *since);
            }
        }
    }
}

History::~History() {
    db_.setBeforeCommit({});
    db_.setBulkHook({});
    db_.setPauseHook({});
    try {
        db_.executeScript("UPDATE temp.HistoryState SET Recording=0");
    } catch (const std::exception&) {
        // The connection is closing with its temporary tables.
    }
}

// Each book keeps its last 200 actions, and any of the last 90 days.
void History::prune() {
    Transaction t(db_);
    db_.executeScript(
        "DELETE FROM UndoAction WHERE theTime < datetime('now', 'localtime', '-90 days') AND "
        "(SELECT count(*) FROM UndoAction AS b WHERE b.BName = UndoAction.BName AND "
        "b.ID > UndoAction.ID) >= 200; "
        "DELETE FROM UndoLog WHERE ActionID NOT IN (SELECT ID FROM UndoAction) AND ActionID < "
        "(SELECT Current FROM temp.HistoryState); "
        "DELETE FROM UndoRows WHERE ActionID NOT IN (SELECT ID FROM UndoAction);");
    t.commit();
}

void History::installTriggers() {
    std::vector<std::string> tables;
    Statement list = db_.prepare("SELECT name FROM main.sqlite_master WHERE type='table'");
    while (list.step()) {
        if (recorded(list.text(0))) {
            tables.push_back(list.text(0));
        }
    }
    std::string script;
    for (const std::string& t : tables) {
        std::vector<std::string> columns;
        Statement info = db_.prepare(fmt::format("PRAGMA main.table_info(\"{}\")", t));
        while (info.step()) {
            columns.push_back(info.text(1));
        }
        columns_[t] = columns;
        std::string names = "rowid", values = "OLD.rowid", sets;
        for (const std::string& c : columns) {
            names += fmt::format(",\"{}\"", c);
            values += fmt::format("||','||{}", oldValue(c));
            sets += fmt::format("{}'\"{}\"='||{}", sets.empty() ? "" : "||','||", c, oldValue(c));
        }
        const std::string when = "WHEN (SELECT Recording FROM temp.HistoryState)";
        const std::string log =
            "INSERT INTO UndoLog(ActionID, Stmt) VALUES((SELECT Current FROM "
            "temp.HistoryState), ";
        insertTriggers_[t] = fmt::format(
            "CREATE TEMP TRIGGER IF NOT EXISTS \"hist_i_{0}\" AFTER INSERT ON main.\"{0}\" {1} "
            "BEGIN {2}'DELETE FROM \"{0}\" WHERE rowid='||NEW.rowid); END; ",
            t, when, log);
        if (t == "UList") {
            // The money an action moves, for the list of actions.
            const std::string add =
                "UPDATE HistoryMoney SET MoneyIn=MoneyIn+{0}.theIn, "
                "MoneyOut=MoneyOut+{0}.theOut; END; ";
            insertTriggers_[t] +=
                fmt::format(
                    "CREATE TEMP TRIGGER IF NOT EXISTS \"hist_m_i_{}\" AFTER INSERT ON "
                    "main.\"{}\" {} BEGIN ",
                    t, t, when) +
                fmt::format(fmt::runtime(add), "NEW");
            script += fmt::format(
                          "CREATE TEMP TRIGGER IF NOT EXISTS \"hist_m_d_{}\" BEFORE "
                          "DELETE ON main.\"{}\" {} BEGIN ",
                          t, t, when) +
                      fmt::format(fmt::runtime(add), "OLD");
        }
        script += insertTriggers_[t];
        script += fmt::format(
            "CREATE TEMP TRIGGER IF NOT EXISTS \"hist_d_{0}\" BEFORE DELETE ON main.\"{0}\" {1} "
            "BEGIN {2}'INSERT INTO \"{0}\"({3}) VALUES('||{4}||')'); END; "
            "CREATE TEMP TRIGGER IF NOT EXISTS \"hist_u_{0}\" BEFORE UPDATE ON main.\"{0}\" {1} "
            "BEGIN {2}'UPDATE \"{0}\" SET '||{5}||' WHERE rowid='||OLD.rowid); END; ",
            t, when, log, names, values, sets);
    }
    db_.executeScript(script);
}

// An action that only added rows to a table, in one run of numbers (an
// import), is taken back by one range statement instead of one per row.
// Only then: a range could otherwise reach rows the action also put back.
void History::compact(std::int64_t action) {
    struct Rows {
        bool onlyAdded = true;
        std::int64_t first = 0, low = 0, high = 0, count = 0;
    };
    std::map<std::string, Rows> tables;
    Statement s = db_.prepare("SELECT Seq, Stmt FROM UndoLog WHERE ActionID=?1 ORDER BY Seq");
    s.bind(1, action);
    while (s.step()) {
        const std::string stmt = s.text(1);
        const auto open = stmt.find('"'), close = stmt.find('"', open + 1);
        if (open == std::string::npos || close == std::string::npos) {
            continue;
        }
        Rows& r = tables[stmt.substr(open + 1, close - open - 1)];
        static constexpr std::string_view kDelete = "WHERE rowid=";
        const auto at = stmt.rfind(kDelete);
        if (stmt.rfind("DELETE", 0) != 0 || at == std::string::npos) {
            r.onlyAdded = false;
            continue;
        }
        const std::int64_t rowid = std::stoll(stmt.substr(at + kDelete.size()));
        r.first = r.count == 0 ? s.integer(0) : r.first;
        r.low = r.count == 0 ? rowid : std::min(r.low, rowid);
        r.high = r.count == 0 ? rowid : std::max(r.high, rowid);
        ++r.count;
    }
    for (const auto& [table, r] : tables) {
        if (!r.onlyAdded || r.count < 2 || r.high - r.low + 1 != r.count) {
            continue;
        }
        db_.execute("DELETE FROM UndoLog WHERE ActionID=?1 AND Stmt LIKE ?2", action,
                    fmt::format("DELETE FROM \"{}\" WHERE rowid=%", table));
        db_.execute(
            "INSERT INTO UndoLog(Seq, ActionID, Stmt) VALUES(?1, ?2, ?3)", r.first, action,
            fmt::format("DELETE FROM \"{}\" WHERE rowid BETWEEN {} AND {}", table, r.low, r.high));
    }
}

// Just before an action commits: the statements it recorded become the
// book's newest action, and what could be redone is dropped.
void History::nameAction() {
    if (replaying_) {
        return;
    }
    std::vector<std::string> reversals;
    Statement s = db_.prepare("SELECT Stmt FROM UndoLog WHERE ActionID=?1 ORDER BY Seq");
    s.bind(1, current_);
    while (s.step()) {
        reversals.push_back(s.text(0));
    }
    if (reversals.empty()) {
        return;
    }
    const std::string book = book_ ? book_() : std::string();
    db_.execute(
        "DELETE FROM UndoLog WHERE ActionID IN (SELECT ID FROM UndoAction WHERE BName=?1 AND "
        "Undone=1)",
        book);
    db_.execute(
        "DELETE FROM UndoRows WHERE ActionID IN (SELECT ID FROM UndoAction WHERE BName=?1 AND "
        "Undone=1)",
        book);
    db_.execute("DELETE FROM UndoAction WHERE BName=?1 AND Undone=1", book);
    db_.execute(
        "INSERT INTO UndoAction(ID, BName, theTime, Caption, Undone, MoneyIn, MoneyOut) "
        "SELECT ?1, ?2, datetime('now', 'localtime'), ?3, 0, MoneyIn, MoneyOut "
        "FROM temp.HistoryMoney",
        current_, book, caption(reversals));
    db_.executeScript("UPDATE temp.HistoryMoney SET MoneyIn=0, MoneyOut=0");
    compact(current_);
    ++current_;
    db_.execute("UPDATE temp.HistoryState SET Current=?1", current_);
}

std::optional<HistoryEntry> History::entry(const char* condition) const {
    Statement s = db_.prepare(
        fmt::format("SELECT {} FROM UndoAction WHERE BName=?1 AND {}", kEntryColumns, condition));
    s.bind(1, book_ ? book_() : std::string());
    if (!s.step()) {
        return std::nullopt;
    }
    return entryOf(s);
}

std::optional<HistoryEntry> History::undoable() const {
    return entry("Undone=0 ORDER BY ID DESC LIMIT 1");
}

std::optional<HistoryEntry> History::redoable() const {
    return entry("Undone=1 ORDER BY ID LIMIT 1");
}

std::vector<HistoryEntry> History::entries(std::size_t limit) const {
    std::vector<HistoryEntry> out;
    Statement s = db_.prepare(fmt::format(
        "SELECT {} FROM UndoAction WHERE BName=?1 ORDER BY ID DESC LIMIT ?2", kEntryColumns));
    s.bindAll(book_ ? book_() : std::string(), static_cast<std::int64_t>(limit));
    while (s.step()) {
        out.push_back(entryOf(s));
    }
    return out;
}

// Runs an action's statements backwards; what the triggers record meanwhile
// is what reverses this replay, and takes the place of what was run.
void History::replay(std::int64_t action, bool undone) {
    std::vector<std::string> statements;
    Statement s = db_.prepare("SELECT Stmt FROM UndoLog WHERE ActionID=?1 ORDER BY Seq DESC");
    s.bind(1, action);
    while (s.step()) {
        statements.push_back(s.text(0));
    }
    const std::int64_t scratch = current_;  // not an action: its rows are moved below
    replaying_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{replaying_};
    Transaction t(db_);
    db_.execute("UPDATE temp.HistoryState SET Recording=1, Current=?1", scratch);
    for (const std::string& statement : statements) {
        if (!replayRange(statement, action, scratch)) {
            db_.executeScript(statement);
        }
    }
    db_.execute("DELETE FROM UndoLog WHERE ActionID=?1", action);
    db_.execute("UPDATE UndoLog SET ActionID=?1 WHERE ActionID=?2", action, scratch);
    compact(action);
    db_.execute("UPDATE UndoAction SET Undone=?1 WHERE ID=?2", undone ? 1 : 0, action);
    db_.executeScript("UPDATE temp.HistoryMoney SET MoneyIn=0, MoneyOut=0");
    t.commit();
}

// A range of rows added in bulk is taken away, and put back, by one statement
// each way: the rows are kept in UndoRows meanwhile, not logged row by row.
bool History::replayRange(const std::string& statement, std::int64_t action, std::int64_t scratch) {
    const auto open = statement.find('"'), close = statement.find('"', open + 1);
    const auto between = statement.rfind(" BETWEEN ");
    if (open == std::string::npos || close == std::string::npos || between == std::string::npos) {
        return false;
    }
    const std::string table = statement.substr(open + 1, close - open - 1);
    const auto known = columns_.find(table);
    if (known == columns_.end() || known->second.size() > kKeptColumns) {
        return false;
    }
    const std::string bounds = statement.substr(between);  // " BETWEEN low AND high"
    std::string names = "rowid", kept = "RowID";
    for (std::size_t i = 0; i < known->second.size(); ++i) {
        names += fmt::format(",\"{}\"", known->second[i]);
        kept += fmt::format(",c{}", i + 1);
    }
    const std::string takeAway = fmt::format("DELETE FROM \"{}\" WHERE rowid{}", table, bounds);
    const std::string keptRows = fmt::format(
        "FROM UndoRows WHERE ActionID={} AND Tbl='{}' AND RowID{}", action, table, bounds);
    const std::string putBack =
        fmt::format("INSERT INTO \"{}\"({}) SELECT {} {}", table, names, kept, keptRows);
    auto unrecorded = [this](const std::string& sql) {
        db_.executeScript("UPDATE temp.HistoryState SET Recording=0");
        db_.executeScript(sql);
        db_.executeScript("UPDATE temp.HistoryState SET Recording=1");
    };
    auto log = [&](const std::string& reversal) {
        db_.execute("INSERT INTO UndoLog(ActionID, Stmt) VALUES(?1, ?2)", scratch, reversal);
    };
    if (statement == takeAway) {
        db_.executeScript(
            fmt::format("INSERT INTO UndoRows(ActionID,Tbl,{}) SELECT {},'{}',{} "
                        "FROM main.\"{}\" WHERE rowid{}",
                        kept, action, table, names, table, bounds));
        unrecorded(statement);
        log(putBack);
        return true;
    }
    if (statement == putBack) {
        unrecorded(statement);
        db_.executeScript("DELETE " + keptRows);
        log(takeAway);
        return true;
    }
    return false;
}

bool History::undo() {
    const auto last = undoable();
    return last && (replay(last->id, true), true);
}

bool History::redo() {
    const auto next = redoable();
    return next && (replay(next->id, false), true);
}

void History::setPaused(bool paused) {
    pauses_ += paused ? 1 : -1;
    paused_ = pauses_ > 0;
    db_.execute("UPDATE temp.HistoryState SET Recording=?1", paused_ ? 0 : 1);
}

int History::stepsTo(std::int64_t id) const {
    const auto target = entry(fmt::format("ID={}", id).c_str());
    if (!target) {
        return 0;
    }
    return static_cast<int>(
        db_.queryInt(target->undone
                         ? "SELECT count(*) FROM UndoAction WHERE BName=?1 AND Undone=1 AND ID<=?2"
                         : "SELECT count(*) FROM UndoAction WHERE BName=?1 AND Undone=0 AND ID>=?2",
                     book_ ? book_() : std::string(), id)
            .value_or(0));
}

int History::goTo(std::int64_t id) {
    const auto target = entry(fmt::format("ID={}", id).c_str());
    if (!target) {
        return 0;
    }
    // All the steps or none: one transaction around them.
    Transaction t(db_);
    int steps = 0;
    for (auto next = target->undone ? redoable() : undoable();
         next && (target->undone ? next->id <= id : next->id >= id);
         next = target->undone ? redoable() : undoable()) {
        replay(next->id, !target->undone);
        ++steps;
    }
    t.commit();
    return steps;
}

// A book's whole history, once the book is deleted or renamed: its
// statements name the book as it was.
void forgetHistory(Database& db, const std::string& book) {
    const char* actions = "(SELECT ID FROM UndoAction WHERE BName=?1)";
    db.execute(fmt::format("DELETE FROM UndoLog WHERE ActionID IN {}", actions), book);
    db.execute(fmt::format("DELETE FROM UndoRows WHERE ActionID IN {}", actions), book);
    db.execute("DELETE FROM UndoAction WHERE BName=?1", book);
}

// An action's caption; a bill's booking names the bill's source.
std::string History::caption(const std::vector<std::string>& reversals) const {
    std::string text = historyCaption(reversals);
    static constexpr std::string_view kBill = "导入 账单";
    static constexpr std::string_view kAdded = "DELETE FROM \"BillSeen\" WHERE rowid";
    if (text.rfind(kBill, 0) != 0) {
        return text;
    }
    for (const std::string& r : reversals) {
        if (r.rfind(kAdded, 0) != 0) {
            continue;
        }
        // "=N" or " BETWEEN N AND M": the first row added tells the source.
        const auto digits = r.find_first_of("0123456789", kAdded.size());
        const auto source = db_.queryText("SELECT Source FROM BillSeen WHERE rowid=?1",
                                          static_cast<std::int64_t>(std::stoll(r.substr(digits))));
        if (source) {
            return fmt::format("导入 {}账单{}", *source, text.substr(kBill.size()));
        }
    }
    return text;
}

}  // namespace fennory
