#include "core/database.h"

#include "core/errors.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <fmt/format.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "core/gbk.h"
#include "core/own_schema.h"

namespace fennory {
namespace {

constexpr std::string_view kSchema =
#include "schema_sql.inc"
    ;

std::string fileLabel(const std::filesystem::path& file) {
    return fmt::format("数据文件 {} ", file.string());
}

// The settings every data file is made with, stated rather than left to the
// library's defaults, so that a newer SQLCipher still opens today's files and
// backups. Pragmas an older library does not know are ignored by it.
constexpr const char* kCipherSettings =
    "PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000; PRAGMA cipher_use_hmac = ON; "
    "PRAGMA cipher_hmac_algorithm = HMAC_SHA1; PRAGMA cipher_kdf_algorithm = PBKDF2_HMAC_SHA1;";

// Whether the file or folder may be written: its write permission, whoever
// runs the program (the administrator is not stopped by access() alone).
bool writable(const std::filesystem::path& p) {
    using std::filesystem::perms;
    std::error_code ec;
    perms mode = std::filesystem::status(p, ec).permissions();
    bool anyWrite =
        (mode & (perms::owner_write | perms::group_write | perms::others_write)) != perms::none;
    return !ec && anyWrite && ::access(p.c_str(), W_OK) == 0;
}

// Each table of the schema with its columns, read from a scratch database
// made from the schema text.
std::vector<std::pair<std::string, std::vector<std::string>>> schemaTables(sqlite3* db) {
    std::vector<std::pair<std::string, std::vector<std::string>>> out;
    sqlite3_stmt* t = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                       "'sqlite_%' ORDER BY name",
                       -1, &t, nullptr);
    while (sqlite3_step(t) == SQLITE_ROW) {
        out.push_back({reinterpret_cast<const char*>(sqlite3_column_text(t, 0)), {}});
    }
    sqlite3_finalize(t);
    for (auto& [table, columns] : out) {
        sqlite3_stmt* c = nullptr;
        std::string sql = "PRAGMA table_info(" + table + ")";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &c, nullptr);
        while (sqlite3_step(c) == SQLITE_ROW) {
            columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(c, 1)));
        }
        sqlite3_finalize(c);
    }
    return out;
}

const std::vector<std::pair<std::string, std::vector<std::string>>>& expectedTables() {
    static const auto tables = [] {
        sqlite3* mem = nullptr;
        sqlite3_open(":memory:", &mem);
        std::string text(kSchema);
        sqlite3_exec(mem, text.c_str(), nullptr, nullptr, nullptr);
        auto t = schemaTables(mem);
        sqlite3_close(mem);
        return t;
    }();
    return tables;
}

// The schema version a table came with (0: it was there from the first).
int tableSince(const std::string& table) {
    static const std::map<std::string, int> since = {
        {"BillSeen", 4}, {"BillMap", 4},  {"BillLayout", 4}, {"UndoAction", 5},
        {"UndoLog", 5},  {"UndoRows", 6}, {"Budget", 7}};
    auto it = since.find(table);
    return it == since.end() ? 0 : it->second;
}

int compareGbk(void*, int lenA, const void* a, int lenB, const void* b) {
    std::string ka = gbk::sortKey({static_cast<const char*>(a), static_cast<std::size_t>(lenA)});
    std::string kb = gbk::sortKey({static_cast<const char*>(b), static_cast<std::size_t>(lenB)});
    int c = ka.compare(kb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

DbError::DbError(int code, std::string engineMessage, std::string statement)
    : std::runtime_error(fmt::format("{} (in: {})", engineMessage, statement)),
      code_(code),
      sumOverflow_(engineMessage == "integer overflow"),
      engineMessage_(std::move(engineMessage)),
      statement_(std::move(statement)) {}

// ---- Statement ----

Statement::Statement(sqlite3* db, sqlite3_stmt* stmt, std::string sql)
    : db_(db), stmt_(stmt), sql_(std::move(sql)) {}

Statement::Statement(Statement&& o) noexcept : db_(o.db_), stmt_(o.stmt_), sql_(std::move(o.sql_)) {
    o.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(stmt_);
        db_ = o.db_;
        stmt_ = o.stmt_;
        sql_ = std::move(o.sql_);
        o.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::fail(int rc) const {
    throw DbError(rc, sqlite3_errmsg(db_), sql_);
}

Statement& Statement::bind(int index, std::string_view text) {
    int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bind(int index, Money value) {
    return bind(index, value.units());
}

Statement& Statement::bind(int index, Null) {
    int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) {
        fail(rc);
    }
    return *this;
}

Statement& Statement::bind(int index, const Value& value) {
    std::visit([&](const auto& v) { bind(index, v); }, value);
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    // Reset so that the statement's error does not linger into the next use.
    sqlite3_reset(stmt_);
    throw DbError(rc, sqlite3_errmsg(db_), sql_);
}

bool Statement::readOnly() const {
    return sqlite3_stmt_readonly(stmt_) != 0;
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::columnName(int col) const {
    const char* n = sqlite3_column_name(stmt_, col);
    return n ? n : "";
}

bool Statement::isNull(int col) const {
    return sqlite3_column_type(stmt_, col) == SQLITE_NULL;
}

bool Statement::isInteger(int col) const {
    return sqlite3_column_type(stmt_, col) == SQLITE_INTEGER;
}

std::string Statement::text(int col) const {
    const unsigned char* t = sqlite3_column_text(stmt_, col);
    if (!t) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(t),
                       static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col)));
}

std::int64_t Statement::integer(int col) const {
    return sqlite3_column_int64(stmt_, col);
}

Money Statement::money(int col) const {
    return Money::fromUnits(sqlite3_column_int64(stmt_, col));
}

double Statement::real(int col) const {
    return sqlite3_column_double(stmt_, col);
}

// ---- Database ----

Database::Database(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}

Database::Database(Database&& o) noexcept
    : db_(o.db_),
      path_(std::move(o.path_)),
      depth_(o.depth_),
      writeGate_(std::move(o.writeGate_)),
      statementHook_(std::move(o.statementHook_)),
      commits_(o.commits_) {
    o.db_ = nullptr;
}

Database& Database::operator=(Database&& o) noexcept {
    if (this != &o) {
        sqlite3_close_v2(db_);
        db_ = o.db_;
        path_ = std::move(o.path_);
        depth_ = o.depth_;
        writeGate_ = std::move(o.writeGate_);
        statementHook_ = std::move(o.statementHook_);
        commits_ = o.commits_;
        o.db_ = nullptr;
    }
    return *this;
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

void Database::backupTo(const std::filesystem::path& target) {
    std::error_code ec;
    std::filesystem::remove(target, ec);
    sqlite3* dest = openKeyed(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* b = sqlite3_backup_init(dest, "main", db_, "main");
    int rc = b ? sqlite3_backup_step(b, -1) : sqlite3_errcode(dest);
    if (b) {
        const int finish = sqlite3_backup_finish(b);
        if (rc == SQLITE_DONE) {
            rc = finish;
        }
    }
    const std::string why = sqlite3_errmsg(dest);
    sqlite3_close_v2(dest);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        std::filesystem::remove(target, ec);
        throw DataFileError(fmt::format("无法写入 {}。请检查磁盘空间和权限。", target.string()),
                            why);
    }
}

void Database::close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    depth_ = 0;
}

std::string_view Database::schemaSql() {
    return kSchema;
}

sqlite3* Database::openKeyed(const std::filesystem::path& file, int flags) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.string().c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw DataFileError(fmt::format("无法打开数据文件 {}。", file.string()), msg);
    }
    rc = sqlite3_key(db, kKey, static_cast<int>(std::strlen(kKey)));
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, kCipherSettings, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        // A page whose cells claim more than it holds is refused as damaged,
        // not read past its end.
        rc = sqlite3_exec(db, "PRAGMA cell_size_check = ON", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(db);
        sqlite3_close_v2(db);
        throw DataFileError(fmt::format("无法打开数据文件 {}。", file.string()), msg);
    }
    // Names are ordered "ORDER BY x COLLATE GBK", the order Chinese users expect.
    sqlite3_create_collation_v2(db, "GBK", SQLITE_UTF8, nullptr, compareGbk, nullptr);
    // A commit must survive a crash or a power cut: rollback journal, full sync.
    // The file's pages are small and each is decrypted when read: a page cache
    // of 64 MB keeps a book of a hundred thousand records in memory.
    char* err = nullptr;
    rc = sqlite3_exec(db,
                      "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; "
                      "PRAGMA busy_timeout=5000; PRAGMA cache_size=-65536; "
                      "PRAGMA temp_store=MEMORY;",
                      nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(db);
        sqlite3_free(err);
        sqlite3_close_v2(db);
        throw DataFileError(
            fmt::format("{} 不是本软件的数据文件，或已损坏。请从备份恢复。", file.string()), msg);
    }
    return db;
}

Database Database::open(const std::filesystem::path& file) {
    return openChecked(file, true);
}

Database Database::openDeferringPageCheck(const std::filesystem::path& file) {
    return openChecked(file, false);
}

Database Database::openToRead(const std::filesystem::path& file) {
    return Database(openKeyed(file, SQLITE_OPEN_READONLY), file);
}

std::optional<DataFileError> Database::checkWholeFile() {
    const std::string sentence = fmt::format("{}已损坏。请从备份恢复。", fileLabel(path_));
    try {
        auto check = queryText("PRAGMA quick_check");
        if (check.value_or("") == "ok") {
            return std::nullopt;
        }
        return DataFileError(sentence, check.value_or(""));
    } catch (const DbError& e) {
        return DataFileError(sentence, e.engineMessage());
    }
}

void Database::passWriteGate() {
    if (!writeGate_) {
        return;
    }
    std::function<void()> gate = std::move(writeGate_);
    writeGate_ = nullptr;
    try {
        gate();
    } catch (...) {
        writeGate_ = std::move(gate);
        throw;
    }
}

Database Database::openChecked(const std::filesystem::path& file, bool checkPages) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        throw DataFileError(fmt::format(
            "{}是一个文件夹，不是数据文件。请选择数据文件，或从备份恢复。", fileLabel(file)));
    }
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw DataFileError(fmt::format("数据文件 {} 不存在", file.string()));
    }
    // Refused before the first write, not at it.
    if (!writable(file) || !writable(file.parent_path().empty() ? "." : file.parent_path())) {
        throw DataFileError(
            fmt::format("{}或它所在的文件夹是只读的，无法保存数据。请检查文件的权限后再打开。",
                        fileLabel(file)));
    }
    Database d(openKeyed(file, SQLITE_OPEN_READWRITE), file);
    int version = 0;
    try {
        version = d.userVersion();
        // Before anything else reads the file: only our own schema.
        if (auto foreign = foreignSchemaObject(d.db_, kSchema, version == kSchemaVersion)) {
            throw DataFileError(
                fmt::format("{}含有本软件不会建立的{}，可能被他人改动过，不予打开。"
                            "请从备份恢复。",
                            fileLabel(file), *foreign));
        }
        auto check = checkPages ? d.queryText("PRAGMA quick_check") : std::string("ok");
        if (check.value_or("") != "ok") {
            throw DataFileError(fmt::format("{}已损坏。请从备份恢复。", fileLabel(file)),
                                check.value_or(""));
        }
    } catch (const DbError& e) {
        // A wrong key, a file of another kind or a damaged one all read as
        // "file is not a database" or a corruption code.
        if (e.code() == SQLITE_NOTADB) {
            throw DataFileError(
                fmt::format("{} 不是本软件的数据文件，或已损坏。请从备份恢复。", file.string()),
                e.engineMessage());
        }
        throw DataFileError(fmt::format("{}已损坏。请从备份恢复。", fileLabel(file)),
                            e.engineMessage());
    }
    if (version > kSchemaVersion) {
        throw DataFileError(
            fmt::format("{}由更新版本的 Fennory记账软件 保存，本版本无法打开。请升级软件后再打开。",
                        fileLabel(file)));
    }
    // An older file may lack what a later version adds: its tables are checked
    // before the upgrade, every column after it.
    if (version < kSchemaVersion) {
        // An upgrade writes: the pages are checked first, whatever the caller.
        if (!checkPages) {
            if (auto refused = d.checkWholeFile()) {
                throw *refused;
            }
        }
        d.checkSchema(false, version);
        d.migrate(version);
    }
    d.checkSchema(true);
    return d;
}

int Database::userVersion() {
    return static_cast<int>(queryInt("PRAGMA user_version").value_or(0));
}

void Database::checkSchema(bool columnsToo, int version) {
    auto present = schemaTables(db_);
    for (const auto& [table, columns] : expectedTables()) {
        if (tableSince(table) > version) {
            continue;
        }
        auto it = std::find_if(present.begin(), present.end(),
                               [&name = table](const auto& p) { return p.first == name; });
        if (it == present.end()) {
            throw DataFileError(fmt::format("{} 不是本软件的数据文件（缺少表 {}）。请从备份恢复。",
                                            path_.string(), table));
        }
        for (const std::string& c : columns) {
            if (columnsToo &&
                std::find(it->second.begin(), it->second.end(), c) == it->second.end()) {
                throw DataFileError(
                    fmt::format("{} 不是本软件的数据文件（表 {} 缺少列 {}）。请从备份恢复。",
                                path_.string(), table, c));
            }
        }
    }
}

// Version 1: names compare without letter case, money columns hold integers
// only, one settings row per book and one threshold per book, member and
// kind. Tables are rebuilt from the schema and their rows copied; duplicates
// of the one-row tables keep the first.
void Database::rebuildForVersion1() {
    std::vector<std::string> tables;
    for (const auto& [table, columns] : expectedTables()) {
        if (tableSince(table) == 0) {
            tables.push_back(table);
        }
    }
    Statement idx =
        prepare("SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL");
    std::vector<std::string> indexes;
    while (idx.step()) {
        indexes.push_back(idx.text(0));
    }
    for (const std::string& i : indexes) {
        executeScript("DROP INDEX \"" + i + "\"");
    }
    for (const std::string& table : tables) {
        executeScript(fmt::format("ALTER TABLE {0} RENAME TO {0}__old", table));
    }
    executeScript(kSchema);
    for (const auto& [table, columns] : expectedTables()) {
        if (tableSince(table) != 0) {
            continue;  // made new by the schema, with nothing to copy
        }
        std::string list;
        for (const std::string& c : columns) {
            if (table == "SMRX" && c == "TX_B") {
                continue;  // came with version 8: it keeps its default
            }
            list += (list.empty() ? "" : ", ") + c;
        }
        // Only the one-row tables drop duplicates; a name list with two
        // names that differ only in letter case stops the upgrade
        // rather than lose a row.
        bool oneRow = table == "SMRX" || table == "SMRB" || table == "UWarn";
        executeScript(
            fmt::format("DELETE FROM {0}; INSERT {2}INTO {0}({1}) "
                        "SELECT {1} FROM {0}__old ORDER BY rowid; "
                        "DROP TABLE {0}__old",
                        table, list, oneRow ? "OR IGNORE " : ""));
    }
}

void Database::migrate(int from) {
    // A copy of the file as it was stays beside it.
    std::filesystem::path keep = path_;
    keep += fmt::format(".v{}.bak", from);
    std::error_code ec;
    std::filesystem::copy_file(path_, keep, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        throw DataFileError(fmt::format("{}需要升级，但无法在它旁边保存一份副本（{}）。",
                                        fileLabel(path_), fileErrorReason(ec)),
                            ec.message());
    }
    try {
        Transaction t(*this);
        if (from < 1) {
            rebuildForVersion1();
        }
        if (from < 2) {
            // Version 2: the record lists of a book come in the order made
            // without a sort.
            executeScript(
                "CREATE INDEX IF NOT EXISTS InTable_Book ON InTable(BName); "
                "CREATE INDEX IF NOT EXISTS OutTable_Book ON OutTable(BName); "
                "CREATE INDEX IF NOT EXISTS ChangeT_Book ON ChangeT(BName);");
        }
        if (from < 3) {
            // Version 3: the date indexes of income and expenses cover what the
            // statistics read, so a period is summed from the index alone.
            executeScript(
                "DROP INDEX IF EXISTS InTable_Book_Date; "
                "CREATE INDEX InTable_Book_Date ON InTable(BName, IDate, IName, IMoney, AName, "
                "FName); "
                "DROP INDEX IF EXISTS OutTable_Book_Date; "
                "CREATE INDEX OutTable_Book_Date ON OutTable(BName, ODate, OName, OMoney, AName, "
                "FName);");
        }
        if (from < 4 && from >= 1) {
            // Version 4: bills of payment services and banks, imported once.
            // (A version 0 file was rebuilt from the whole schema above.)
            std::string_view schema = kSchema;
            const auto start = schema.find("CREATE TABLE IF NOT EXISTS BillSeen");
            const auto end = schema.find("-- The history of a book's actions");
            executeScript(std::string(schema.substr(start, end - start)));
        }
        if (from < 5 && from >= 1) {
            // Version 5: the history of actions, to take them back.
            std::string_view schema = kSchema;
            const auto start = schema.find("CREATE TABLE IF NOT EXISTS UndoAction");
            const auto end = schema.find("-- Rows an undo took away");
            executeScript(std::string(schema.substr(start, end - start)));
        }
        if (from < 6 && from >= 1) {
            // Version 6: rows an undo took away in bulk, for their redo, and
            // the money each action moved (a version 5 table lacks it).
            if (from == 5) {
                executeScript(
                    "ALTER TABLE UndoAction ADD COLUMN MoneyIn INTEGER NOT NULL DEFAULT 0; "
                    "ALTER TABLE UndoAction ADD COLUMN MoneyOut INTEGER NOT NULL DEFAULT 0;");
            }
            std::string_view schema = kSchema;
            const auto start = schema.find("CREATE TABLE IF NOT EXISTS UndoRows");
            const auto end = schema.find("-- What each category may cost");
            executeScript(std::string(schema.substr(start, end - start)));
        }
        if (from < 7 && from >= 1) {
            // Version 7: budgets by category and month.
            std::string_view schema = kSchema;
            const auto start = schema.find("CREATE TABLE IF NOT EXISTS Budget");
            const auto end = schema.find("CREATE TABLE SZTable");
            executeScript(std::string(schema.substr(start, end - start)));
        }
        if (from < 8 && from >= 1 &&
            !queryInt("SELECT count(*) FROM sqlite_master WHERE "
                      "name='SMRX' AND sql LIKE '%TX_B%'")
                 .value_or(0)) {
            // Version 8: whether a save that takes a category past its budget
            // is told, per book (on unless turned off).
            executeScript("ALTER TABLE SMRX ADD COLUMN TX_B INTEGER NOT NULL DEFAULT -1");
        }
        executeScript(fmt::format("PRAGMA user_version = {}", kSchemaVersion));
        t.commit();
    } catch (const DbError& e) {
        throw DataFileError(fmt::format("{}升级失败，没有作任何改动。", fileLabel(path_)),
                            e.engineMessage());
    }
}

Database Database::create(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        throw DataFileError(fmt::format("数据文件 {} 已存在，不会覆盖", file.string()));
    }
    Database d(openKeyed(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), file);
    {
        Transaction t(d);
        d.executeScript(kSchema);
        d.executeScript(fmt::format("PRAGMA user_version = {}", kSchemaVersion));
        t.commit();
    }
    return d;
}

Statement Database::prepare(std::string_view sql) {
    if (statementHook_) {
        statementHook_(sql);
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        throw DbError(rc, sqlite3_errmsg(db_), std::string(sql));
    }
    if (writeGate_ && !sqlite3_stmt_readonly(stmt)) {
        try {
            passWriteGate();
        } catch (...) {
            sqlite3_finalize(stmt);
            throw;
        }
    }
    return Statement(db_, stmt, std::string(sql));
}

void Database::runAsAction(Statement& s) {
    // A transaction begun by other means (a preview's own read) counts too.
    if (depth_ > 0 || s.readOnly() || sqlite3_get_autocommit(db_) == 0) {
        s.run();
        return;
    }
    Transaction t(*this);
    s.run();
    t.commit();
}

void Database::executeScript(std::string_view sql) {
    passWriteGate();
    if (statementHook_) {
        statementHook_(sql);
    }
    std::string text(sql);
    char* err = nullptr;
    int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : sqlite3_errmsg(db_);
        sqlite3_free(err);
        throw DbError(rc, msg, text.size() > 200 ? text.substr(0, 200) + "..." : text);
    }
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

// ---- Transaction ----

Transaction::Transaction(Database& db) : db_(db), level_(db.depth_ + 1) {
    if (level_ == 1) {
        db_.executeScript("BEGIN IMMEDIATE");
    } else {
        db_.executeScript(fmt::format("SAVEPOINT fennory_{}", level_));
    }
    db_.depth_ = level_;
}

void Transaction::commit() {
    if (done_) {
        return;
    }
    if (db_.depth_ != level_) {
        throw std::logic_error("an inner transaction is still open");
    }
    if (level_ == 1) {
        if (db_.beforeCommit_) {
            db_.beforeCommit_();
        }
        db_.executeScript("COMMIT");
        ++db_.commits_;
    } else {
        db_.executeScript(fmt::format("RELEASE fennory_{}", level_));
    }
    done_ = true;
    db_.depth_ = level_ - 1;
}

Transaction::~Transaction() {
    if (done_) {
        return;
    }
    // Rollback cannot be allowed to throw out of a destructor; if it fails the
    // connection's own rollback on error has already undone the work.
    char* err = nullptr;
    if (level_ == 1) {
        sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, &err);
    } else {
        std::string sql = fmt::format("ROLLBACK TO fennory_{0}; RELEASE fennory_{0}", level_);
        sqlite3_exec(db_.db_, sql.c_str(), nullptr, nullptr, &err);
    }
    sqlite3_free(err);
    db_.depth_ = level_ - 1;
}

}  // namespace fennory
