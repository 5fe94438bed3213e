// A data file of any content, as someone who knows the installation's key
// could make one: the input is the file's plain pages, which the harness
// encrypts as a data file before the program opens it, at start-up and as a
// backup chosen to restore. Opened or refused, never more.
#include <sqlite3.h>

#include "books/backup.h"
#include "core/database.h"
#include "fuzz_files.h"
#include "fuzz_refusal.h"

namespace {

constexpr const char* kCipher =
    "PRAGMA cipher_default_page_size = 1024; PRAGMA cipher_default_kdf_iter = 64000; "
    "PRAGMA cipher_default_hmac_algorithm = HMAC_SHA1; "
    "PRAGMA cipher_default_kdf_algorithm = PBKDF2_HMAC_SHA1;";

// The plain pages keyed as a data file; false when the engine cannot read them
// well enough to copy (that is the engine's refusal, not ours to test).
bool keyed(const std::filesystem::path& plain, const std::filesystem::path& target) {
    std::error_code ec;
    std::filesystem::remove(target, ec);
    sqlite3* db = nullptr;
    if (sqlite3_open(plain.string().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const std::string sql = std::string(kCipher) + "ATTACH DATABASE '" + target.string() +
                            "' AS keyed KEY '" + fennory::Database::kKey +
                            "'; SELECT sqlcipher_export('keyed');";  // user_version too
    bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    // The export leaves the version behind; the file's own goes with it.
    sqlite3_stmt* s = nullptr;
    if (ok && sqlite3_prepare_v2(db, "PRAGMA main.user_version", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW) {
        const std::string set =
            "PRAGMA keyed.user_version = " + std::to_string(sqlite3_column_int(s, 0));
        sqlite3_finalize(s);
        s = nullptr;
        ok = sqlite3_exec(db, set.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const auto plain = fuzz::inputFile(".db", data, size);
    const auto file = plain.parent_path() / "input.eac";
    if (!keyed(plain, file)) {
        return 0;
    }
    fuzz::refusedOrRead([&] {
        Database db = Database::open(file);
        db.queryInt("SELECT count(*) FROM SBook");
        db.queryInt("SELECT sum(IMoney) FROM InTable");
    });
    // The restore's look before it asks: a copy checked in full, its books listed.
    static Database live = [&] {
        const auto f = plain.parent_path() / "live.eac";
        std::error_code ec;
        std::filesystem::remove(f, ec);
        return Database::create(f);
    }();
    fuzz::refusedOrRead([&] { previewRestore(live, file); });
    return 0;
}
