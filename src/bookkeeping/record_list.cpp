#include "bookkeeping/record_list.h"

#include "core/dates.h"

namespace fennory {

std::function<std::string()> currentDate() {
    return [] { return dates::today(); };
}

Condition scopeCondition(ListScope scope, const std::string& dateColumn, const std::string& today) {
    Condition c;
    const std::string month = dates::monthOf(today);
    if (scope == ListScope::ThisMonth) {
        // Every date of the month, as a range the date index can serve: no
        // text of the month sorts below "yyyy-mm" or above "yyyy-mm" + 0xFF.
        c.add(" AND " + dateColumn + ">=? AND " + dateColumn + "<?", month, month + "\xff");
    } else if (scope == ListScope::History) {
        c.add(" AND " + dateColumn + "<?", month + "-01");
    }
    return c;
}

std::string oneMonthBefore(const std::string& date) {
    return dates::oneMonthBack(date);
}

std::string recordOrder(int theJZPX, const std::string& dateColumn) {
    switch (theJZPX) {
        case 1:
            return " ORDER BY ID";
        case 2:
            return " ORDER BY " + dateColumn + ", ID";
        case 3:
            return " ORDER BY ID DESC";
        case 4:
            return " ORDER BY " + dateColumn + " DESC, ID DESC";
        default:
            return "";
    }
}

}  // namespace fennory
