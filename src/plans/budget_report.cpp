#include "plans/budget_report.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/dates.h"

namespace fennory {
namespace {

const char* stored(BudgetKind k) {
    return k == BudgetKind::Expense ? "支出" : "收入";
}

std::string percent(const BudgetRow& row) {
    const auto used = row.used();
    return used ? fmt::format("{:.0f}%", *used * 100) : std::string();
}

}  // namespace

BudgetLevel budgetLevel(const BudgetRow& row) {
    if (row.budget.isZero()) {
        return BudgetLevel::None;
    }
    if (row.spent > row.budget) {
        return BudgetLevel::Over;
    }
    // Above nine tenths, exactly: 10 × spent > 9 × budget.
    if (row.spent.units() * 10 > row.budget.units() * 9) {
        return BudgetLevel::Near;
    }
    return BudgetLevel::Under;
}

std::string budgetPeriodCaption(int year, BudgetPeriod period, int index) {
    switch (period) {
        case BudgetPeriod::Month:
            return fmt::format("{}年{}月", year, index);
        case BudgetPeriod::Quarter:
            return fmt::format("{}年第{}季度", year, index);
        case BudgetPeriod::Year:
            break;
    }
    return fmt::format("{}年", year);
}

void BudgetReportModel::run(BudgetKind kind, int year, BudgetPeriod period, int index,
                            const std::string& today) {
    kind_ = kind;
    period_ = budgetPeriodCaption(year, period, index);
    report_ = budgetExecution(dm_, kind, year, period, index, today);
    // In the order the book lists its categories, as the settings grid shows them.
    const std::vector<std::string> order =
        kind == BudgetKind::Expense ? dm_.ComOutType() : dm_.ComInType();
    auto rank = [&order](const BudgetRow& r) {
        return std::find(order.begin(), order.end(), r.name) - order.begin();
    };
    for (auto* rows : {&report_.rows, &report_.unbudgeted}) {
        std::stable_sort(rows->begin(), rows->end(),
                         [&](const BudgetRow& a, const BudgetRow& b) { return rank(a) < rank(b); });
    }
    heading_ = BudgetRow{.name = "未做预算"};
    shown_.clear();
    for (const BudgetRow& r : report_.rows) {
        shown_.push_back(&r);
    }
    if (!report_.unbudgeted.empty()) {
        shown_.push_back(&heading_);
        for (const BudgetRow& r : report_.unbudgeted) {
            shown_.push_back(&r);
        }
    }
    shown_.push_back(&report_.total);
    ran_ = true;
}

std::string BudgetReportModel::title() const {
    return fmt::format("{} {}预算执行表 {}", dm_.book(), stored(kind_), period_);
}

std::string BudgetReportModel::caption(BudgetReportColumn c) const {
    const bool expense = kind_ == BudgetKind::Expense;
    switch (c) {
        case BudgetReportColumn::Name:
            return expense ? "支出类别" : "收入类别";
        case BudgetReportColumn::Budget:
            return "预算";
        case BudgetReportColumn::Spent:
            return expense ? "已支出" : "已收入";
        case BudgetReportColumn::Remaining:
            return expense ? "剩余" : "尚差";
        case BudgetReportColumn::Used:
            return expense ? "已用" : "完成";
        case BudgetReportColumn::Pace:
            break;
    }
    return "按目前速度";
}

Table BudgetReportModel::table() const {
    Table t;
    for (int c = 0; c <= static_cast<int>(BudgetReportColumn::Pace); ++c) {
        t.columns.push_back(caption(static_cast<BudgetReportColumn>(c)));
    }
    for (const BudgetRow* r : shown_) {
        if (r == &heading_) {
            t.rows.push_back({r->name + "：", Null{}, Null{}, Null{}, Null{}, Null{}});
            continue;
        }
        const bool budgeted = !r->budget.isZero();
        t.rows.push_back({r->name, budgeted ? Value(r->budget) : Value(Null{}), r->spent,
                          budgeted ? Value(r->remaining()) : Value(Null{}), percent(*r),
                          r->pace ? Value(*r->pace) : Value(Null{})});
    }
    return t;
}

BudgetLevel BudgetReportModel::level(std::size_t shownRow) const {
    return shownRow < shown_.size() ? budgetLevel(*shown_[shownRow]) : BudgetLevel::None;
}

std::vector<BudgetBar> BudgetReportModel::bars() const {
    std::vector<BudgetBar> out;
    for (const BudgetRow& r : report_.rows) {
        out.push_back(
            {r.name, r.spent, r.remaining() > Money() ? r.remaining() : Money(), budgetLevel(r)});
    }
    return out;
}

std::string BudgetReportModel::paceLine() const {
    return paceText(report_.total, kind_);
}

Sheet BudgetReportModel::sheet() const {
    constexpr int kColumns = 6;
    Sheet s = schemeSheet(title(), kColumns, false);
    std::vector<std::string> headings;
    for (int c = 0; c < kColumns; ++c) {
        headings.push_back(caption(static_cast<BudgetReportColumn>(c)));
    }
    s.setColumns({14, 14, 14, 14, 8, 14}, 1, headings);
    int row = 2;
    for (const BudgetRow* r : shown_) {
        s.setText(row, 0, r == &heading_ ? r->name + "：" : r->name);
        if (r != &heading_) {
            if (!r->budget.isZero()) {
                s.setMoney(row, 1, r->budget);
                s.setMoney(row, 3, r->remaining());
            }
            s.setMoney(row, 2, r->spent);
            if (const auto used = r->used()) {
                s.setNumber(row, 4, *used, "0%");
            }
            if (r->pace) {
                s.setMoney(row, 5, *r->pace);
            }
        }
        ++row;
    }
    s.borderRange({1, 0, row - 1, kColumns - 1});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

report::Layout BudgetReportModel::printLayout() const {
    static const std::vector<report::ListColumn> expense{{0, "支出类别", "theName", false, true},
                                                         {50, "预算", "theBudget", true},
                                                         {90, "已支出", "theSpent", true},
                                                         {130, "剩余", "theRemain", true},
                                                         {170, "已用", "theUsed"}};
    static const std::vector<report::ListColumn> income{{0, "收入类别", "theName", false, true},
                                                        {50, "预算", "theBudget", true},
                                                        {90, "已收入", "theSpent", true},
                                                        {130, "尚差", "theRemain", true},
                                                        {170, "完成", "theUsed"}};
    return report::ruledListLayout("Print/theBudget.rf3", title(), false,
                                   kind_ == BudgetKind::Expense ? expense : income);
}

Table BudgetReportModel::printRows() const {
    Table t;
    t.columns = {"theName", "theBudget", "theSpent", "theRemain", "theUsed"};
    auto add = [&t](const BudgetRow& r, const std::string& name) {
        t.rows.push_back({name, r.budget, r.spent, r.remaining(), percent(r)});
    };
    for (const BudgetRow& r : report_.rows) {
        add(r, r.name);
    }
    for (const BudgetRow& r : report_.unbudgeted) {
        add(r, r.name + "（未做预算）");
    }
    return t;
}

std::string budgetMonthLine(TfrmDM& dm, const std::string& today) {
    const auto now = dates::parse(today);
    if (!now) {
        return {};
    }
    const BudgetReport r =
        budgetExecution(dm, BudgetKind::Expense, now->year, BudgetPeriod::Month, now->month, today);
    BudgetRow budgeted;
    for (const BudgetRow& row : r.rows) {
        budgeted.budget += row.budget;
        budgeted.spent += row.spent;
    }
    if (budgeted.budget.isZero()) {
        return {};
    }
    return fmt::format("本月预算 {} 元，已支出 {} 元（{}）", budgeted.budget.toDisplay(),
                       budgeted.spent.toDisplay(), percent(budgeted));
}

std::optional<Reminder> overBudgetReminder(TfrmDM& dm, const std::string& name,
                                           const std::string& date, Money added) {
    const auto day = dates::parse(date);
    if (!dm.session().OpenBookState.TX_B || !day || added <= Money()) {
        return std::nullopt;
    }
    const auto budget = dm.db().queryInt(
        "SELECT theMoney FROM Budget WHERE BName=?1 AND theType='支出' AND theName=?2 AND "
        "theYear=?3 AND theMonth=?4",
        dm.book(), name, static_cast<std::int64_t>(day->year),
        static_cast<std::int64_t>(day->month));
    if (!budget) {
        return std::nullopt;
    }
    const std::string month = fmt::format("{:04d}-{:02d}", day->year, day->month);
    const Money spent = Money::fromUnits(
        dm.db()
            .queryInt(
                "SELECT coalesce(sum(OMoney), 0) FROM OutTable WHERE BName=?1 AND OName=?2 AND "
                "ODate BETWEEN ?3 AND ?4",
                dm.book(), name, month + "-01", month + "-31")
            .value_or(0));
    const Money limit = Money::fromUnits(*budget);
    // Only the save that crosses the line tells; later ones in the month do not.
    if (!(spent > limit) || spent - added > limit) {
        return std::nullopt;
    }
    return Reminder{.caption = "预算提醒",
                    .member = fmt::format("支出类别：{}", name),
                    .amounts = fmt::format("{}年{}月预算 {} 元，已支出 {} 元", day->year,
                                           day->month, limit.toDisplay(), spent.toDisplay()),
                    .text = fmt::format("已超出预算 {} 元。", (spent - limit).toDisplay())};
}

}  // namespace fennory
