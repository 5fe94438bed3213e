#pragma once
// What the record screens share: which records the list shows (this month,
// before this month, all, or a filter), in the book's record-list order, with
// the count and sum of the listed amounts.

#include <string>

#include "core/condition.h"
#include "core/money.h"

namespace fennory {

enum class ListScope { ThisMonth, History, All };

// The condition of a scope on a date column, months taken from `today`.
Condition scopeCondition(ListScope scope, const std::string& dateColumn, const std::string& today);

// The ORDER BY of the book's record-list order code (theJZPX): 1 by ID, 2 by
// date, 3 by ID descending, 4 by date descending, anything else none.
std::string recordOrder(int theJZPX, const std::string& dateColumn);

// "记账：3  合计：1,234.50"-style totals of the listed records.
struct ListTotals {
    std::size_t count = 0;
    Money sum;
};

}  // namespace fennory
