#pragma once
// The shared data operations every screen uses: balances, the fund-flow log,
// use counts, states, the drop-down name lists and the type-ahead, and the
// creation of names a book does not have yet. Each call reads the database at
// the moment of the call and keeps nothing between calls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/database.h"
#include "core/money.h"
#include "core/names.h"
#include "core/session.h"

namespace fennory {

// What happened to the record a fund-flow entry belongs to, stored as its
// caption: "新增", "修改", "删除", "恢复" (a change's old effect taken back) and
// "导入".
enum class LogEvent { Added, Changed, Deleted, Restored, Imported };
const char* logEventCaption(LogEvent e);

// One row of the fund-flow log. theIn and theOut: money into and out of the
// account; the other of the two is zero.
struct FlowEntry {
    std::string theDate;
    std::string theType;
    std::string Remark;
    Money theIn;
    Money theOut;
    std::string AName;
    std::string FName;
    std::string theT;
    std::int64_t theID = 0;
    LogEvent theE = LogEvent::Added;
};

class TfrmDM {
public:
    TfrmDM(Database& db, Session& session);

    Database& db() { return db_; }
    Session& session() { return session_; }
    const std::string& book() const { return session_.CurrentBook; }

    // The highest ID of the table (of every book): the key of the row just
    // inserted into it. 0 for an empty table.
    std::int64_t myRetID(std::string_view table);

    // The balance of the open book's account; zero when there is none.
    Money RetAMoney(std::string_view account);

    // The member's sum of an amount column in one month ("yyyy-mm"), or in the
    // current month when none is given.
    Money myRetMMoney(std::string_view table, std::string_view member, std::string_view dateColumn,
                      std::string_view amountColumn, std::string_view month);
    Money myRetMMoney(std::string_view table, std::string_view member, std::string_view dateColumn,
                      std::string_view amountColumn);

    void AccountUp(Money amount, std::string_view account);
    void AccountDown(Money amount, std::string_view account);

    // Appends a fund-flow entry that records the account's balance as it is now,
    // so callers move the balance first.
    void List_Add(const FlowEntry& entry);

    // One more use of the open book's name.
    void myCountUp(std::string_view table, std::string_view nameColumn, std::string_view name);

    // Switches a name row to "启用" or "停用".
    void myState(std::string_view table, std::string_view state, std::int64_t id);

    // The drop-down lists, in the open book's order (thePX); the lookup and the
    // editable drop-downs offer the same names.
    std::vector<std::string> ComInType();
    std::vector<std::string> ComOutType();
    std::vector<std::string> ComTZType();
    std::vector<std::string> ComPType();
    std::vector<std::string> ComAccount();
    std::vector<std::string> ComFamily();
    std::vector<std::string> DBComSBook();   // every book, in the order made
    std::vector<std::string> DBComSAType();  // the five account types
    std::vector<std::string> DBComSZType();  // movement kinds of the open book's log
    std::vector<std::string> nameList(const NameTable& list);

    // Type-ahead: the one name in use whose name or pinyin code contains the
    // text (letter case ignored, % and _ taken literally), or nothing when none
    // or several match or the text is empty.
    std::optional<std::string> mySelectCom(std::string_view text, std::string_view nameColumn,
                                           std::string_view table);
    // Every name in use whose name or pinyin code contains the text, in the
    // drop-down's order, at most `limit`: what a drop-down lists while typing.
    std::vector<std::string> nameMatches(std::string_view text, std::string_view nameColumn,
                                         std::string_view table, int limit = 50);

    // Names typed but not yet known: each creates the row when the open book
    // lacks it, with its pinyin code. None writes a log entry.
    void NewFamily(std::string_view name);
    void NewAccount(std::string_view name, std::string_view member, std::string_view type = "现金");
    void mySaveNew(std::string_view table, std::string_view nameColumn, std::string_view name);
    // Whether the open book has the name (letter case aside), in use or not.
    bool hasName(const NameTable& list, std::string_view name);
    // The question a save asks before it makes an account the book lacks: an
    // account carries a balance, so a mistyped name must not become one
    // silently. Nothing when the book has it or the user already agreed.
    std::optional<std::string> newAccountQuestion(std::string_view account,
                                                  const std::vector<std::string>& agreed);
    // The name as the book stores it: names compare without letter case, so
    // "cash" finds "Cash". The name itself when the book has none.
    std::string storedName(std::string_view table, std::string_view nameColumn,
                           std::string_view name);

    // The order clause a drop-down list gets for an order code.
    static std::string orderClause(int thePX, std::string_view nameColumn, bool hasCount);

private:
    Database& db_;
    Session& session_;
};

// Refuses anything but a table of the data file; table names cannot be bound.
std::string_view requireTable(std::string_view table);
// Refuses anything but a plain column name.
std::string_view requireColumn(std::string_view column);

}  // namespace fennory
