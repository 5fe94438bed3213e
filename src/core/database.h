#pragma once
// The data file: one SQLCipher connection, statements with bound parameters,
// and transactions. Every value reaches the engine as a bound parameter.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/money.h"

struct sqlite3;
struct sqlite3_stmt;

namespace fennory {

// An engine error: SQLite's own message and the statement that failed.
class DbError : public std::runtime_error {
public:
    DbError(int code, std::string engineMessage, std::string statement);
    int code() const { return code_; }
    // A sum of money past what the engine's integers hold. The engine has no
    // code of its own for it; its words are read here, once, and nowhere else.
    bool sumOverflow() const { return sumOverflow_; }
    const std::string& engineMessage() const { return engineMessage_; }
    const std::string& statement() const { return statement_; }

private:
    int code_;
    bool sumOverflow_;
    std::string engineMessage_;
    std::string statement_;
};

// The file exists but is not a data file of this program (wrong key, another
// kind of file, or one that lacks the program's tables), or cannot be opened.
// A data file that cannot be opened, read or written as asked. what() is the
// user's sentence; the engine's or the system's own words, if any, are kept
// apart for the error log.
class DataFileError : public std::runtime_error {
public:
    explicit DataFileError(const std::string& sentence, std::string engineText = {})
        : std::runtime_error(sentence), engineText_(std::move(engineText)) {}
    const std::string& engineText() const { return engineText_; }

private:
    std::string engineText_;
};

struct Null {};
using Value = std::variant<Null, std::int64_t, std::string, Money>;

class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    // Parameters are numbered from 1 as in SQLite.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    Statement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    Statement& bind(int index, Money value);
    Statement& bind(int index, Null);
    Statement& bind(int index, const Value& value);

    // Binds each argument to the next parameter, starting at 1.
    template <class... Args>
    Statement& bindAll(const Args&... args) {
        int i = 0;
        (bind(++i, args), ...);
        return *this;
    }

    // Advances to the next row; false when there are no more.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    bool readOnly() const;
    void reset();

    int columnCount() const;
    std::string columnName(int col) const;
    bool isNull(int col) const;
    bool isInteger(int col) const;
    std::string text(int col) const;
    std::int64_t integer(int col) const;
    Money money(int col) const;
    double real(int col) const;

    const std::string& sql() const { return sql_; }

private:
    friend class Database;
    Statement(sqlite3* db, sqlite3_stmt* stmt, std::string sql);
    [[noreturn]] void fail(int rc) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
};

class Database {
public:
    // The database password of every data file of the program.
    static constexpr const char* kKey = "pxd417";
    // The version of the schema this program makes and reads; stamped in
    // PRAGMA user_version. Every change of the schema raises it and adds a step
    // to the migration.
    static constexpr int kSchemaVersion = 8;

    // Opens an existing data file. Throws DataFileError, with a sentence the
    // user can act on, when it is missing, a folder, read-only, damaged, not a
    // data file of this program, or made by a newer version; such a file is
    // left exactly as it was. A file of an older schema version is copied
    // beside itself and then migrated forward in one transaction.
    static Database open(const std::filesystem::path& file);
    // The same without the check of every page, which takes time in
    // proportion to the file: the caller runs it (checkWholeFile) before
    // anything is written, on a connection of its own if it likes.
    static Database openDeferringPageCheck(const std::filesystem::path& file);
    // A connection that only reads the file (no upgrade, no write).
    static Database openToRead(const std::filesystem::path& file);
    // The engine's check of every page: nothing, or the sentence that refuses
    // the file.
    std::optional<DataFileError> checkWholeFile();

    // Called once before the first write of this connection (a statement that
    // writes, or a transaction): it may wait for work that must finish first,
    // and refuses the write by throwing. It is kept while it throws.
    void setWriteGate(std::function<void()> gate) { writeGate_ = std::move(gate); }

    // How many outermost transactions this connection has committed: an action
    // that fails after a commit has still saved what it committed.
    std::uint64_t commits() const { return commits_; }

    // For tests: called with the text of every statement before it is
    // prepared; throwing fails that statement as the engine would.
    void setStatementHook(std::function<void(std::string_view)> hook) {
        statementHook_ = std::move(hook);
    }

    // Creates a new data file from the schema; refuses to overwrite a file.
    static Database create(const std::filesystem::path& file);

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    Statement prepare(std::string_view sql);
    // Runs a statement with the given values bound in order.
    // A write outside any transaction is a transaction of its own, so that
    // it is an action the history can take back like any other.
    template <class... Args>
    void execute(std::string_view sql, const Args&... args) {
        Statement s = prepare(sql);
        s.bindAll(args...);
        runAsAction(s);
    }
    // Runs statement text that takes no values (schema, pragmas).
    void executeScript(std::string_view sql);

    // The first column of the first row, or nothing when there is no row.
    template <class... Args>
    std::optional<std::string> queryText(std::string_view sql, const Args&... args) {
        Statement s = prepare(sql);
        s.bindAll(args...);
        if (!s.step() || s.isNull(0)) {
            return std::nullopt;
        }
        return s.text(0);
    }
    template <class... Args>
    std::optional<std::int64_t> queryInt(std::string_view sql, const Args&... args) {
        Statement s = prepare(sql);
        s.bindAll(args...);
        if (!s.step() || s.isNull(0)) {
            return std::nullopt;
        }
        return s.integer(0);
    }

    // A consistent copy of the whole file, written while this connection may be
    // in use, into a new keyed file (an existing one is replaced). Throws
    // DataFileError when it cannot be written.
    void backupTo(const std::filesystem::path& target);
    // Closes the connection; the object can only be assigned a new one.
    void close();

    std::int64_t lastInsertId() const;
    int changes() const;
    int userVersion();
    int transactionDepth() const { return depth_; }
    // Runs inside the outermost transaction just before it commits (the
    // history names the action there).
    void setBeforeCommit(std::function<void()> hook) { beforeCommit_ = std::move(hook); }
    // Told when rows are about to be added in bulk to these tables (true) and
    // when that is over (false): the history then keeps one range per table.
    using BulkHook = std::function<void(const std::vector<std::string>& tables, bool begin)>;
    void setBulkHook(BulkHook hook) { bulkHook_ = std::move(hook); }
    void bulkAdd(const std::vector<std::string>& tables, bool begin) {
        if (bulkHook_) {
            bulkHook_(tables, begin);
        }
    }
    // Told when work that is kept out of the history starts (true) and ends.
    void setPauseHook(std::function<void(bool)> hook) { pauseHook_ = std::move(hook); }
    void pauseHistory(bool pause) {
        if (pauseHook_) {
            pauseHook_(pause);
        }
    }
    const std::filesystem::path& path() const { return path_; }

    // The schema text every new data file is made from.
    static std::string_view schemaSql();

private:
    friend class Transaction;
    Database(sqlite3* db, std::filesystem::path path);
    static sqlite3* openKeyed(const std::filesystem::path& file, int flags);
    // Every table of the schema, and with columnsToo every column, is present.
    // With columnsToo false (before an upgrade from `version`), tables a later
    // version adds are not asked for.
    void checkSchema(bool columnsToo, int version = kSchemaVersion);
    void migrate(int from);
    void runAsAction(Statement& s);
    void rebuildForVersion1();

    static Database openChecked(const std::filesystem::path& file, bool checkPages);
    void passWriteGate();

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    int depth_ = 0;
    std::function<void()> writeGate_;
    std::function<void(std::string_view)> statementHook_;
    std::uint64_t commits_ = 0;
    std::function<void()> beforeCommit_;
    BulkHook bulkHook_;
    std::function<void(bool)> pauseHook_;
};

// Work that is not an action of the history (a whole book deleted or
// renamed, a password changed): nothing is recorded while this lives.
class NotInHistory {
public:
    explicit NotInHistory(Database& db) : db_(db) { db_.pauseHistory(true); }
    ~NotInHistory() {
        try {
            db_.pauseHistory(false);
        } catch (...) {
            // The connection is gone; its history went with it.
        }
    }
    NotInHistory(const NotInHistory&) = delete;
    NotInHistory& operator=(const NotInHistory&) = delete;

private:
    Database& db_;
};

// Rows added in bulk to AUTOINCREMENT tables inside one transaction (an
// import): the history keeps them as one range per table, not row by row.
class BulkAdd {
public:
    BulkAdd(Database& db, std::vector<std::string> tables) : db_(db), tables_(std::move(tables)) {
        db_.bulkAdd(tables_, true);
    }
    // Before the transaction commits, so that the ranges join its action.
    void finish() {
        if (!done_) {
            done_ = true;
            db_.bulkAdd(tables_, false);
        }
    }
    ~BulkAdd() {
        try {
            finish();
        } catch (...) {
            // Only on the way out of a failure: the transaction rolls back anyway.
        }
    }
    BulkAdd(const BulkAdd&) = delete;
    BulkAdd& operator=(const BulkAdd&) = delete;

private:
    Database& db_;
    std::vector<std::string> tables_;
    bool done_ = false;
};

// One unit of work. The outermost transaction of a connection is BEGIN ...
// COMMIT; an inner one is a savepoint. Leaving the scope without commit() rolls
// the unit back.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& db_;
    int level_;
    bool done_ = false;
};

}  // namespace fennory
