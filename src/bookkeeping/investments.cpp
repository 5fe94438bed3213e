#include "bookkeeping/investments.h"

#include <fmt/format.h>

#include "core/dates.h"
#include "core/text.h"

namespace fennory {
namespace {

using C = InvestColumn;

std::vector<ColumnDef> investColumns() {
    return {{C::Book, "BName", "账簿名称", false, true},
            {C::Date, "TDate", "日期"},
            {C::Kind, "TName", "投资类别"},
            {C::Amount, "TMoney", "投资金额", true},
            {C::Profit, "RMoney", "收益金额", true},
            {C::Account, "AName", "账户名称"},
            {C::Member, "FName", "家庭成员"},
            {C::Remark, "Remark", "备注"},
            {C::Id, "ID", "ID", false, true}};
}

Condition scopeOf(LoanScope scope) {
    Condition c;
    if (scope == LoanScope::Unpaid) {
        c.sql = " AND TMoney>0";
    } else if (scope == LoanScope::Paid) {
        c.sql = " AND TMoney=0";
    }
    return c;
}

}  // namespace

InvestmentModel::InvestmentModel(TfrmDM& dm, std::function<std::string()> today)
    : BookedRecordModel(
          dm, RecordType::Investment,
          {C::Date, C::Kind, C::Amount, C::Account, C::Member, C::Remark}, investColumns(), C::Id,
          scopeOf(dm.session().OpenBookState.D_T ? LoanScope::Unpaid : LoanScope::All),
          std::move(today)) {}

ButtonStates InvestmentModel::buttons() const {
    ButtonStates b = ScreenModelBase::buttons();
    b.grid = true;
    return b;
}

void InvestmentModel::showInvestments(LoanScope scope) {
    setCondition(scopeOf(scope));
}

InvestInput InvestmentModel::startNewRecord() {
    startNew();
    const BookState& b = dm_.session().OpenBookState;
    return {today_(), b.TName, "", b.AName, b.FName, ""};
}

InvestCheck InvestmentModel::save(const InvestInput& typed) {
    return saveRecord(typed, checkRecord(typed, "请选择 投资类别！",
                                         "投资金额 不能为空！请重新录入！", "投资金额"));
}

CheckResult InvestmentModel::checkRemove() const {
    if (!hasCurrent()) {
        return CheckResult::nothingToDo();
    }
    if (dm_.db()
            .queryInt("SELECT count(*) FROM TTableR WHERE TID=?1 AND BName=?2", currentId(),
                      dm_.book())
            .value_or(0) > 0) {
        return CheckResult::fail("该 投资 已有收益记录，不能删除！");
    }
    return CheckResult::pass();
}

bool InvestmentModel::canReturn() const {
    return hasCurrent() && !Money::parse(text(C::Amount)).value_or(Money()).isZero();
}

void InvestmentModel::bookProfit(Money profit, const std::string& date, const std::string& kind,
                                 const std::string& account, const std::string& member,
                                 const std::string& incomeRemark,
                                 const std::string& expenseRemark) {
    if (profit > Money()) {
        dm_.db().execute(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7)",
            dm_.book(), date, kind, profit, account, member, incomeRemark);
    } else if (profit < Money()) {
        dm_.db().execute(
            "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7)",
            dm_.book(), date, kind, -profit, account, member, expenseRemark);
    }
}

ReturnCheck InvestmentModel::recordReturn(const ReturnInput& in) {
    if (!hasCurrent()) {
        return ReturnCheck::nothingToDo();
    }
    if (in.principal.empty()) {
        return ReturnCheck::fail("收回本金 不能为空！", ReturnField::Principal);
    }
    // Too large or too fine is said as such, not as "not a number".
    const Money::TypedAmount principal =
        Money::readTyped("收回本金", in.principal, "收回本金 必须是数字！");
    if (!principal) {
        return ReturnCheck::fail(principal.refusal, ReturnField::Principal);
    }
    if (*principal < Money()) {
        return ReturnCheck::fail("收回本金 不能小于零！", ReturnField::Principal);
    }
    if (auto refused = Money::typedRangeError("收益金额", in.profit)) {
        return ReturnCheck::fail(*refused, ReturnField::Profit);
    }
    auto profit = Money::parse(in.profit.empty() ? "0" : in.profit);
    if (!profit) {
        return ReturnCheck::fail("收益金额 必须是数字！", ReturnField::Profit);
    }
    if (in.account.empty()) {
        return ReturnCheck::fail("请选择 账户名称！", ReturnField::Account);
    }
    if (in.member.empty()) {
        return ReturnCheck::fail("请选择 家庭成员！", ReturnField::Member);
    }
    const std::int64_t investment = currentId();
    const std::string kind = text(C::Kind);
    Transaction t(dm_.db());
    dm_.db().execute(
        "INSERT INTO TTableR(TID,RDate,RMoney,SMoney,AName,FName,Remark,BName) "
        "VALUES(?1,?2,?3,?4,?5,?6,?7,?8)",
        investment, in.date, *principal, *profit, in.account, in.member, in.remark, dm_.book());
    const std::int64_t id = dm_.db().lastInsertId();
    dm_.db().execute(
        "UPDATE TTable SET TMoney=TMoney-?1, RMoney=RMoney+?2 WHERE ID=?3 AND BName=?4", *principal,
        *profit, investment, dm_.book());
    if (!principal->isZero()) {
        moveMoney(+1, *principal, in.account, in.member, in.date, "收回本金", in.remark, "TTableR",
                  id, LogEvent::Added);
    }
    if (!profit->isZero()) {
        // A loss is logged as a negative amount in, as the log has always shown it.
        dm_.AccountUp(*profit, in.account);
        dm_.List_Add({.theDate = in.date,
                      .theType = "收益",
                      .Remark = in.remark,
                      .theIn = *profit,
                      .AName = in.account,
                      .FName = in.member,
                      .theT = "TTableR",
                      .theID = id,
                      .theE = LogEvent::Added});
    }
    bookProfit(*profit, in.date, kind, in.account, in.member, "投资收益", "投资亏损");
    t.commit();
    saved(investment);
    return ReturnCheck::pass();
}

Table InvestmentModel::returns() {
    return currentRecordRows(
        "SELECT RDate AS \"收益日期\", RMoney AS \"收回本金\", SMoney AS \"收益金额\", "
        "AName AS \"账户名称\", FName AS \"家庭成员\", Remark AS \"备注\", ID FROM TTableR "
        "WHERE TID=?1 AND BName=?2 ORDER BY RDate DESC, ID DESC",
        {"收回本金", "收益金额"});
}

void InvestmentModel::removeReturn(std::int64_t returnId) {
    Statement r = dm_.db().prepare(
        "SELECT r.TID, r.RMoney, r.SMoney, r.AName, r.FName, t.TName FROM TTableR r "
        "JOIN TTable t ON t.ID=r.TID WHERE r.ID=?1 AND r.BName=?2");
    r.bindAll(returnId, dm_.book());
    if (!r.step()) {
        return;
    }
    const std::int64_t investment = r.integer(0);
    const Money principal = r.money(1), profit = r.money(2);
    const std::string account = r.text(3), member = r.text(4), kind = r.text(5);
    const std::string today = today_();
    Transaction t(dm_.db());
    dm_.db().execute(
        "UPDATE TTable SET TMoney=TMoney+?1, RMoney=RMoney-?2 WHERE ID=?3 AND BName=?4", principal,
        profit, investment, dm_.book());
    // The earlier income or expense record stays; this one offsets it.
    bookProfit(-profit, today, kind, account, member, "删除投资记录", "删除投资记录");
    // Every balance move gets its log entry, so that the log accounts for it.
    if (!principal.isZero()) {
        moveMoney(-1, principal, account, member, today, "收回本金", "删除投资记录", "TTableR",
                  returnId, LogEvent::Deleted);
    }
    if (!profit.isZero()) {
        dm_.AccountDown(profit, account);
        dm_.List_Add({.theDate = today,
                      .theType = "收益",
                      .Remark = "删除投资记录",
                      .theOut = profit,
                      .AName = account,
                      .FName = member,
                      .theT = "TTableR",
                      .theID = returnId,
                      .theE = LogEvent::Deleted});
    }
    dm_.db().execute("DELETE FROM TTableR WHERE ID=?1 AND BName=?2", returnId, dm_.book());
    t.commit();
    refresh();
}

RepayCheck InvestmentModel::adjust(Adjustment how, const RepayInput& in) {
    Money value;
    if (RepayCheck r = checkAdjustment(hasCurrent(), in, value); !r.ok) {
        return r;
    }
    const std::optional<Money> amount = value;
    const std::int64_t investment = currentId();
    const bool up = how == Adjustment::Increase;
    const std::string remark = up ? in.remark : trimmed(in.remark);
    Transaction t(dm_.db());
    dm_.db().execute(
        "INSERT INTO TList(TID,theDate,theMoney,AName,FName,Remark,BName) "
        "VALUES(?1,?2,?3,?4,?5,?6,?7)",
        investment, in.date, up ? *amount : -*amount, in.account, in.member, remark, dm_.book());
    const std::int64_t id = dm_.db().lastInsertId();
    dm_.db().execute("UPDATE TTable SET TMoney=TMoney+?1 WHERE ID=?2 AND BName=?3",
                     up ? *amount : -*amount, investment, dm_.book());
    // More invested takes money out of the account; less brings it back.
    moveMoney(up ? -1 : +1, *amount, in.account, in.member, in.date, up ? "增加投资" : "减少投资",
              remark, "TList", id, LogEvent::Added);
    t.commit();
    saved(investment);
    return RepayCheck::pass();
}

Table InvestmentModel::adjustments() {
    return currentAdjustments("TList", "TID");
}

}  // namespace fennory
