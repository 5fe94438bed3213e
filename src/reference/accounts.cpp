#include "reference/accounts.h"

#include <fmt/format.h>

#include "core/pinyin.h"
#include "reference/renames.h"

namespace fennory {
namespace {

using C = AccountColumn;
constexpr ColumnDef kScreenColumns[] = {
    {C::Type, "theType", "账户分类"},
    {C::Member, "FName", "家庭成员"},
    {C::Name, "AName", "账户名称"},
    {C::Pinyin, "thePY", "拼音码"},
    {C::Book, "BName", "账簿名称", false, true},
    {C::Balance, "AMoney", "账户余额", true},
    {C::Remark, "Remark", "备注"},
    {C::State, "theState", "状态"},
    {C::Id, "ID", "ID", false, true},
    {C::Count, "theCount", "记账次数"},
};
static_assert(columnsInOrder(kScreenColumns));

constexpr ColumnDef kOpeningColumns[] = {
    {C::Type, "theType", "账户分类"},
    {C::Member, "FName", "家庭成员"},
    {C::Name, "AName", "账户名称"},
    {C::Pinyin, "thePY", "拼音码", false, true},
    {C::Book, "BName", "账簿名称", false, true},
    {C::Balance, "AMoney", "初始金额", true},
    {C::Remark, "Remark", "备注"},
    {C::State, "theState", "状态", false, true},
    {C::Id, "ID", "ID", false, true},
    {C::Count, "theCount", "记账次数", false, true},
};
static_assert(columnsInOrder(kOpeningColumns));

}  // namespace

const AccountsKind& accountsScreen() {
    static const AccountsKind k{
        .columns = kScreenColumns, .byBookOrder = true, .amountLabel = "账户余额"};
    return k;
}

const AccountsKind& openingAccounts() {
    static const AccountsKind k{
        .columns = kOpeningColumns, .byBookOrder = false, .amountLabel = "初始金额"};
    return k;
}

namespace {

// The checks a new and a changed account share, in their order.
AccountCheck checkNames(const std::string& type, const std::string& member,
                        const std::string& name) {
    if (type.empty()) {
        return AccountCheck::fail("请选择 账户分类！", AccountField::Type);
    }
    if (member.empty()) {
        return AccountCheck::fail("请选择 家庭成员！", AccountField::Member);
    }
    if (name.empty()) {
        return AccountCheck::fail("账户名称不能为空！请重新录入！", AccountField::Name);
    }
    return AccountCheck::pass();
}

}  // namespace

AccountCheck addAccount(TfrmDM& dm, const AccountInput& in, const std::string& amountLabel,
                        std::int64_t* newId) {
    if (AccountCheck r = checkNames(in.type, in.member, in.name); !r.ok) {
        return r;
    }
    if (in.amount.empty()) {
        return AccountCheck::fail(amountLabel + "不能为空！请重新录入！", AccountField::Amount);
    }
    const Money::TypedAmount amount =
        Money::readTyped(amountLabel, in.amount, amountLabel + " 必须是数字！请重新录入！");
    if (!amount) {
        return AccountCheck::fail(amount.refusal, AccountField::Amount);
    }
    if (dm.db()
            .queryInt("SELECT count(*) FROM SAccount WHERE AName=?1 AND BName=?2", in.name,
                      dm.book())
            .value_or(0) > 0) {
        return AccountCheck::fail("账户名称添加重复！", AccountField::Name);
    }
    Transaction t(dm.db());
    dm.db().execute(
        "INSERT INTO SAccount(AName,BName,thePY,theState,Remark,AMoney,theType,FName) "
        "VALUES(?1,?2,?3,'启用',?4,?5,?6,?7)",
        in.name, dm.book(), PinyinCode(in.name), in.remark, *amount, in.type, in.member);
    std::int64_t id = dm.db().lastInsertId();
    dm.List_Add({.theDate = dm.session().StartupDate,
                 .theType = "开户",
                 .Remark = in.remark,
                 .theIn = *amount,
                 .AName = in.name,
                 .FName = in.member,
                 .theT = "SAccount",
                 .theID = id,
                 .theE = LogEvent::Added});
    t.commit();
    if (newId) {
        *newId = id;
    }
    return AccountCheck::pass();
}

AccountsModel::AccountsModel(TfrmDM& dm, const AccountsKind& kind)
    : ScreenModel(kind.columns, AccountColumn::Id), dm_(dm), kind_(kind) {}

Table AccountsModel::load() {
    std::string order = kind_.byBookOrder
                            ? TfrmDM::orderClause(dm_.session().OpenBookState.thePX, "AName", true)
                            : std::string(" ORDER BY ID");
    Statement s = dm_.db().prepare("SELECT " + selectList(kind_.columns) +
                                   " FROM SAccount WHERE BName=?1" + order);
    s.bind(1, dm_.book());
    return loadColumns(std::move(s), kind_.columns);
}

AccountCheck AccountsModel::save(const AccountInput& in) {
    std::int64_t id = 0;
    AccountCheck r = addAccount(dm_, in, kind_.amountLabel, &id);
    if (r.ok) {
        saved(id);
    }
    return r;
}

CheckResult AccountsModel::checkDelete(Money balance) const {
    if (!balance.isZero()) {
        return CheckResult::fail(
            "账户余额不为零，不能删除；若要删除，请将该账户余额转账到其它账户后删除！");
    }
    return CheckResult::pass();
}

CheckResult AccountsModel::checkRemoveCurrent() const {
    if (!hasCurrent() || text(AccountColumn::Name).empty()) {
        return CheckResult::nothingToDo();
    }
    // The stored balance, not the text the grid shows.
    Money balance =
        Money::fromUnits(dm_.db()
                             .queryInt("SELECT AMoney FROM SAccount WHERE ID=?1 AND BName=?2",
                                       currentId(), dm_.book())
                             .value_or(0));
    return checkDelete(balance);
}

void AccountsModel::remove(std::int64_t id) {
    // Only the account row; its log entries stay.
    dm_.db().execute("DELETE FROM SAccount WHERE ID=?1 AND BName=?2", id, dm_.book());
    refresh();
}

void AccountsModel::setState(std::int64_t id, const std::string& state) {
    dm_.myState("SAccount", state, id);
    refresh();
}

AccountsModel::Edit AccountsModel::editOfCurrent() const {
    return {currentId(),
            text(AccountColumn::Name),
            text(AccountColumn::Type),
            text(AccountColumn::Member),
            text(AccountColumn::Name),
            text(AccountColumn::Remark)};
}

AccountCheck AccountsModel::edit(const Edit& e) {
    if (AccountCheck r = checkNames(e.type, e.member, e.name); !r.ok) {
        return r;
    }
    // Balances are found by name: two accounts of one name would share them.
    if (e.name != e.oldName &&
        dm_.db().queryInt("SELECT count(*) FROM SAccount WHERE AName=?1 AND BName=?2 AND ID<>?3",
                          e.name, dm_.book(), e.id)
                .value_or(0) > 0) {
        return AccountCheck::fail("账户名称添加重复！", AccountField::Name);
    }
    Transaction t(dm_.db());
    carryRename(dm_, NameKind::Account, e.oldName, e.name);
    dm_.db().execute(
        "UPDATE SAccount SET theType=?1, FName=?2, AName=?3, Remark=?4, thePY=?5 "
        "WHERE ID=?6 AND BName=?7",
        e.type, e.member, e.name, e.remark, PinyinCode(e.name), e.id, dm_.book());
    t.commit();
    saved(e.id);
    return AccountCheck::pass();
}

AccountsModel::Adjust AccountsModel::adjustOfCurrent() const {
    return {currentId(), text(AccountColumn::Name), text(AccountColumn::Member),
            text(AccountColumn::Balance), ""};
}

AccountCheck AccountsModel::adjust(const Adjust& a) {
    if (a.realBalance.empty()) {
        return AccountCheck::fail("实际余额 不能为空！请重新录入！", AccountField::Real);
    }
    if (a.realBalance == a.shownBalance) {
        return AccountCheck::fail("实际余额 不能等于 账户余额！请重新录入！", AccountField::Real);
    }
    const Money::TypedAmount real =
        Money::readTyped("实际余额", a.realBalance, "实际余额 必须是数字！请重新录入！");
    if (!real) {
        return AccountCheck::fail(real.refusal, AccountField::Real);
    }
    Transaction t(dm_.db());
    // The stored balance, not the shown text: the difference must be exact.
    Money current = dm_.RetAMoney(a.name);
    Money difference = *real - current;
    FlowEntry entry{.theDate = dm_.session().StartupDate,
                    .theType = "调账",
                    .Remark = "调整账户余额",
                    .AName = a.name,
                    .FName = a.member,
                    .theT = "SAccount",
                    .theID = a.id,
                    .theE = LogEvent::Added};
    if (difference > Money()) {
        dm_.AccountUp(difference, a.name);
        entry.theIn = difference;
    } else {
        dm_.AccountDown(-difference, a.name);
        entry.theOut = -difference;
    }
    dm_.List_Add(entry);
    t.commit();
    saved(a.id);
    return AccountCheck::pass();
}

NameRow AccountsModel::currentNameRow() const {
    return {"SAccount", currentId(), text(AccountColumn::Name), text(AccountColumn::Pinyin),
            text(AccountColumn::Count)};
}

}  // namespace fennory
