#pragma once
// The columns of a listed table, declared once: the expression selected, the
// caption of its title, whether it is money and whether the grid hides it.
// A model names its columns with an enum whose values are the positions in its
// table of column definitions, so views read cells by enum, never by caption.

#include <span>
#include <string>
#include <vector>

#include "core/table.h"

namespace fennory {

struct ColumnDef {
    int column;        // the enum value, which must equal the position
    const char* expr;  // what the SELECT takes: a column or an expression
    const char* caption;
    bool money = false;
    bool hidden = false;

    template <class Column>
    constexpr ColumnDef(Column c, const char* expr, const char* caption, bool money = false,
                        bool hidden = false)
        : column(static_cast<int>(c)), expr(expr), caption(caption), money(money), hidden(hidden) {}
};

// "expr AS caption, ..." in the order of the definitions.
std::string selectList(std::span<const ColumnDef> defs);
// Runs the statement and keeps its rows, money columns as Money.
Table loadColumns(Statement statement, std::span<const ColumnDef> defs);
// The positions of the columns the grid hides.
std::vector<int> hiddenColumns(std::span<const ColumnDef> defs);

// True when every column definition stands at the position its enum value names.
constexpr bool columnsInOrder(std::span<const ColumnDef> defs) {
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].column != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

// The cell of a row by column enum.
template <class Column>
std::string cellText(const Table& t, std::size_t row, Column c) {
    return t.text(row, static_cast<int>(c));
}

}  // namespace fennory
