#include "core/own_schema.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <cctype>
#include <map>
#include <set>
#include <utility>

namespace fennory {
namespace {

struct Object {
    std::string type, name, table, sql;
};

template <class F>
void eachObject(sqlite3* db, F&& f) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, name, tbl_name, sql FROM sqlite_master", -1, &s,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        throw std::runtime_error(sqlite3_errmsg(db));
    }
    auto text = [&](int c) {
        const unsigned char* t = sqlite3_column_text(s, c);
        return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
    };
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        f(Object{text(0), text(1), text(2), text(3)});
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

// (type, name) -> normalized text, of a scratch database made from the schema.
using Objects = std::map<std::pair<std::string, std::string>, std::string>;

Objects ownObjects(std::string_view schema) {
    sqlite3* mem = nullptr;
    sqlite3_open(":memory:", &mem);
    const std::string text(schema);
    sqlite3_exec(mem, text.c_str(), nullptr, nullptr, nullptr);
    Objects out;
    eachObject(mem, [&](const Object& o) { out[{o.type, o.name}] = normalizedSql(o.sql); });
    sqlite3_close(mem);
    return out;
}

std::string upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

// The words followed by "(" in an old version's text: only the object's own
// names, constraint words and typeof() may be.
bool plainText(const Object& o) {
    const std::string sql = upper(normalizedSql(o.sql));
    static const std::set<std::string> allowed = {"CHECK", "KEY", "UNIQUE", "TYPEOF"};
    if (sql.find("SELECT") != std::string::npos) {
        return false;
    }
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] != '(') {
            continue;
        }
        std::size_t end = i;
        while (end > 0 && sql[end - 1] == ' ') {
            --end;
        }
        std::size_t start = end;
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(sql[start - 1])) ||
                             sql[start - 1] == '_' || sql[start - 1] == '"')) {
            --start;
        }
        std::string word = sql.substr(start, end - start);
        std::erase(word, '"');
        if (!word.empty() && !allowed.contains(word) && word != upper(o.name) &&
            word != upper(o.table)) {
            return false;
        }
    }
    return true;
}

const char* kindOf(const Object& o) {
    if (o.type == "trigger") {
        return "触发器";
    }
    if (o.type == "view") {
        return "视图";
    }
    if (o.type == "index") {
        return "索引";
    }
    return upper(o.sql).rfind("CREATE VIRTUAL TABLE", 0) == 0 ? "虚拟表" : "表";
}

}  // namespace

std::string normalizedSql(std::string_view sql) {
    std::string out;
    bool space = false;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // A quoted text or name, kept as it is.
            const std::size_t close = sql.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? sql.size() : close + 1;
            if (space && !out.empty()) {
                out += ' ';
            }
            space = false;
            out.append(sql.substr(i, end - i));
            i = end - 1;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            i = std::min(sql.find('\n', i), sql.size()) - 1;
            space = true;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            space = true;
        } else {
            const bool tight = c == '(' || c == ')' || c == ',' ||
                               (!out.empty() && (out.back() == '(' || out.back() == ','));
            if (space && !out.empty() && !tight) {
                out += ' ';
            }
            space = false;
            out += c;
        }
    }
    return out;
}

std::optional<std::string> foreignSchemaObject(sqlite3* db, std::string_view schema,
                                               bool currentVersion) {
    static const Objects own = ownObjects(schema);
    std::set<std::string> ownTables;
    for (const auto& [key, sql] : own) {
        if (key.first == "table") {
            ownTables.insert(key.second);
        }
    }
    std::optional<std::string> found;
    eachObject(db, [&](const Object& o) {
        if (found) {
            return;
        }
        // The engine's own: a table's automatic indexes and its counter of numbers.
        if ((o.type == "index" && o.sql.empty() && o.name.rfind("sqlite_autoindex_", 0) == 0 &&
             ownTables.contains(o.table)) ||
            (o.type == "table" && o.name == "sqlite_sequence")) {
            return;
        }
        const auto mine = own.find({o.type, o.name});
        const bool same = mine != own.end() &&
                          (currentVersion ? normalizedSql(o.sql) == mine->second : plainText(o));
        if (!same) {
            found = fmt::format("{} {}", kindOf(o), o.name);
        }
    });
    return found;
}

}  // namespace fennory
