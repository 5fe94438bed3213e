#pragma once
// The record queries: income, expenses, transfers, debts, credits,
// investments and accounts, each listed under ticked criteria with its count
// and sums, exported and (all but the accounts) printed. One query; each
// member is a row of data saying what differs.

#include <optional>
#include <string>
#include <vector>

#include "core/condition.h"
#include "core/criteria.h"
#include "core/data_module.h"
#include "core/table.h"
#include "reporting/report.h"
#include "reporting/sheet.h"

namespace fennory {

struct QueryColumn {
    const char* expr;
    const char* caption;
    bool money = false;
    bool hidden = false;
};

using PrintColumn = report::ListColumn;

struct QueryKind {
    const char* caption;  // "收入查询"
    const char* table;
    const char* onlyInUse;  // "" or " AND theState='启用'"
    CriteriaTable criteria;
    std::vector<QueryColumn> columns;
    // The sort keys and their columns; none: no sort group, `fixedOrder` instead.
    std::vector<std::pair<const char*, const char*>> sortKeys;
    const char* fixedOrder;
    const char* countLabel;                 // "笔数："
    std::vector<const char*> totalColumns;  // summed: IMoney, ...
    std::vector<const char*> totalLabels;   // "合计金额："
    bool zeroWhenEmpty;                     // the accounts show 0.00 for no rows
    // The export.
    const char* sheetName;
    std::vector<double> widths;
    std::vector<int> totalSheetColumns;  // 0-based column of each total
    bool periodInTitle;
    enum class Page { Landscape3007, Landscape, Bottom3607, Portrait3007 } page;
    // The detail records of a row (the row's ID bound to ?1), newest first; "" for none.
    const char* detailSql;
    // The print; no layout name: the member does not print.
    const char* layoutName;
    const char* reportName;
    std::vector<PrintColumn> print;
};
const QueryKind& incomeQuery();
const QueryKind& expenseQuery();
const QueryKind& transferQuery();
const QueryKind& debtQuery();
const QueryKind& creditQuery();
const QueryKind& investmentQuery();
const QueryKind& accountQuery();

struct QueryTotals {
    std::size_t count = 0;
    std::vector<std::optional<Money>> sums;  // per total column; empty without rows
};

class RecordQuery {
public:
    RecordQuery(TfrmDM& dm, const QueryKind& kind);
    const QueryKind& kind() const { return kind_; }

    // The criteria a screen opens with: only the dates ticked, the month up to today.
    Criteria initialCriteria(const std::string& today) const;

    // "查询": the rows the ticked criteria find, sorted by the key chosen.
    void run(const Criteria& criteria, int sortKey = 0, bool descending = false);
    bool ran() const { return ran_; }
    const Table& rows() const { return rows_; }
    const QueryTotals& totals() const { return totals_; }
    // The labels under the grid: "笔数：3", "合计金额：1,234.50", ...
    std::vector<std::string> totalTexts() const;
    // The positions of the columns the grid hides.
    std::vector<int> hiddenColumns() const;
    // The ID of a listed row (0 for none or a member without IDs).
    std::int64_t idOf(const Table& shown, std::size_t row) const;

    // The detail records of a debt, credit or investment, newest first.
    Table detail(std::int64_t id);

    // "Excel": the rows and the period of the last query.
    Sheet sheet() const;
    // "打印": the last query's condition, sorted as the lists stand now.
    report::Layout printLayout() const;
    Table printRows(int sortKey, bool descending);

private:
    std::string order(int sortKey, bool descending) const;

    TfrmDM& dm_;
    const QueryKind& kind_;
    bool ran_ = false;
    Condition condition_;
    std::string from_, to_;  // the period of the last query
    Table rows_;
    QueryTotals totals_;
};

}  // namespace fennory
