#include "support/test_data_file.h"

#include <atomic>
#include <random>

namespace fennory::testing {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("fennory-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

BookTest::BookTest() : db(Database::create(folder.path() / "db.eac")), dm(db, session) {
    session.CurrentBook = "家庭账簿";
    session.StartupDate = "2024-05-31";
    session.ExeFolder = folder.path();
}

std::vector<std::vector<std::string>> BookTest::rows(const std::string& sql) {
    Statement s = db.prepare(sql);
    std::vector<std::vector<std::string>> out;
    while (s.step()) {
        std::vector<std::string> row;
        for (int c = 0; c < s.columnCount(); ++c) {
            row.push_back(s.isNull(c) ? "NULL" : s.text(c));
        }
        out.push_back(row);
    }
    return out;
}

std::string BookTest::one(const std::string& sql) {
    auto r = rows(sql);
    return r.empty() || r[0].empty() ? "<none>" : r[0][0];
}

void BookTest::addAccount(const std::string& name, const std::string& amount,
                          const std::string& book) {
    db.execute(
        "INSERT INTO SAccount(AName,BName,thePY,theState,theCount,Remark,AMoney,theType,FName) "
        "VALUES(?1,?2,'','启用',0,'',?3,'现金','')",
        name, book.empty() ? session.CurrentBook : book, Money::parse(amount).value());
}

void BookTest::addName(const std::string& table, const std::string& column, const std::string& name,
                       const std::string& pinyin, const std::string& state, int count,
                       const std::string& book) {
    std::string b = book.empty() ? session.CurrentBook : book;
    if (table == "SFamily") {
        db.execute("INSERT INTO SFamily(FName,BName,thePY) VALUES(?1,?2,?3)", name, b, pinyin);
        return;
    }
    db.execute("INSERT INTO " + table + "(" + column +
                   ",BName,thePY,theState,theCount) VALUES(?1,?2,?3,?4,?5)",
               name, b, pinyin, state, count);
}

std::string BookTest::dump() {
    std::string out;
    for (const auto& t : rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")) {
        out += "== " + t[0] + "\n";
        for (const auto& r : rows("SELECT * FROM " + t[0] + " ORDER BY rowid")) {
            for (const auto& c : r) {
                out += c + "|";
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace fennory::testing
