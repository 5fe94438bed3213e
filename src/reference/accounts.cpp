#include "reference/accounts.h"

#include <fmt/format.h>

#include "core/pinyin.h"

namespace fennory {

CheckResult addAccount(TfrmDM& dm, const AccountInput& in, const std::string& amountLabel) {
    if (in.type.empty()) {
        return CheckResult::fail("请选择 账户分类！", "theType");
    }
    if (in.member.empty()) {
        return CheckResult::fail("请选择 家庭成员！", "FName");
    }
    if (in.name.empty()) {
        return CheckResult::fail("账户名称不能为空！请重新录入！", "AName");
    }
    if (in.amount.empty()) {
        return CheckResult::fail(amountLabel + "不能为空！请重新录入！", "AMoney");
    }
    auto amount = Money::parse(in.amount);
    if (!amount) {
        return CheckResult::fail(amountLabel + " 必须是数字！请重新录入！", "AMoney");
    }
    if (dm.db()
            .queryInt("SELECT count(*) FROM SAccount WHERE AName=?1 AND BName=?2", in.name,
                      dm.book())
            .value_or(0) > 0) {
        return CheckResult::fail("账户名称添加重复！", "");
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
                 .theE = "新增"});
    t.commit();
    return CheckResult::pass();
}

const std::vector<std::pair<std::string, std::string>>& accountNameColumns() {
    static const std::vector<std::pair<std::string, std::string>> columns = {
        {"BList", "AName"}, {"Borrow", "AName"}, {"BorrowR", "AName"}, {"Debt", "AName"},
        {"DebtR", "AName"}, {"DList", "AName"},  {"InTable", "AName"}, {"OutTable", "AName"},
        {"SMRX", "AName"},  {"TList", "AName"},  {"TTable", "AName"},  {"TTableR", "AName"},
        {"UList", "AName"}, {"UPlan", "AName"},  {"ChangeT", "OldN"},  {"ChangeT", "NewN"}};
    return columns;
}

Table AccountsModel::list() {
    Statement s = dm_.db().prepare(
        "SELECT theType AS 账户分类, FName AS 家庭成员, AName AS 账户名称, thePY AS 拼音码, "
        "BName AS 账薄名称, AMoney AS 账户余额, Remark AS 备注, theState AS 状态, ID, "
        "theCount AS 记账次数 FROM SAccount WHERE BName=?1" +
        TfrmDM::orderClause(dm_.session().OpenBookState.thePX, "AName", true));
    s.bind(1, dm_.book());
    return Table::load(std::move(s), {"账户余额"});
}

CheckResult AccountsModel::checkDelete(Money balance) const {
    if (!balance.isZero()) {
        return CheckResult::fail(
            "账户余额不为零，不能删除；若要删除，请将该账户余额转账到其它账户后删除！", "");
    }
    return CheckResult::pass();
}

void AccountsModel::remove(std::int64_t id) {
    dm_.db().execute("DELETE FROM SAccount WHERE ID=?1 AND BName=?2", id, dm_.book());
}

void AccountsModel::setState(std::int64_t id, const std::string& state) {
    dm_.myState("SAccount", state, id);
}

CheckResult AccountsModel::edit(const Edit& e) {
    if (e.type.empty()) {
        return CheckResult::fail("请选择 账户分类！", "theType");
    }
    if (e.member.empty()) {
        return CheckResult::fail("请选择 家庭成员！", "FName");
    }
    if (e.name.empty()) {
        return CheckResult::fail("账户名称不能为空！请重新录入！", "AName");
    }
    // Balances are found by name: two accounts of one name would share them.
    if (e.name != e.oldName &&
        dm_.db().queryInt("SELECT count(*) FROM SAccount WHERE AName=?1 AND BName=?2 AND ID<>?3",
                          e.name, dm_.book(), e.id)
                .value_or(0) > 0) {
        return CheckResult::fail("账户名称添加重复！", "AName");
    }
    Transaction t(dm_.db());
    if (e.name != e.oldName) {
        for (const auto& [table, column] : accountNameColumns()) {
            dm_.db().execute(
                fmt::format("UPDATE {0} SET {1}=?1 WHERE {1}=?2 AND BName=?3", table, column),
                e.name, e.oldName, dm_.book());
        }
    }
    dm_.db().execute(
        "UPDATE SAccount SET theType=?1, FName=?2, AName=?3, Remark=?4, thePY=?5 "
        "WHERE ID=?6 AND BName=?7",
        e.type, e.member, e.name, e.remark, PinyinCode(e.name), e.id, dm_.book());
    t.commit();
    return CheckResult::pass();
}

CheckResult AccountsModel::adjust(const Adjust& a) {
    if (a.realBalance.empty()) {
        return CheckResult::fail("实际余额 不能为空！请重新录入！", "real");
    }
    if (a.realBalance == a.shownBalance) {
        return CheckResult::fail("实际余额 不能等于 账户余额！请重新录入！", "real");
    }
    auto real = Money::parse(a.realBalance);
    if (!real) {
        return CheckResult::fail("实际余额 必须是数字！请重新录入！", "real");
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
                    .theE = "新增"};
    if (difference > Money()) {
        dm_.AccountUp(difference, a.name);
        entry.theIn = difference;
    } else {
        dm_.AccountDown(-difference, a.name);
        entry.theOut = -difference;
    }
    dm_.List_Add(entry);
    t.commit();
    return CheckResult::pass();
}

}  // namespace fennory
