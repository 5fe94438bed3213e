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

void BookTest::insertRow(const std::string& table,
                         const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<std::pair<std::string, std::string>> all = values;
    for (const auto& col : rows("PRAGMA table_info(" + table + ")")) {
        // cid, name, type, notnull, dflt_value, pk
        bool given = false;
        for (const auto& v : values) {
            given = given || v.first == col[1];
        }
        if (!given && col[3] == "1" && col[4] == "NULL" && col[5] == "0") {
            all.emplace_back(col[1], "0");
        }
    }
    std::string names, marks;
    for (std::size_t i = 0; i < all.size(); ++i) {
        names += (i ? "," : "") + all[i].first;
        marks += (i ? ",?" : "?") + std::to_string(i + 1);
    }
    Statement s = db.prepare("INSERT INTO " + table + "(" + names + ") VALUES(" + marks + ")");
    for (std::size_t i = 0; i < all.size(); ++i) {
        s.bind(static_cast<int>(i + 1), all[i].second);
    }
    s.run();
}

std::string BookTest::dump(bool withHistory) {
    std::string out;
    const std::string leftOut =
        withHistory ? "" : " AND name NOT IN ('UndoLog','UndoAction','UndoRows','sqlite_sequence')";
    for (const auto& t :
         rows("SELECT name FROM sqlite_master WHERE type='table'" + leftOut + " ORDER BY name")) {
        out += "== " + t[0] + "\n";
        for (const auto& r : rows("SELECT * FROM \"" + t[0] + "\" ORDER BY rowid")) {
            for (const auto& c : r) {
                out += c + "|";
            }
            out += "\n";
        }
    }
    return out;
}

}  // namespace fennory::testing
