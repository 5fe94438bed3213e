#include "reports/statistics.h"

#include <fmt/format.h>

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "core/condition.h"
#include "core/dates.h"

namespace fennory {
namespace {

// The two sides of the income statistics.
struct Side {
    const char* table;
    const char* date;
    const char* name;
    const char* money;
    const char* nameCaption;
};
constexpr Side kIncome{"InTable", "IDate", "IName", "IMoney", "收入名称"};
constexpr Side kExpense{"OutTable", "ODate", "OName", "OMoney", "支出名称"};

std::string groupExpression(StatGroup g, const Side& s) {
    switch (g) {
        case StatGroup::Category:
            return s.name;
        case StatGroup::Account:
            return "AName";
        case StatGroup::Member:
            return "FName";
        case StatGroup::Day:
            return s.date;
        case StatGroup::Month:
            return fmt::format("substr({},1,7)", s.date);
        case StatGroup::Year:
            return fmt::format("substr({},1,4)", s.date);
    }
    return s.name;
}

std::string groupCaption(StatGroup g, const Side& s) {
    // The category column is named by its side; the other items by themselves.
    return g == StatGroup::Category ? s.nameCaption
                                    : statGroupCaptions().at(static_cast<std::size_t>(g));
}

using Group = GroupSum;

// The order a sort choice gives; equal sums or counts come in the order of
// their names, so that a list reads the same on every run.
void sortGroups(std::vector<Group>& groups, const StatCriteria& c) {
    if (!c.sorted) {
        return;  // in the order first met
    }
    auto byName = [](const Group& a, const Group& b) { return a.key < b.key; };
    std::function<bool(const Group&, const Group&)> less;
    switch (c.sort) {
        case StatSort::AmountDesc:
            less = [&](const Group& a, const Group& b) {
                return a.sum != b.sum ? a.sum > b.sum : byName(a, b);
            };
            break;
        case StatSort::AmountAsc:
            less = [&](const Group& a, const Group& b) {
                return a.sum != b.sum ? a.sum < b.sum : byName(a, b);
            };
            break;
        case StatSort::CountDesc:
            less = [&](const Group& a, const Group& b) {
                return a.count != b.count ? a.count > b.count : byName(a, b);
            };
            break;
        case StatSort::CountAsc:
            less = [&](const Group& a, const Group& b) {
                return a.count != b.count ? a.count < b.count : byName(a, b);
            };
            break;
        case StatSort::NameDesc:
            less = [&](const Group& a, const Group& b) { return byName(b, a); };
            break;
        case StatSort::NameAsc:
            less = byName;
            break;
    }
    std::stable_sort(groups.begin(), groups.end(), less);
}

}  // namespace

CriteriaTable statCriteria(const char* dateCaption, const char* dateColumn) {
    using C = Criterion;
    using I = CriterionInput;
    return {{C::Date, dateCaption, I::Dates, dateColumn},
            {C::Account, "账户名称", I::Lookup, "AName", &TfrmDM::ComAccount},
            {C::Member, "家庭成员", I::Lookup, "FName", &TfrmDM::ComFamily}};
}

namespace {

Condition filterCondition(const Criteria& f, const char* dateColumn) {
    return conditionOf(statCriteria("", dateColumn), f);
}

// A section's running number, group, count, sum and share; returns the row after it.
int writeSection(Sheet& s, int row, const char* heading, const StatSide& side) {
    s.setText(row, 0, heading);
    s.merge({row, 0, row, 4});
    const int header = row + 1;
    const char* headings[5] = {"序号", side.caption.c_str(), "笔数", "金额", "所占比例"};
    for (int c = 0; c < 5; ++c) {
        s.setText(header, c, headings[c]);
    }
    const Money total = side.sum.value_or(Money());
    int r = header + 1;
    for (std::size_t i = 0; i < side.rows.size(); ++i, ++r) {
        const auto& cells = side.rows.rows[i];
        s.setNumber(r, 0, static_cast<double>(i + 1));
        s.setValue(r, 1, cells[static_cast<std::size_t>(StatColumn::Group)]);
        s.setValue(r, 2, cells[static_cast<std::size_t>(StatColumn::Count)]);
        const Money m = std::get<Money>(cells[static_cast<std::size_t>(StatColumn::Amount)]);
        s.setMoney(r, 3, m);
        s.setNumber(r, 4, shareOf(m, total), kPercentFormat);
    }
    s.setText(r, 0, "合计");
    s.setNumber(r, 2, static_cast<double>(side.count));
    s.setMoney(r, 3, total);
    s.borderRange({header, 0, r, 4});
    return r + 1;
}

}  // namespace

std::string foldedName(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

std::vector<GroupSum> sumByGroup(Statement q) {
    std::vector<GroupSum> groups;
    std::unordered_map<std::string, std::size_t> index;
    while (q.step()) {
        std::string name = q.text(0);
        std::string key = foldedName(name);
        auto [it, fresh] = index.try_emplace(key, groups.size());
        if (fresh) {
            groups.push_back({std::move(name), std::move(key)});
        }
        GroupSum& g = groups[it->second];
        ++g.count;
        g.sum += q.money(1);
    }
    return groups;
}

const std::vector<std::string>& statGroupCaptions() {
    static const std::vector<std::string> c = {"收支类别", "账户名称", "家庭成员",
                                               "日期",     "月份",     "年份"};
    return c;
}

const std::vector<std::string>& statSortCaptions() {
    static const std::vector<std::string> c = {"金额降序", "金额升序", "笔数降序",
                                               "笔数升序", "名称降序", "名称升序"};
    return c;
}

double shareOf(Money part, Money total) {
    return total.isZero() ? 0.0 : part.ratioTo(total);
}

IncomeExpenseStats::IncomeExpenseStats(TfrmDM& dm) : dm_(dm) {}

StatCriteria IncomeExpenseStats::initialCriteria(const std::string& today) {
    StatCriteria c;
    c.filter.dates(dates::oneMonthBack(today), today);
    return c;
}

StatSide IncomeExpenseStats::side(bool income, const StatCriteria& c) {
    const Side& s = income ? kIncome : kExpense;
    const Condition cond = filterCondition(c.filter, s.date);
    StatSide out;
    out.caption = groupCaption(c.group, s);

    // One pass over the period, read from the covering date index; the groups
    // are summed here rather than sorted by the engine.
    Statement q =
        dm_.db().prepare(fmt::format("SELECT {}, {} FROM {} WHERE BName=?{}",
                                     groupExpression(c.group, s), s.money, s.table, cond.sql));
    q.bind(1, dm_.book());
    cond.bind(q, 1);
    std::vector<Group> groups = sumByGroup(std::move(q));
    Money total;
    for (const Group& g : groups) {
        out.count += g.count;
        total += g.sum;
    }
    sortGroups(groups, c);
    out.rows.columns = {out.caption, "笔数", "金额"};
    for (Group& g : groups) {
        out.rows.rows.push_back({std::move(g.name), g.count, g.sum});
    }
    if (out.count > 0) {
        out.sum = total;
    }
    return out;
}

void IncomeExpenseStats::run(const StatCriteria& c) {
    income_ = side(true, c);
    expense_ = side(false, c);
    last_ = c;
    ran_ = true;
}

Money IncomeExpenseStats::balanceAt(const std::string& account, const std::string& to) {
    Statement s = dm_.db().prepare(
        "SELECT AMoney FROM UList WHERE BName=?1 AND AName=?2 AND theDate<=?3 "
        "ORDER BY ID DESC LIMIT 1");
    s.bindAll(dm_.book(), account, to);
    return s.step() ? s.money(0) : Money();
}

Sheet IncomeExpenseStats::sheet() {
    const std::string& from = last_.filter.from();
    const std::string& to = last_.filter.to();
    Sheet s = schemeSheet(fmt::format("{}-收支统计表（{}至{}）", dm_.book(), from, to), 5, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRow(0, centred);
    s.setColumns({4, 40, 10, 10, 10});
    int r = writeSection(s, 1, "收入", income_);
    r = writeSection(s, r + 1, "支出", expense_);

    // The balance: income less expenses, and the share of income spent.
    r += 1;
    s.setText(r, 0, "结余");
    s.merge({r, 0, r, 4});
    s.merge({r + 1, 0, r + 1, 2});
    s.setText(r + 1, 3, "支出减收入");
    s.setText(r + 1, 4, "支出占收入");
    s.merge({r + 2, 0, r + 2, 2});
    const Money in = income_.sum.value_or(Money()), out = expense_.sum.value_or(Money());
    s.setMoney(r + 2, 3, in - out);
    s.setNumber(r + 2, 4, shareOf(out, in), kPercentFormat);
    s.borderRange({r + 1, 0, r + 2, 4});

    // Every account with its balance at the end of the period.
    r += 4;
    s.setText(r, 0, "账户");
    s.merge({r, 0, r, 4});
    const int header = r + 1;
    const char* headings[5] = {"序号", "账户名称", "家庭成员", "账户余额", "所占比例"};
    for (int c = 0; c < 5; ++c) {
        s.setText(header, c, headings[c]);
    }
    struct Account {
        std::string label, member;
        Money balance;
    };
    std::vector<Account> accounts;
    Statement a = dm_.db().prepare(
        "SELECT AName, theType, FName FROM SAccount WHERE BName=?1 ORDER BY AMoney DESC, ID");
    a.bind(1, dm_.book());
    Money total;
    while (a.step()) {
        Account acc{a.text(1) + "  " + a.text(0), a.text(2), balanceAt(a.text(0), to)};
        total += acc.balance;
        accounts.push_back(std::move(acc));
    }
    r = header + 1;
    for (std::size_t i = 0; i < accounts.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        s.setText(r, 1, accounts[i].label);
        s.setText(r, 2, accounts[i].member);
        s.setMoney(r, 3, accounts[i].balance);
        s.setNumber(r, 4, shareOf(accounts[i].balance, total), kPercentFormat);
    }
    s.setText(r, 0, "合计");
    s.setMoney(r, 3, total);
    s.borderRange({header, 0, r, 4});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

// ---- debts and credits ----

LoanStats::LoanStats(TfrmDM& dm) : dm_(dm) {}

Criteria LoanStats::initialFilter(const std::string& today) {
    return Criteria().dates(dates::oneMonthBack(today), today);
}

LoanStatSide LoanStats::side(const char* table, const char* date, const char* party,
                             const char* money, const char* caption, const char* sumCaption,
                             const Criteria& f) {
    const Condition cond = filterCondition(f, date);
    LoanStatSide out;
    // The counterparty owed most comes first; equal sums by name.
    Statement q = dm_.db().prepare(
        fmt::format("SELECT {0} AS {1}, count(ID) AS 笔数, sum({2}) AS {3} FROM {4} "
                    "WHERE BName=?{5} GROUP BY {0} ORDER BY sum({2}) DESC, {0}",
                    party, caption, money, sumCaption, table, cond.sql));
    q.bind(1, dm_.book());
    cond.bind(q, 1);
    out.rows = Table::load(std::move(q), {sumCaption});
    Statement t = dm_.db().prepare(
        fmt::format("SELECT count(ID), total({}) FROM {} WHERE BName=?{}", money, table, cond.sql));
    t.bind(1, dm_.book());
    cond.bind(t, 1);
    if (t.step()) {
        out.count = t.integer(0);
        out.outstanding = t.money(1);
    }
    return out;
}

void LoanStats::run(const Criteria& f) {
    debts_ = side("Borrow", "BDate", "BPro", "BMoney", "债权人", "未还金额", f);
    credits_ = side("Debt", "DDate", "DPro", "DMoney", "债务人", "未收金额", f);
    last_ = f;
    ran_ = true;
}

Sheet LoanStats::sheet() const {
    Sheet s = schemeSheet(
        fmt::format("{}-债务债权统计表（{}至{}）", dm_.book(), last_.from(), last_.to()), 8, true);
    const CellStyle centred{.bold = true, .halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, 7}, centred);
    s.setColumns({4, 15, 6, 10, 4, 15, 6, 10}, 1,
                 {"序号", "债权人", "笔数", "未还金额", "序号", "债务人", "笔数", "未收金额"});
    // Each list from row 3 in its own four columns.
    auto list = [&s](const LoanStatSide& side, int first) {
        for (std::size_t i = 0; i < side.rows.size(); ++i) {
            const int r = 2 + static_cast<int>(i);
            s.setNumber(r, first, static_cast<double>(i + 1));
            for (int c = 0; c < 3; ++c) {
                s.setValue(r, first + 1 + c, side.rows.rows[i][static_cast<std::size_t>(c)]);
            }
        }
    };
    list(debts_, 0);
    list(credits_, 4);
    const int r = 2 + static_cast<int>(std::max(debts_.rows.size(), credits_.rows.size()));
    s.setText(r, 0, "合计");
    s.setNumber(r, 1, static_cast<double>(debts_.rows.size()));
    s.setNumber(r, 2, static_cast<double>(debts_.count));
    s.setMoney(r, 3, debts_.outstanding);
    s.setNumber(r, 5, static_cast<double>(credits_.rows.size()));
    s.setNumber(r, 6, static_cast<double>(credits_.count));
    s.setMoney(r, 7, credits_.outstanding);
    s.borderRange({1, 0, r, 7});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

}  // namespace fennory
