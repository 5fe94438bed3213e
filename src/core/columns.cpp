#include "core/columns.h"

namespace fennory {

std::string selectList(std::span<const ColumnDef> defs) {
    std::string out;
    for (const ColumnDef& s : defs) {
        if (!out.empty()) {
            out += ", ";
        }
        out += s.expr;
        out += " AS \"";
        out += s.caption;
        out += '"';
    }
    return out;
}

Table loadColumns(Statement statement, std::span<const ColumnDef> defs) {
    std::vector<std::string> money;
    for (const ColumnDef& s : defs) {
        if (s.money) {
            money.emplace_back(s.caption);
        }
    }
    return Table::load(std::move(statement), money);
}

std::vector<int> hiddenColumns(std::span<const ColumnDef> defs) {
    std::vector<int> out;
    for (const ColumnDef& s : defs) {
        if (s.hidden) {
            out.push_back(s.column);
        }
    }
    return out;
}

}  // namespace fennory
