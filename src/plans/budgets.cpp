#include "plans/budgets.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>
#include <regex>

#include "core/dates.h"

namespace fennory {
namespace {

struct KindDef {
    const char* stored;  // Budget.theType
    const char* table;   // the records it is measured against
    const char* date;
    const char* name;
    const char* money;
    const char* paceVerb;
};

const KindDef& def(BudgetKind k) {
    static const KindDef expense{"支出", "OutTable", "ODate", "OName", "OMoney", "花费"};
    static const KindDef income{"收入", "InTable", "IDate", "IName", "IMoney", "收入"};
    return k == BudgetKind::Expense ? expense : income;
}

std::string day(int year, int month, int dayOfMonth) {
    return fmt::format("{:04d}-{:02d}-{:02d}", year, month, dayOfMonth);
}

using ByName = std::map<std::string, Money>;

// Per month ("yyyy-mm") and category, in one pass each: what was spent (over
// the records' covering index) and what was budgeted.
struct MonthSums {
    std::map<std::string, ByName> spent, budget;
};

MonthSums monthSums(TfrmDM& dm, BudgetKind kind, int firstYear, int firstMonth, int lastYear,
                    int lastMonth);

}  // namespace

std::string budgetColumnCaption(BudgetColumn c) {
    if (c == BudgetColumn::Name) {
        return "类别";
    }
    if (c == BudgetColumn::EveryMonth) {
        return "每月相同";
    }
    if (c == BudgetColumn::Year) {
        return "全年";
    }
    return fmt::format("{}月", static_cast<int>(c) - static_cast<int>(BudgetColumn::January) + 1);
}

bool BudgetLine::sameEveryMonth() const {
    return std::all_of(months.begin(), months.end(), [&](Money m) { return m == months[0]; });
}

Money BudgetLine::year() const {
    Money sum;
    for (Money m : months) {
        sum += m;
    }
    return sum;
}

std::optional<double> BudgetRow::used() const {
    if (budget.isZero()) {
        return std::nullopt;
    }
    return spent.ratioTo(budget);
}

BudgetYear::BudgetYear(TfrmDM& dm, BudgetKind kind, int year) : dm_(dm), kind_(kind), year_(year) {
    reload();
}

void BudgetYear::show(BudgetKind kind, int year) {
    kind_ = kind;
    year_ = year;
    reload();
}

std::string BudgetYear::text(std::size_t row, BudgetColumn column) const {
    if (row >= lines_.size()) {
        return {};
    }
    const BudgetLine& line = lines_[row];
    auto amount = [](Money m) { return m.isZero() ? std::string() : m.toDisplay(); };
    switch (column) {
    case BudgetColumn::Name:
        return line.name;
    case BudgetColumn::EveryMonth:
        return line.sameEveryMonth() ? amount(line.months[0]) : std::string();
    case BudgetColumn::Year:
        return amount(line.year());
    default:
        return amount(line.months[static_cast<std::size_t>(static_cast<int>(column) -
                                                           static_cast<int>(BudgetColumn::January))]);
    }
}

CheckResult BudgetYear::edit(std::size_t row, BudgetColumn column, const std::string& typed) {
    if (row >= lines_.size() || !editable(column)) {
        return CheckResult::nothingToDo();
    }
    const std::string name = lines_[row].name;
    if (column == BudgetColumn::EveryMonth) {
        return setEveryMonth(name, typed);
    }
    return setMonth(name, static_cast<int>(column) - static_cast<int>(BudgetColumn::January) + 1,
                    typed);
}

std::string BudgetYear::copyQuestion() const {
    return fmt::format("按 {} 年每个类别每月的实际{}设置 {} 年的预算？\n{} 年已设的预算将被替换。",
                       year_ - 1, def(kind_).stored, year_, year_);
}

void BudgetYear::reload() {
    lines_.clear();
    for (const std::string& name :
         kind_ == BudgetKind::Expense ? dm_.ComOutType() : dm_.ComInType()) {
        lines_.push_back({name, {}});
    }
    Statement s = dm_.db().prepare(
        "SELECT theName, theMonth, theMoney FROM Budget WHERE BName=?1 AND theType=?2 AND "
        "theYear=?3");
    s.bindAll(dm_.book(), std::string(def(kind_).stored), static_cast<std::int64_t>(year_));
    while (s.step()) {
        auto line = std::find_if(lines_.begin(), lines_.end(),
                                 [&](const BudgetLine& l) { return l.name == s.text(0); });
        if (line == lines_.end()) {
            // A category since disabled or renamed keeps its budget, listed last.
            lines_.push_back({s.text(0), {}});
            line = lines_.end() - 1;
        }
        const auto month = static_cast<std::size_t>(std::clamp<std::int64_t>(s.integer(1), 1, 12));
        line->months[month - 1] = Money::fromUnits(s.integer(2));
    }
}

std::optional<Money> BudgetYear::read(const std::string& typed, std::string& refusal) const {
    if (typed.empty()) {
        return Money();
    }
    // The grid shows "1,500.00"; taken back as it is shown, it is the same amount.
    static const std::regex grouped(R"(-?\d{1,3}(,\d{3})+(\.\d*)?)");
    const std::string plain =
        std::regex_match(typed, grouped) ? std::regex_replace(typed, std::regex(","), "") : typed;
    const Money::TypedAmount amount = Money::readTyped("预算金额", plain, "预算金额 必须是数字！");
    if (!amount) {
        refusal = amount.refusal;
        return std::nullopt;
    }
    if (*amount < Money()) {
        refusal = "预算金额 不能小于零！";
        return std::nullopt;
    }
    return *amount;
}

void BudgetYear::write(const std::string& name, int month, Money amount) {
    dm_.db().execute(
        "DELETE FROM Budget WHERE BName=?1 AND theType=?2 AND theName=?3 AND theYear=?4 AND "
        "theMonth=?5",
        dm_.book(), std::string(def(kind_).stored), name, static_cast<std::int64_t>(year_),
        static_cast<std::int64_t>(month));
    if (!amount.isZero()) {
        dm_.db().execute(
            "INSERT INTO Budget(BName, theType, theName, theYear, theMonth, theMoney) "
            "VALUES(?1, ?2, ?3, ?4, ?5, ?6)",
            dm_.book(), std::string(def(kind_).stored), name, static_cast<std::int64_t>(year_),
            static_cast<std::int64_t>(month), amount);
    }
}

CheckResult BudgetYear::setMonth(const std::string& name, int month, const std::string& typed) {
    std::string refusal;
    const auto amount = read(typed, refusal);
    if (!amount) {
        return CheckResult::fail(refusal);
    }
    if (month < 1 || month > 12) {
        return CheckResult::nothingToDo();
    }
    Transaction t(dm_.db());
    write(name, month, *amount);
    t.commit();
    reload();
    return CheckResult::pass();
}

CheckResult BudgetYear::setEveryMonth(const std::string& name, const std::string& typed) {
    std::string refusal;
    const auto amount = read(typed, refusal);
    if (!amount) {
        return CheckResult::fail(refusal);
    }
    Transaction t(dm_.db());
    for (int month = 1; month <= 12; ++month) {
        write(name, month, *amount);
    }
    t.commit();
    reload();
    return CheckResult::pass();
}

int BudgetYear::copyLastYear() {
    int set = 0;
    const MonthSums sums = monthSums(dm_, kind_, year_ - 1, 1, year_ - 1, 12);
    Transaction t(dm_.db());
    for (int month = 1; month <= 12; ++month) {
        const auto found = sums.spent.find(fmt::format("{:04d}-{:02d}", year_ - 1, month));
        const ByName none;
        const ByName& spent = found == sums.spent.end() ? none : found->second;
        for (const BudgetLine& line : lines_) {
            const auto it = spent.find(line.name);
            // A refund-heavy month comes to less than nothing: no budget.
            const Money amount = it == spent.end() || it->second < Money() ? Money() : it->second;
            write(line.name, month, amount);
            set += amount.isZero() ? 0 : 1;
        }
    }
    t.commit();
    reload();
    return set;
}

namespace {

MonthSums monthSums(TfrmDM& dm, BudgetKind kind, int firstYear, int firstMonth, int lastYear,
                    int lastMonth) {
    const KindDef& d = def(kind);
    MonthSums out;
    // Grouped by day in the index's own order (no sort), summed by month here.
    Statement s = dm.db().prepare(
        fmt::format("SELECT {3}, {1}, sum({2}) FROM {0} WHERE BName=?1 AND {3} BETWEEN ?2 AND ?3 "
                    "GROUP BY {3}, {1}",
                    d.table, d.name, d.money, d.date));
    s.bindAll(dm.book(), day(firstYear, firstMonth, 1),
              day(lastYear, lastMonth, dates::daysInMonth(lastYear, lastMonth)));
    std::string lastMonthSeen;
    ByName* into = nullptr;
    while (s.step()) {
        const std::string date = s.text(0);
        if (!into || date.compare(0, 7, lastMonthSeen) != 0) {
            lastMonthSeen = date.substr(0, 7);
            into = &out.spent[lastMonthSeen];
        }
        (*into)[s.text(1)] += Money::fromUnits(s.integer(2));
    }
    Statement b = dm.db().prepare(
        "SELECT printf('%04d-%02d', theYear, theMonth), theName, theMoney FROM Budget "
        "WHERE BName=?1 AND theType=?2 AND theYear*100+theMonth BETWEEN ?3 AND ?4");
    b.bindAll(dm.book(), std::string(d.stored),
              static_cast<std::int64_t>(firstYear * 100 + firstMonth),
              static_cast<std::int64_t>(lastYear * 100 + lastMonth));
    while (b.step()) {
        out.budget[b.text(0)][b.text(1)] = Money::fromUnits(b.integer(2));
    }
    return out;
}

// The report of the months [from, to] ("yyyy-mm") of the sums.
BudgetReport assemble(const MonthSums& sums, const std::string& from, const std::string& to,
                      std::optional<dates::Ymd> underWay) {
    ByName spent, budget;
    auto add = [&](const std::map<std::string, ByName>& byMonth, ByName& into) {
        for (auto it = byMonth.lower_bound(from); it != byMonth.end() && it->first <= to; ++it) {
            for (const auto& [name, amount] : it->second) {
                into[name] += amount;
            }
        }
    };
    add(sums.spent, spent);
    add(sums.budget, budget);
    std::erase_if(budget, [](const auto& b) { return b.second.isZero(); });
    auto withPace = [&](BudgetRow row) {
        if (underWay && underWay->day > 0) {
            const int days = dates::daysInMonth(underWay->year, underWay->month);
            row.pace = Money::fromUnits(row.spent.units() * days / underWay->day);
        }
        return row;
    };
    BudgetReport report;
    report.total.name = "合计";
    for (const auto& [name, amount] : budget) {
        const auto it = spent.find(name);
        report.rows.push_back(withPace({name, amount, it == spent.end() ? Money() : it->second}));
    }
    for (const auto& [name, amount] : spent) {
        if (!budget.contains(name) && !amount.isZero()) {
            report.unbudgeted.push_back(withPace({name, Money(), amount}));
        }
    }
    for (const auto* list : {&report.rows, &report.unbudgeted}) {
        for (const BudgetRow& r : *list) {
            report.total.budget += r.budget;
            report.total.spent += r.spent;
        }
    }
    report.total = withPace(report.total);
    return report;
}

std::string month(int year, int m) {
    return fmt::format("{:04d}-{:02d}", year, m);
}

}  // namespace

BudgetReport budgetExecution(TfrmDM& dm, BudgetKind kind, int year, BudgetPeriod period, int index,
                             const std::string& today) {
    int first = 1, last = 12;
    if (period == BudgetPeriod::Month) {
        first = last = std::clamp(index, 1, 12);
    } else if (period == BudgetPeriod::Quarter) {
        first = 3 * (std::clamp(index, 1, 4) - 1) + 1;
        last = first + 2;
    }
    // The month under way: spent so far, carried to the month's end.
    auto now = dates::parse(today);
    if (!(period == BudgetPeriod::Month && now && now->year == year && now->month == first)) {
        now.reset();
    }
    return assemble(monthSums(dm, kind, year, first, year, last), month(year, first),
                    month(year, last), now);
}

std::vector<BudgetReport> budgetExecutionByMonth(TfrmDM& dm, BudgetKind kind, int firstYear,
                                                 int lastYear, const std::string& today) {
    const MonthSums sums = monthSums(dm, kind, firstYear, 1, lastYear, 12);
    const auto now = dates::parse(today);
    std::vector<BudgetReport> out;
    for (int year = firstYear; year <= lastYear; ++year) {
        for (int m = 1; m <= 12; ++m) {
            const bool underWay = now && now->year == year && now->month == m;
            out.push_back(
                assemble(sums, month(year, m), month(year, m), underWay ? now : std::nullopt));
        }
    }
    return out;
}

std::string paceText(const BudgetRow& row, BudgetKind kind) {
    if (!row.pace) {
        return {};
    }
    return fmt::format("按目前速度，月底将{} {} 元", def(kind).paceVerb, row.pace->toDisplay());
}

}  // namespace fennory
