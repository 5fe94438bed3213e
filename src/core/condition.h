#pragma once
// A filter built from ticked criteria: SQL fragments with their bound values,
// appended in a fixed order to a statement that already restricts the book.

#include <string>
#include <vector>

#include "core/database.h"

namespace fennory {

struct Condition {
    std::string sql;  // " and X=?" ... ; parameters numbered after the statement's own
    std::vector<Value> values;

    void add(const std::string& fragment, Value value) {
        sql += fragment;
        values.push_back(std::move(value));
    }
    void add(const std::string& fragment, Value a, Value b) {
        sql += fragment;
        values.push_back(std::move(a));
        values.push_back(std::move(b));
    }
    void append(const Condition& more) {
        sql += more.sql;
        values.insert(values.end(), more.values.begin(), more.values.end());
    }
    bool empty() const { return sql.empty(); }

    // Binds the values after the first `offset` parameters of the statement.
    void bind(Statement& s, int offset) const {
        for (std::size_t i = 0; i < values.size(); ++i) {
            s.bind(offset + 1 + static_cast<int>(i), values[i]);
        }
    }
};

// A LIKE pattern that finds the text anywhere, with % and _ taken literally
// (use with ESCAPE '\').
std::string likeAnywhere(const std::string& text);

}  // namespace fennory
