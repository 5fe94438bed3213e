#include "core/table.h"

#include <algorithm>

#include "core/gbk.h"

namespace fennory {

int Table::column(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

namespace {

struct TextOf {
    bool display;
    std::string operator()(Null) const { return {}; }
    std::string operator()(std::int64_t v) const { return std::to_string(v); }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(Money m) const { return display ? m.toDisplay() : m.toPlain(); }
};

}  // namespace

std::string Table::displayText(std::size_t row, int col) const {
    if (row >= rows.size() || col < 0 || static_cast<std::size_t>(col) >= rows[row].size()) {
        return {};
    }
    return std::visit(TextOf{true}, rows[row][static_cast<std::size_t>(col)]);
}

std::string Table::text(std::size_t row, int col) const {
    if (row >= rows.size() || col < 0 || static_cast<std::size_t>(col) >= rows[row].size()) {
        return {};
    }
    return std::visit(TextOf{false}, rows[row][static_cast<std::size_t>(col)]);
}

Table Table::load(Statement s, const std::vector<std::string>& moneyColumns) {
    Table t;
    const int n = s.columnCount();
    std::vector<bool> isMoney(static_cast<std::size_t>(n), false);
    for (int c = 0; c < n; ++c) {
        t.columns.push_back(s.columnName(c));
        isMoney[static_cast<std::size_t>(c)] = std::find(moneyColumns.begin(), moneyColumns.end(),
                                                         t.columns.back()) != moneyColumns.end();
    }
    while (s.step()) {
        std::vector<Value> row;
        row.reserve(static_cast<std::size_t>(n));
        for (int c = 0; c < n; ++c) {
            const bool money = isMoney[static_cast<std::size_t>(c)];
            if (money) {
                row.emplace_back(std::in_place_type<Money>, s.money(c));  // NULL reads as 0
            } else if (s.isNull(c)) {
                row.emplace_back(std::in_place_type<Null>);
            } else if (s.isInteger(c)) {
                row.emplace_back(std::in_place_type<std::int64_t>, s.integer(c));
            } else {
                row.emplace_back(std::in_place_type<std::string>, s.text(c));
            }
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

namespace {

struct SortKey {
    int rank = 0;  // empty, number, text
    long double number = 0;
    std::string text;
};

SortKey keyOf(const Value& v) {
    if (std::holds_alternative<Null>(v)) {
        return {};
    }
    if (auto m = std::get_if<Money>(&v)) {
        return {1, static_cast<long double>(m->units()) / Money::kScale, {}};
    }
    if (auto i = std::get_if<std::int64_t>(&v)) {
        return {1, static_cast<long double>(*i), {}};
    }
    return {2, 0, gbk::sortKey(std::get<std::string>(v))};
}

bool keyLess(const SortKey& a, const SortKey& b) {
    if (a.rank != b.rank) {
        return a.rank < b.rank;
    }
    return a.rank == 1 ? a.number < b.number : a.text < b.text;
}

}  // namespace

void sortRows(Table& table, int column, bool ascending) {
    if (column < 0 || static_cast<std::size_t>(column) >= table.columns.size()) {
        return;
    }
    const auto c = static_cast<std::size_t>(column);
    std::vector<std::pair<SortKey, std::size_t>> keys;
    keys.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        keys.emplace_back(keyOf(table.rows[r][c]), r);
    }
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? keyLess(a.first, b.first) : keyLess(b.first, a.first);
    });
    std::vector<std::vector<Value>> sorted;
    sorted.reserve(table.rows.size());
    for (const auto& k : keys) {
        sorted.push_back(std::move(table.rows[k.second]));
    }
    table.rows = std::move(sorted);
}

}  // namespace fennory
