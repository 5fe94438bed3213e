#pragma once
// The income and expense analysis (sums by day, month, year, member, category
// or account, drawn as charts) and the month-by-group cross tables of the
// report menu. Income and expenses differ only by the data of their kind.

#include <optional>
#include <string>
#include <vector>

#include "core/criteria.h"
#include "core/data_module.h"
#include "core/record_types.h"
#include "core/table.h"
#include "reporting/sheet.h"

namespace fennory {

struct AnalysisKind {
    const char* caption;             // "收入分析": window and chart titles
    RecordType record;               // whose records it sums
    const char* dateBox;             // "收入日期"
    const char* categoryBox;         // "收入类别"
    std::vector<std::string> items;  // "日收入", "月收入", ... in list order
    const char* sheetName;           // "收入分析表"
};
const AnalysisKind& incomeAnalysis();
const AnalysisKind& expenseAnalysis();

// The items' positions in the list.
enum class AnalysisItem { Day, Month, Year, Member, Category, Account };

// What the screen offers: date, account, member and category.
CriteriaTable analysisCriteria(const AnalysisKind& kind);

struct AnalysisFilter {
    Criteria criteria;
    AnalysisItem item = AnalysisItem::Month;
};

// One row of the grid and one point of each chart.
struct AnalysisPoint {
    std::string label;
    Money amount;
};

class Analysis {
public:
    Analysis(TfrmDM& dm, const AnalysisKind& kind);
    const AnalysisKind& kind() const { return kind_; }
    static AnalysisFilter initialFilter(const std::string& today);

    // "统计": the sums by the item, in its ascending order.
    void run(const AnalysisFilter& f);
    bool ran() const { return ran_; }
    const std::vector<AnalysisPoint>& points() const { return points_; }
    std::optional<Money> total() const { return total_; }
    // The grid: 统计的项, 金额.
    Table table() const;
    Sheet sheet() const;

private:
    const RecordTypeDef& record() const { return recordType(kind_.record); }
    TfrmDM& dm_;
    const AnalysisKind& kind_;
    bool ran_ = false;
    std::vector<AnalysisPoint> points_;
    std::optional<Money> total_;
};

// ---- the month-by-group cross tables ----

struct MonthGroupKind {
    const char* id;     // the menu entry: "monthIncomeKind"
    const char* title;  // "收入月报表-按收入类别"
    const char* table;
    const char* dateColumn;
    const char* moneyColumn;
    const char* groupColumn;
    const char* menuCaption;  // its row in the report menu: "按收入类别 &T"
    const char* submenu;      // "收入月报表 &C"
};
const std::vector<MonthGroupKind>& monthGroupKinds();

struct MonthGroupTable {
    std::vector<std::string> months;                 // ascending
    std::vector<std::optional<std::string>> groups;  // ascending; a record without one: none
    std::vector<std::vector<Money>> cells;           // [month][group]
    std::vector<Money> monthTotals, groupTotals;
    Money grandTotal;
};

// One pass over the book's records of the kind, summed by month and group.
MonthGroupTable monthGroupTable(TfrmDM& dm, const MonthGroupKind& kind);
// The sheet "{book}-{title}" of a cross table.
Sheet monthGroupSheet(const std::string& book, const MonthGroupKind& kind,
                      const MonthGroupTable& t);

}  // namespace fennory
