#pragma once
// Loaded rows of a query: named columns and typed cells, what a list screen
// shows and sorts in memory.

#include <string>
#include <string_view>
#include <vector>

#include "core/database.h"

namespace fennory {

struct Table {
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;

    // Index of a column by name, -1 when there is none.
    int column(std::string_view name) const;
    std::size_t size() const { return rows.size(); }
    bool empty() const { return rows.empty(); }

    // The cell as the user reads it: money with two decimals and separators.
    std::string displayText(std::size_t row, int col) const;
    // The cell as stored text: money plain, integers in digits.
    std::string text(std::size_t row, int col) const;
    std::string text(std::size_t row, std::string_view columnName) const {
        return text(row, column(columnName));
    }

    // Runs the statement and keeps every row. Integer columns named in
    // moneyColumns become Money cells.
    static Table load(Statement statement, const std::vector<std::string>& moneyColumns = {});
};

// Sorts the rows by one column as a title click does, stable, each cell's sort
// key computed once.
void sortRows(Table& table, int column, bool ascending);

}  // namespace fennory
