#include "plans/plans.h"

#include <fmt/format.h>

#include "core/dates.h"

namespace fennory {
namespace {

using C = PlanColumn;

constexpr ColumnDef kColumns[] = {
    {C::Id, "ID", "ID", false, true},    {C::Kind, "PType", "类别"},
    {C::Date, "PDate", "日期"},          {C::Name, "PName", "计划名称"},
    {C::Amount, "PMoney", "金额", true}, {C::Account, "AName", "账户名称"},
    {C::Member, "FName", "家庭成员"},    {C::Remark, "Remark", "备注"},
};
static_assert(columnsInOrder(kColumns));

// The month `k` months after the month of `date`, on day `day`.
std::string monthAfter(const dates::Ymd& s, int k, int day) {
    const int index = s.month - 1 + k;
    return dates::format(s.year + index / 12, index % 12 + 1, day);
}

int daysBetween(const std::string& from, const std::string& to) {
    return dates::dayNumber(to) - dates::dayNumber(from);
}

}  // namespace

const std::vector<PlanKind>& planKinds() {
    static const std::vector<PlanKind> kinds = {
        {"收入", "收入类别：", "收入类别", "请选择 收入类别！", &BookState::IName,
         &TfrmDM::ComInType, RecordType::Income},
        {"支出", "支出类别：", "支出类别", "请选择 支出类别！", &BookState::OName,
         &TfrmDM::ComOutType, RecordType::Expense},
        {"债务", "债  权  人：", "债权人", nullptr, &BookState::PName, &TfrmDM::ComPType,
         RecordType::Debt},
        {"债权", "债  务  人：", "债务人", nullptr, &BookState::PName, &TfrmDM::ComPType,
         RecordType::Credit},
        {"投资", "投资类别：", "投资类别", nullptr, &BookState::TName, &TfrmDM::ComTZType,
         RecordType::Investment},
    };
    return kinds;
}

const PlanKind* planKind(const std::string& name) {
    for (const PlanKind& k : planKinds()) {
        if (name == k.name) {
            return &k;
        }
    }
    return nullptr;
}

std::string proposedEnd(Repeat repeat, const std::string& start) {
    switch (repeat) {
        case Repeat::Daily:
            return dates::addMonths(start, 1);
        case Repeat::EveryNDays:
            return dates::addMonths(start, 3);
        case Repeat::Yearly:
            return dates::addMonths(start, 60);
        case Repeat::Monthly:
        case Repeat::EveryNMonths:
            break;
    }
    return dates::addMonths(start, 12);
}

std::vector<std::string> planDates(const RepeatRule& rule, const std::string& start,
                                   const std::string& end) {
    const auto s = dates::parse(start);
    if (!s || !dates::isValid(end)) {
        return {};
    }
    const int d = daysBetween(start, end);
    if (d < 1) {
        return {};
    }
    // Whole months (30.4375 days = 487/16) and years (365.25 days = 1461/4) of
    // the range, truncated; exact in integers.
    const int m = d * 16 / 487;
    const int y = d * 4 / 1461;
    std::vector<std::string> out;
    switch (rule.repeat) {
        case Repeat::Daily:
            for (int i = 0; i <= d; ++i) {
                out.push_back(dates::addDays(start, i));
            }
            break;
        case Repeat::EveryNDays: {
            const int n = std::max(1, rule.days);
            // The start itself is not an occurrence; the last one lies past the end.
            for (int k = 1; k <= d / n + 1; ++k) {
                out.push_back(dates::addDays(start, k * n));
            }
            break;
        }
        case Repeat::Monthly:
            for (int k = 1; k <= m + 1; ++k) {
                out.push_back(monthAfter(*s, k, rule.day));
            }
            break;
        case Repeat::Yearly:
            for (int k = 1; k <= y + 1; ++k) {
                out.push_back(dates::format(s->year + k, rule.month, rule.day));
            }
            break;
        case Repeat::EveryNMonths: {
            const int n = std::max(1, rule.months);
            for (int k = 1; k <= m + 1; ++k) {
                if (k % n == 0) {
                    out.push_back(monthAfter(*s, k, rule.day));
                }
            }
            break;
        }
    }
    return out;
}

PlanInput newPlanInput(TfrmDM& dm, const PlanKind& kind, const std::string& today) {
    const BookState& b = dm.session().OpenBookState;
    PlanInput in;
    in.kind = &kind;
    in.name = b.*kind.defaultName;
    in.account = b.AName;
    in.member = b.FName;
    in.start = today;
    in.end = proposedEnd(Repeat::Daily, today);
    return in;
}

PlanCheck savePlans(TfrmDM& dm, const PlanInput& in) {
    if (in.kind == nullptr) {
        return PlanCheck::fail("请选择 计划类别！", PlanField::Name);
    }
    if (in.kind->emptyName && in.name.empty()) {
        return PlanCheck::fail(in.kind->emptyName, PlanField::Name);
    }
    // A bare zero counts as nothing typed.
    std::string amount = in.amount;
    if (amount == "0" || amount == "0." || amount == ".0") {
        amount.clear();
    }
    if (amount.empty()) {
        return PlanCheck::fail("金额不能为空！请重新录入！", PlanField::Amount);
    }
    const Money::TypedAmount money =
        Money::readTyped("金额", amount, "金额 必须是数字！请重新录入！");
    if (!money) {
        return PlanCheck::fail(money.refusal, PlanField::Amount);
    }
    if (in.account.empty()) {
        return PlanCheck::fail("请选择 账户名称！", PlanField::Account);
    }
    if (in.member.empty()) {
        return PlanCheck::fail("请选择 家庭成员！", PlanField::Member);
    }
    if (!dates::isValid(in.start) || !dates::isValid(in.end) || in.end <= in.start) {
        return PlanCheck::fail("结束日期 不能小于或等于 开始日期，请重新选择日期！",
                               PlanField::End);
    }
    const std::vector<std::string> occurrences = planDates(in.rule, in.start, in.end);
    Transaction t(dm.db());
    Statement s = dm.db().prepare(
        "INSERT INTO UPlan(BName,PType,PDate,PName,PMoney,AName,FName,PState,Remark) "
        "VALUES(?1,?2,?3,?4,?5,?6,?7,'否',?8)");
    for (const std::string& date : occurrences) {
        s.reset();
        s.bindAll(dm.book(), in.kind->name, date, in.name, *money, in.account, in.member,
                  in.remark);
        s.run();
    }
    t.commit();
    return PlanCheck::pass();
}

CheckResult executePlan(TfrmDM& dm, std::int64_t id) {
    Transaction t(dm.db());
    Statement q = dm.db().prepare(
        "SELECT PType,PDate,PName,PMoney,AName,FName,Remark FROM UPlan "
        "WHERE ID=?1 AND BName=?2 AND PState='否'");
    q.bindAll(id, dm.book());
    if (!q.step()) {
        return CheckResult::fail("该计划已经执行或已被删除！");
    }
    const std::string type = q.text(0), date = q.text(1), name = q.text(2);
    const Money amount = q.money(3);
    const std::string account = q.text(4), member = q.text(5), remark = q.text(6);
    const PlanKind* kind = planKind(type);
    if (kind == nullptr) {
        return CheckResult::fail(fmt::format("计划类别“{}”无法执行！", type));
    }
    // A balance moved on an account that is gone would vanish from every total.
    Statement a = dm.db().prepare("SELECT 1 FROM SAccount WHERE BName=?1 AND AName=?2");
    a.bindAll(dm.book(), account);
    if (!a.step()) {
        return CheckResult::fail(
            fmt::format("账户“{}”已不存在，{} 的计划没有执行！请先新增该账户。", account, date));
    }

    dm.db().execute("UPDATE UPlan SET PState='是' WHERE ID=?1", id);
    // A plan's record is booked as any other, its use counts aside.
    try {
        RecordBooker(dm, kind->record)
            .book({date, name, amount, account, member, remark}, LogEvent::Added, false);
    } catch (const RecordRefused& e) {
        return CheckResult::fail(fmt::format("{} 的计划没有执行：{}", date, e.what()));
    }
    t.commit();
    return CheckResult::pass();
}

bool hasDuePlans(TfrmDM& dm, const std::string& startupDate) {
    Statement s =
        dm.db().prepare("SELECT 1 FROM UPlan WHERE BName=?1 AND PState='否' AND PDate<=?2 LIMIT 1");
    s.bindAll(dm.book(), startupDate);
    return s.step();
}

// ---- the lists ----

PlanListModel::PlanListModel(TfrmDM& dm) : ScreenModel<PlanColumn>(kColumns, C::Id), dm_(dm) {}

const CriteriaTable& planCriteria() {
    using C = Criterion;
    using I = CriterionInput;
    static const CriteriaTable t{{C::Date, "计划日期", I::Dates, "PDate"},
                                 // The screen offers the chosen kind's names and caption.
                                 {C::Name, "收入类别", I::Lookup, "PName"},
                                 {C::Account, "账户名称", I::Lookup, "AName", &TfrmDM::ComAccount},
                                 {C::Member, "家庭成员", I::Lookup, "FName", &TfrmDM::ComFamily},
                                 {C::Remark, "备        注", I::Text, "Remark"}};
    return t;
}

PlanFilter PlanListModel::initialFilter(const std::string& today) {
    return {&planKinds().front(), Criteria().dates(today, dates::addMonths(today, 1), false)};
}

void PlanListModel::setFilter(const PlanFilter& f) {
    const PlanKind& kind = f.kind ? *f.kind : planKinds().front();
    Condition c;
    c.add(" AND PType=?", kind.name);
    c.append(conditionOf(planCriteria(), f.criteria));
    condition_ = std::move(c);
    order_ = " ORDER BY ID";
    nameCaption_ = kind.nameCaption;
    queried_ = true;
    refresh();
}

void PlanListModel::setDue(const std::string& startupDate) {
    condition_ = {};
    condition_.add(" AND PDate<=?", startupDate);
    order_ = " ORDER BY PDate DESC, ID DESC";
    nameCaption_ = "计划名称";
    queried_ = true;
    refresh();
}

Table PlanListModel::load() {
    std::vector<ColumnDef> columns(std::begin(kColumns), std::end(kColumns));
    columns[static_cast<std::size_t>(C::Name)].caption = nameCaption_.c_str();
    // Nothing is listed before the first query.
    Statement s = dm_.db().prepare(
        fmt::format("SELECT {} FROM UPlan WHERE BName=? AND PState='否'{}{}{}", selectList(columns),
                    condition_.sql, queried_ ? "" : " AND 0", order_));
    s.bind(1, dm_.book());
    condition_.bind(s, 1);
    Table t = loadColumns(std::move(s), columns);
    total_.reset();
    if (!t.empty()) {
        Money sum;
        for (const auto& row : t.rows) {
            sum += std::get<Money>(row[static_cast<std::size_t>(C::Amount)]);
        }
        total_ = sum;
    }
    return t;
}

void PlanListModel::remove(std::int64_t id) {
    dm_.db().execute("DELETE FROM UPlan WHERE ID=?1 AND BName=?2 AND PState='否'", id, dm_.book());
    refresh();
}

void PlanListModel::removeAllListed() {
    if (!queried_) {
        return;
    }
    Transaction t(dm_.db());
    Statement s =
        dm_.db().prepare("DELETE FROM UPlan WHERE BName=? AND PState='否'" + condition_.sql);
    s.bind(1, dm_.book());
    condition_.bind(s, 1);
    s.run();
    t.commit();
    refresh();
}

ExecutionResult PlanListModel::executeListed(
    const std::string& startupDate, const std::function<void(std::size_t, std::size_t)>& progress) {
    // The list as it stands when the user asked; each plan is read anew.
    std::vector<std::pair<std::int64_t, std::string>> listed;
    for (std::size_t r = 0; r < rows().size(); ++r) {
        listed.emplace_back(idOf(rows(), r), cellText(rows(), r, C::Date));
    }
    ExecutionResult result;
    struct Reload {
        PlanListModel& m;
        // Also after a failure of the data file, which is already on its way
        // to the user: a second one while reading must not end the program.
        ~Reload() {
            try {
                m.refresh();
            } catch (const std::exception&) {
            }
        }
    } reload{*this};
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i].second <= startupDate) {
            CheckResult r = executePlan(dm_, listed[i].first);
            if (!r.ok) {
                result.failure = r.message;
                return result;
            }
            ++result.executed;
        }
        if (progress) {
            progress(i + 1, listed.size());
        }
    }
    return result;
}

Sheet PlanListModel::sheet() const {
    Sheet s = schemeSheet(dm_.book() + "-计划表", 8, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, 7}, centred);
    s.setColumns({4, 4, 10, 12, 10, 10, 10, 14}, 1,
                 {"序号", "类别", "日期", nameCaption_, "金额", "账户名称", "家庭成员", "备注"});
    const C columns[7] = {C::Kind, C::Date, C::Name, C::Amount, C::Account, C::Member, C::Remark};
    int r = 2;
    const Table& t = rows();
    for (std::size_t i = 0; i < t.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        for (int c = 0; c < 7; ++c) {
            s.setValue(r, c + 1, t.rows[i][static_cast<std::size_t>(columns[c])]);
        }
    }
    s.setText(r, 0, "合计");
    s.setNumber(r, 1, static_cast<double>(t.size()));
    if (total_) {
        s.setMoney(r, 4, *total_);
    }
    s.borderRange({1, 0, r, 7});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

}  // namespace fennory
