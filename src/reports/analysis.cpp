#include "reports/analysis.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>

#include "core/condition.h"
#include "core/dates.h"
#include "reports/statistics.h"

namespace fennory {

const AnalysisKind& incomeAnalysis() {
    static const AnalysisKind k{
        .caption = "收入分析",
        .record = RecordType::Income,
        .dateBox = "收入日期",
        .categoryBox = "收入类别",
        .items = {"日收入", "月收入", "年收入", "家庭成员", "收入类别", "账户名称"},
        .sheetName = "收入分析表"};
    return k;
}

const AnalysisKind& expenseAnalysis() {
    static const AnalysisKind k{
        .caption = "支出分析",
        .record = RecordType::Expense,
        .dateBox = "支出日期",
        .categoryBox = "支出类别",
        .items = {"日支出", "月支出", "年支出", "家庭成员", "支出类别", "账户名称"},
        .sheetName = "支出分析表"};
    return k;
}

Analysis::Analysis(TfrmDM& dm, const AnalysisKind& kind) : dm_(dm), kind_(kind) {}

CriteriaTable analysisCriteria(const AnalysisKind& kind) {
    using C = Criterion;
    using I = CriterionInput;
    const RecordTypeDef& r = recordType(kind.record);
    return {{C::Date, kind.dateBox, I::Dates, r.dateColumn},
            {C::Account, "账户名称", I::Lookup, "AName", &TfrmDM::ComAccount},
            {C::Member, "家庭成员", I::Lookup, "FName", &TfrmDM::ComFamily},
            {C::Name, kind.categoryBox, I::Lookup, r.nameColumn, r.nameList}};
}

AnalysisFilter Analysis::initialFilter(const std::string& today) {
    return {.criteria = Criteria().dates(dates::oneMonthBack(today), today, false)};
}

void Analysis::run(const AnalysisFilter& f) {
    std::string expr;
    switch (f.item) {
        case AnalysisItem::Day:
            expr = record().dateColumn;
            break;
        case AnalysisItem::Month:
            expr = fmt::format("substr({},1,7)", record().dateColumn);
            break;
        case AnalysisItem::Year:
            expr = fmt::format("substr({},1,4)", record().dateColumn);
            break;
        case AnalysisItem::Member:
            expr = "FName";
            break;
        case AnalysisItem::Category:
            expr = record().nameColumn;
            break;
        case AnalysisItem::Account:
            expr = "AName";
            break;
    }
    const Condition c = conditionOf(analysisCriteria(kind_), f.criteria);
    Statement s = dm_.db().prepare(fmt::format("SELECT {}, {} FROM {} WHERE BName=?{}", expr,
                                               record().moneyColumn, record().table, c.sql));
    s.bind(1, dm_.book());
    c.bind(s, 1);
    std::vector<GroupSum> groups = sumByGroup(std::move(s));
    // In the item's ascending order: dates and months in time order, names by text.
    std::sort(groups.begin(), groups.end(),
              [](const GroupSum& a, const GroupSum& b) { return a.key < b.key; });
    points_.clear();
    total_.reset();
    Money total;
    for (const GroupSum& g : groups) {
        points_.push_back({g.name, g.sum});
        total += g.sum;
    }
    if (!points_.empty()) {
        total_ = total;
    }
    ran_ = true;
}

Table Analysis::table() const {
    Table t;
    t.columns = {"统计的项", "金额"};
    for (const AnalysisPoint& p : points_) {
        t.rows.push_back({p.label, p.amount});
    }
    return t;
}

Sheet Analysis::sheet() const {
    // No title formatting, widths or borders: the plain rows.
    Sheet s;
    s.setText(0, 0, dm_.book() + "-" + kind_.sheetName);
    s.setText(1, 0, "序号");
    s.setText(1, 1, "统计的项");
    s.setText(1, 2, "金额");
    int r = 2;
    for (std::size_t i = 0; i < points_.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        s.setText(r, 1, points_[i].label);
        s.setMoney(r, 2, points_[i].amount);
    }
    s.setText(r, 0, "合计");
    s.setNumber(r, 1, static_cast<double>(points_.size()));
    if (total_) {
        s.setMoney(r, 2, *total_);
    }
    s.page().centerFooter = exportFooter();
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

// ---- the month-by-group cross tables ----

const std::vector<MonthGroupKind>& monthGroupKinds() {
    static const std::vector<MonthGroupKind> k = {
        {"monthIncomeKind", "收入月报表-按收入类别", "InTable", "IDate", "IMoney", "IName",
         "按收入类别 &T", "收入月报表 &C"},
        {"monthIncomeAccount", "收入月报表-按账户名称", "InTable", "IDate", "IMoney", "AName",
         "按账户名称 &A", "收入月报表 &C"},
        {"monthIncomeMember", "收入月报表-按家庭成员", "InTable", "IDate", "IMoney", "FName",
         "按家庭成员 &F", "收入月报表 &C"},
        {"monthExpenseKind", "支出月报表-按支出类别", "OutTable", "ODate", "OMoney", "OName",
         "按支出类别 &T", "支出月报表 &G"},
        {"monthExpenseAccount", "支出月报表-按账户名称", "OutTable", "ODate", "OMoney", "AName",
         "按账户名称 &A", "支出月报表 &G"},
        {"monthExpenseMember", "支出月报表-按家庭成员", "OutTable", "ODate", "OMoney", "FName",
         "按家庭成员 &F", "支出月报表 &G"},
    };
    return k;
}

MonthGroupTable monthGroupTable(TfrmDM& dm, const MonthGroupKind& kind) {
    // One pass over the covering date index; cells keyed by month and folded group.
    Statement s = dm.db().prepare(fmt::format("SELECT substr({},1,7), {}, {} FROM {} WHERE BName=?",
                                              kind.dateColumn, kind.groupColumn, kind.moneyColumn,
                                              kind.table));
    s.bind(1, dm.book());
    struct GroupKey {
        bool present;  // a record without a group sorts first, as the data file sorts it
        std::string key;
        auto operator<=>(const GroupKey&) const = default;
    };
    std::map<std::string, Money> monthSums;
    std::map<GroupKey, std::pair<std::optional<std::string>, Money>> groupSums;
    std::map<std::pair<std::string, GroupKey>, Money> cellSums;
    Money grand;
    while (s.step()) {
        const std::string month = s.text(0);
        const bool null = s.isNull(1);
        const std::string name = null ? std::string() : s.text(1);
        const GroupKey g{!null, foldedName(name)};
        const Money m = s.money(2);
        monthSums[month] += m;
        auto& group = groupSums[g];
        if (!null && !group.first) {
            group.first = name;
        }
        // A record without a group is in no group's cells: the group's
        // condition never holds for it, but the month and the book count it.
        if (!null) {
            group.second += m;
            cellSums[{month, g}] += m;
        }
        grand += m;
    }
    MonthGroupTable t;
    std::vector<GroupKey> keys;
    for (const auto& [key, group] : groupSums) {
        keys.push_back(key);
        t.groups.push_back(group.first);
        t.groupTotals.push_back(group.second);
    }
    for (const auto& [month, sum] : monthSums) {
        t.months.push_back(month);
        t.monthTotals.push_back(sum);
        std::vector<Money> row;
        for (const GroupKey& key : keys) {
            auto it = cellSums.find({month, key});
            row.push_back(it == cellSums.end() ? Money() : it->second);
        }
        t.cells.push_back(std::move(row));
    }
    t.grandTotal = grand;
    return t;
}

Sheet monthGroupSheet(const std::string& book, const MonthGroupKind& kind,
                      const MonthGroupTable& t) {
    const int n = static_cast<int>(t.groups.size());
    // The title and borders span at least A to H, and every column beyond.
    const int last = std::max(7, n + 2);
    Sheet s = schemeSheet(book + "-" + kind.title, last + 1, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, last}, centred);
    s.setColumnWidth(0, 4);
    s.setColumnWidth(1, 8);
    for (int c = 2; c <= 7; ++c) {
        s.setColumnWidth(c, 10);
    }
    s.setText(1, 0, "序号");
    s.setText(1, 1, "月份");
    for (int g = 0; g < n; ++g) {
        s.setText(1, g + 2, t.groups[static_cast<std::size_t>(g)].value_or(""));
    }
    s.setText(1, n + 2, "合计");
    int r = 2;
    for (std::size_t m = 0; m < t.months.size(); ++m, ++r) {
        s.setNumber(r, 0, static_cast<double>(m + 1));
        s.setText(r, 1, t.months[m]);
        for (int g = 0; g < n; ++g) {
            s.setMoney(r, g + 2, t.cells[m][static_cast<std::size_t>(g)]);
        }
        s.setMoney(r, n + 2, t.monthTotals[m]);
    }
    s.setText(r, 1, "合计");
    for (int g = 0; g < n; ++g) {
        s.setMoney(r, g + 2, t.groupTotals[static_cast<std::size_t>(g)]);
    }
    s.setMoney(r, n + 2, t.grandTotal);
    s.borderRange({1, 0, r, last});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

}  // namespace fennory
