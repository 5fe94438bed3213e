#pragma once
// A real data file in a temporary folder, made from the schema, with a session
// on one open book.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/data_module.h"
#include "core/database.h"
#include "core/session.h"

namespace fennory::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class BookTest : public ::testing::Test {
protected:
    BookTest();

    // Rows of a query as text, one vector per row.
    std::vector<std::vector<std::string>> rows(const std::string& sql);
    std::string one(const std::string& sql);

    void addAccount(const std::string& name, const std::string& amount,
                    const std::string& book = "");
    void addName(const std::string& table, const std::string& column, const std::string& name,
                 const std::string& pinyin, const std::string& state = "启用", int count = 0,
                 const std::string& book = "");
    // Inserts a row with the given columns; other required columns get "0".
    void insertRow(const std::string& table,
                   const std::vector<std::pair<std::string, std::string>>& values);
    // Every row of every table, for comparing the file before and after.
    // Without the history: leaves out the history's own tables and the
    // engine's counter of numbers given out (a number taken back is not given
    // out again), for comparing a book before an action and after its undo.
    std::string dump(bool withHistory = true);

    TempFolder folder;
    Database db;
    Session session;
    TfrmDM dm;
};

}  // namespace fennory::testing
