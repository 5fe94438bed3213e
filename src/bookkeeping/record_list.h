#pragma once
// What the record screens share: which records the list shows (this month,
// before this month, all, or a filter), in the book's record-list order, with
// the count and sum of the listed amounts.

#include <functional>
#include <string>

#include "core/condition.h"
#include "core/money.h"

namespace fennory {

enum class ListScope { ThisMonth, History, All };

// The current date, read anew at each use; tests give a fixed one instead.
std::function<std::string()> currentDate();

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

// What every record screen of the bookkeeping does with its list, whatever
// its records: the scopes of the context menu, the totals, delete-all.
class ListedRecords {
public:
    virtual ~ListedRecords() = default;
    virtual void setScope(ListScope scope) = 0;
    virtual const ListTotals& totals() const = 0;
    // Every listed record in one transaction; progress(done, total) as rows go.
    virtual void removeAllListed(
        const std::function<void(std::size_t, std::size_t)>& progress = {}) = 0;
};

}  // namespace fennory
