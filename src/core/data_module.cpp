#include "core/data_module.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

#include "core/condition.h"
#include "core/dates.h"

namespace fennory {
namespace {

constexpr std::array<std::string_view, 28> kTables = {
    "SBook",  "SMRB",    "SMRX",    "SBase", "SAType",  "SAccount", "SFamily",
    "InD",    "OutD",    "TD",      "PD",    "InTable", "OutTable", "ChangeT",
    "Borrow", "Debt",    "BorrowR", "DebtR", "BList",   "DList",    "TList",
    "TTable", "TTableR", "UPlan",   "UWarn", "UList",   "SZTable",  "sqlite_sequence"};

std::vector<std::string> names(Statement s) {
    std::vector<std::string> out;
    while (s.step()) {
        out.push_back(s.text(0));
    }
    return out;
}

}  // namespace

const char* logEventCaption(LogEvent e) {
    static const char* const captions[] = {"新增", "修改", "删除", "恢复", "导入"};
    return captions[static_cast<std::size_t>(e)];
}

std::string likeAnywhere(const std::string& text) {
    std::string out = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    out += '%';
    return out;
}

std::string_view requireTable(std::string_view table) {
    if (std::find(kTables.begin(), kTables.end(), table) == kTables.end() ||
        table == "sqlite_sequence") {
        throw std::invalid_argument(fmt::format("not a table of the data file: '{}'", table));
    }
    return table;
}

std::string_view requireColumn(std::string_view column) {
    bool ok = !column.empty() && !std::isdigit(static_cast<unsigned char>(column[0]));
    for (char c : column) {
        ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_') &&
             static_cast<unsigned char>(c) < 0x80;
    }
    if (!ok) {
        throw std::invalid_argument(fmt::format("not a column name: '{}'", column));
    }
    return column;
}

TfrmDM::TfrmDM(Database& db, Session& session) : db_(db), session_(session) {}

std::int64_t TfrmDM::myRetID(std::string_view table) {
    auto id = db_.queryInt(
        fmt::format("SELECT ID FROM {} ORDER BY ID DESC LIMIT 1", requireTable(table)));
    return id.value_or(0);
}

Money TfrmDM::RetAMoney(std::string_view account) {
    Statement s = db_.prepare("SELECT AMoney FROM SAccount WHERE BName=?1 AND AName=?2");
    s.bindAll(book(), account);
    if (!s.step() || s.isNull(0)) {
        return Money{};
    }
    return s.money(0);
}

Money TfrmDM::myRetMMoney(std::string_view table, std::string_view member,
                          std::string_view dateColumn, std::string_view amountColumn,
                          std::string_view month) {
    Statement s = db_.prepare(
        fmt::format("SELECT Sum({}) FROM {} WHERE BName=?1 AND FName=?2 AND substr({},1,7)=?3",
                    requireColumn(amountColumn), requireTable(table), requireColumn(dateColumn)));
    s.bindAll(book(), member, month);
    if (!s.step() || s.isNull(0)) {
        return Money{};
    }
    return s.money(0);
}

Money TfrmDM::myRetMMoney(std::string_view table, std::string_view member,
                          std::string_view dateColumn, std::string_view amountColumn) {
    return myRetMMoney(table, member, dateColumn, amountColumn,
                       dates::monthOf(session_.currentDate()));
}

void TfrmDM::AccountUp(Money amount, std::string_view account) {
    db_.execute("UPDATE SAccount SET AMoney=AMoney+?1 WHERE AName=?2 AND BName=?3", amount, account,
                book());
}

void TfrmDM::AccountDown(Money amount, std::string_view account) {
    db_.execute("UPDATE SAccount SET AMoney=AMoney-?1 WHERE AName=?2 AND BName=?3", amount, account,
                book());
}

void TfrmDM::List_Add(const FlowEntry& e) {
    Transaction t(db_);
    Money balance = RetAMoney(e.AName);
    db_.execute(
        "INSERT INTO UList(theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,"
        "theID,theE) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12)",
        e.theDate, e.theType, e.Remark, e.theIn, e.theOut, e.AName, balance, e.FName, book(),
        e.theT, e.theID, logEventCaption(e.theE));
    t.commit();
}

void TfrmDM::myCountUp(std::string_view table, std::string_view nameColumn, std::string_view name) {
    // Only the open book's row: books are separate sets, and a use in one book
    // must not reorder another book's lists.
    db_.execute(fmt::format("UPDATE {} SET theCount=theCount+1 WHERE {}=?1 AND BName=?2",
                            requireTable(table), requireColumn(nameColumn)),
                name, book());
}

void TfrmDM::myState(std::string_view table, std::string_view state, std::int64_t id) {
    if (state != kInUse && state != kNotInUse) {
        throw std::invalid_argument(fmt::format("not a state: '{}'", state));
    }
    db_.execute(fmt::format("UPDATE {} SET theState=?1 WHERE ID=?2", requireTable(table)), state,
                id);
}

std::string TfrmDM::orderClause(int thePX, std::string_view nameColumn, bool hasCount) {
    switch (thePX) {
        case 1:
            return hasCount ? " ORDER BY theCount, ID" : " ORDER BY ID";
        case 2:
            return fmt::format(" ORDER BY {} COLLATE GBK", nameColumn);
        case 3:
            return hasCount ? " ORDER BY theCount DESC, ID" : " ORDER BY ID";
        case 4:
            return fmt::format(" ORDER BY {} COLLATE GBK DESC", nameColumn);
        default:
            return " ORDER BY ID";  // the order in which the names were made
    }
}

std::vector<std::string> TfrmDM::nameList(const NameTable& list) {
    std::string sql = fmt::format("SELECT {0} FROM {1} WHERE BName=?1", list.column, list.table);
    if (list.hasStateAndCount) {
        sql += " AND theState='启用'";
    }
    sql += orderClause(session_.OpenBookState.thePX, list.column, list.hasStateAndCount);
    Statement s = db_.prepare(sql);
    s.bind(1, book());
    return names(std::move(s));
}

std::vector<std::string> TfrmDM::ComInType() {
    return nameList(kIncomeKinds);
}
std::vector<std::string> TfrmDM::ComOutType() {
    return nameList(kExpenseKinds);
}
std::vector<std::string> TfrmDM::ComTZType() {
    return nameList(kInvestmentKinds);
}
std::vector<std::string> TfrmDM::ComPType() {
    return nameList(kContacts);
}
std::vector<std::string> TfrmDM::ComAccount() {
    return nameList(kAccounts);
}
std::vector<std::string> TfrmDM::ComFamily() {
    return nameList(kMembers);
}

std::vector<std::string> TfrmDM::DBComSBook() {
    return names(db_.prepare("SELECT BName FROM SBook ORDER BY ID"));
}

std::vector<std::string> TfrmDM::DBComSAType() {
    return names(db_.prepare("SELECT theName FROM SAType ORDER BY rowid"));
}

std::vector<std::string> TfrmDM::DBComSZType() {
    // Only the open book's kinds: a book with a password must not show another
    // book's category names.
    Statement s =
        db_.prepare("SELECT theType FROM UList WHERE BName=?1 GROUP BY theType ORDER BY theType");
    s.bind(1, book());
    return names(std::move(s));
}

std::optional<std::string> TfrmDM::mySelectCom(std::string_view text, std::string_view nameColumn,
                                               std::string_view table) {
    std::vector<std::string> found = nameMatches(text, nameColumn, table, 2);
    if (found.size() != 1) {
        return std::nullopt;
    }
    return found.front();
}

std::vector<std::string> TfrmDM::nameMatches(std::string_view text, std::string_view nameColumn,
                                             std::string_view table, int limit) {
    auto list = findNameTable(table, nameColumn);
    if (!list) {
        throw std::invalid_argument(fmt::format("not a name list: '{}.{}'", table, nameColumn));
    }
    if (text.empty()) {
        return {};  // clearing a field must leave it clear
    }
    std::string sql = fmt::format(
        "SELECT {0} FROM {1} WHERE BName=?1 AND ({0} LIKE ?2 ESCAPE '\\' OR thePY LIKE ?2 "
        "ESCAPE '\\')",
        list->column, list->table);
    if (list->hasStateAndCount) {
        sql += " AND theState='启用'";
    }
    sql += orderClause(session_.OpenBookState.thePX, list->column, list->hasStateAndCount);
    sql += " LIMIT ?3";
    Statement s = db_.prepare(sql);
    s.bindAll(book(), likeAnywhere(std::string(text)), limit);
    return names(std::move(s));
}

}  // namespace fennory
