#include "bookkeeping/loans.h"

#include <fmt/format.h>

#include "core/dates.h"

namespace fennory {
namespace {

using C = LoanColumn;

std::vector<ColumnDef> loanColumns(const LoanKind& k) {
    return {{C::Book, "BName", "账簿名称", false, true},
            {C::Date, recordType(k.type).dateColumn, "日期"},
            {C::Party, recordType(k.type).nameColumn, k.partyAlias},
            {C::Amount, recordType(k.type).moneyColumn, k.amountAlias, true},
            {C::Account, "AName", "账户名称"},
            {C::Member, "FName", "家庭成员"},
            {C::Repaid, "RMoney", k.repaidAlias, true},
            {C::Remark, "Remark", "备注"},
            {C::Id, "ID", "ID", false, true}};
}

Condition scopeOf(const LoanKind& k, LoanScope scope) {
    Condition c;
    if (scope == LoanScope::Unpaid) {
        c.sql = fmt::format(" AND {}>0", recordType(k.type).moneyColumn);
    } else if (scope == LoanScope::Paid) {
        c.sql = fmt::format(" AND {}=0", recordType(k.type).moneyColumn);
    }
    return c;
}

}  // namespace

const LoanKind& debtLoans() {
    static const LoanKind k{
        .type = RecordType::Debt,
        .caption = "债务",
        .repayTable = "BorrowR",
        .adjustTable = "BList",
        .keyColumn = "BID",
        .partyAlias = "债权人",
        .amountAlias = "债务金额",
        .repaidAlias = "已还金额",
        .emptyParty = "债权人 不能为空！请重新录入！",
        .emptyAmountNew = "金额 不能为空！请重新录入！",
        .emptyAmountChange = "债务金额 不能为空！请重新录入！",
        .deleteRefused = "该债务有 已还金额，不能删除；如要删除，请先删除 还债记录。",
        .unpaidOnly = &BookState::D_B,
        .repayCaption = "还债",
        .repayAmount = "还债金额",
        .repayTooMuch = "还债金额 不能大于债务金额！",
        .noAccount = "请选择 帐户名称！",
        .repayDeletedRemark = "还债 删除",
        .increaseType = "增加债务",
        .decreaseType = "减少债务"};
    return k;
}

const LoanKind& creditLoans() {
    static const LoanKind k{
        .type = RecordType::Credit,
        .caption = "债权",
        .repayTable = "DebtR",
        .adjustTable = "DList",
        .keyColumn = "DID",
        .partyAlias = "债务人",
        .amountAlias = "债权金额",
        .repaidAlias = "已收金额",
        .emptyParty = "债务人 不能为空！请重新录入！",
        .emptyAmountNew = "债权金额 不能为空！请重新录入！",
        .emptyAmountChange = "债权金额 不能为空！请重新录入！",
        .deleteRefused = "该债权有 已收金额，不能删除；如要删除，请先删除 收债记录。",
        .unpaidOnly = &BookState::D_D,
        .repayCaption = "收债",
        .repayAmount = "收债金额",
        .repayTooMuch = "收债金额 不能大于债权金额！",
        .noAccount = "请选择 账户名称！",
        .repayDeletedRemark = "收债 删除",
        .increaseType = "增加债权",
        .decreaseType = "减少债权"};
    return k;
}

LoanModel::LoanModel(TfrmDM& dm, const LoanKind& kind, std::function<std::string()> today)
    : BookedRecordModel(
          dm, kind.type, {C::Date, C::Party, C::Amount, C::Account, C::Member, C::Remark},
          loanColumns(kind), C::Id,
          scopeOf(kind,
                  dm.session().OpenBookState.*kind.unpaidOnly ? LoanScope::Unpaid : LoanScope::All),
          std::move(today)),
      kind_(kind) {}

void LoanModel::showLoans(LoanScope scope) {
    setCondition(scopeOf(kind_, scope));
}

LoanInput LoanModel::startNewRecord() {
    startNew();
    const BookState& b = dm_.session().OpenBookState;
    return {today_(), b.PName, "", b.AName, b.FName, ""};
}

LoanCheck LoanModel::save(const LoanInput& typed) {
    // The repaid total stays as it is through a change.
    return saveRecord(typed, checkRecord(typed, kind_.emptyParty,
                                         mode() == RecordMode::Change ? kind_.emptyAmountChange
                                                                      : kind_.emptyAmountNew,
                                         kind_.amountAlias));
}

CheckResult LoanModel::checkRemove() const {
    if (!hasCurrent()) {
        return CheckResult::nothingToDo();
    }
    const int row = currentIndex();
    if (std::get<Money>(
            rows().rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(C::Repaid)]) >
        Money()) {
        return CheckResult::fail(kind_.deleteRefused);
    }
    return CheckResult::pass();
}

void LoanModel::writeOff(std::int64_t id) {
    dm_.db().execute(fmt::format("UPDATE {} SET {}=0 WHERE ID=?1 AND BName=?2", record().table,
                                 record().moneyColumn),
                     id, dm_.book());
    refresh();
}

bool LoanModel::canRepay() const {
    return hasCurrent() && !Money::parse(text(C::Amount)).value_or(Money()).isZero();
}

RepayCheck LoanModel::repay(const RepayInput& in) {
    if (!hasCurrent()) {
        return RepayCheck::nothingToDo();
    }
    const Money outstanding = *Money::parse(text(C::Amount));
    if (in.amount.empty()) {
        return RepayCheck::fail(std::string(kind_.repayAmount) + " 不能为空！", RepayField::Amount);
    }
    const Money::TypedAmount amount = Money::readTyped(
        kind_.repayAmount, in.amount, std::string(kind_.repayAmount) + " 必须是数字！");
    if (!amount) {
        return RepayCheck::fail(amount.refusal, RepayField::Amount);
    }
    if (*amount > outstanding) {
        return RepayCheck::fail(kind_.repayTooMuch, RepayField::Amount);
    }
    if (*amount <= Money()) {
        return RepayCheck::fail(std::string(kind_.repayAmount) + " 不能小于或等于零！",
                                RepayField::Amount);
    }
    if (in.account.empty()) {
        return RepayCheck::fail(kind_.noAccount, RepayField::Account);
    }
    if (in.member.empty()) {
        return RepayCheck::fail("请选择 家庭成员！", RepayField::Member);
    }
    const std::int64_t loan = currentId();
    Transaction t(dm_.db());
    dm_.db().execute(fmt::format("INSERT INTO {}({},RDate,RMoney,AName,FName,Remark,BName) "
                                 "VALUES(?1,?2,?3,?4,?5,?6,?7)",
                                 kind_.repayTable, kind_.keyColumn),
                     loan, in.date, *amount, in.account, in.member, in.remark, dm_.book());
    const std::int64_t id = dm_.db().lastInsertId();
    dm_.db().execute(fmt::format("UPDATE {0} SET {1}={1}-?1, RMoney=RMoney+?1 "
                                 "WHERE ID=?2 AND BName=?3",
                                 record().table, record().moneyColumn),
                     *amount, loan, dm_.book());
    moveMoney(-record().sign, *amount, in.account, in.member, in.date, kind_.repayCaption,
              in.remark, kind_.repayTable, id, LogEvent::Added);
    t.commit();
    saved(loan);
    return RepayCheck::pass();
}

Table LoanModel::repayments() {
    return currentRecordRows(
        fmt::format("SELECT RDate AS \"日期\", RMoney AS \"{}\", AName AS \"账户名称\", "
                    "FName AS \"家庭成员\", Remark AS \"备注\", ID FROM {} WHERE {}=?1 AND "
                    "BName=?2 ORDER BY RDate DESC, ID DESC",
                    kind_.repayAmount, kind_.repayTable, kind_.keyColumn),
        {kind_.repayAmount});
}

void LoanModel::removeRepayment(std::int64_t repaymentId) {
    Statement r = dm_.db().prepare(
        fmt::format("SELECT {}, RMoney, AName, FName FROM {} WHERE ID=?1 AND BName=?2",
                    kind_.keyColumn, kind_.repayTable));
    r.bindAll(repaymentId, dm_.book());
    if (!r.step()) {
        return;
    }
    const std::int64_t loan = r.integer(0);
    const Money amount = r.money(1);
    const std::string account = r.text(2), member = r.text(3);
    Transaction t(dm_.db());
    dm_.db().execute(fmt::format("UPDATE {0} SET {1}={1}+?1, RMoney=RMoney-?1 "
                                 "WHERE ID=?2 AND BName=?3",
                                 record().table, record().moneyColumn),
                     amount, loan, dm_.book());
    // Dated the day the program started, as the log has always dated it.
    moveMoney(record().sign, amount, account, member, dm_.session().StartupDate, kind_.repayCaption,
              kind_.repayDeletedRemark, kind_.repayTable, repaymentId, LogEvent::Deleted);
    dm_.db().execute(fmt::format("DELETE FROM {} WHERE ID=?1 AND BName=?2", kind_.repayTable),
                     repaymentId, dm_.book());
    t.commit();
    refresh();
}

RepayCheck checkAdjustment(bool hasRecord, const RepayInput& in, Money& amount) {
    if (!hasRecord) {
        return RepayCheck::nothingToDo();
    }
    if (in.account.empty()) {
        return RepayCheck::fail("账户名称 不能为空！请选择 账户名称！", RepayField::Account);
    }
    if (in.amount.empty()) {
        return RepayCheck::fail("金额 不能为空！请录入 金额！", RepayField::Amount);
    }
    const Money::TypedAmount m =
        Money::readTyped("金额", in.amount, "金额 必须是数字！请重新录入！");
    if (!m) {
        return RepayCheck::fail(m.refusal, RepayField::Amount);
    }
    if (in.member.empty()) {
        return RepayCheck::fail("家庭成员 不能为空！请选择 家庭成员！", RepayField::Member);
    }
    amount = *m;
    return RepayCheck::pass();
}

RepayCheck LoanModel::adjust(Adjustment how, const RepayInput& in) {
    Money value;
    if (RepayCheck r = checkAdjustment(hasCurrent(), in, value); !r.ok) {
        return r;
    }
    const std::optional<Money> amount = value;
    const std::int64_t loan = currentId();
    const bool up = how == Adjustment::Increase;
    const Money signedAmount = up ? *amount : -*amount;
    Transaction t(dm_.db());
    dm_.db().execute(fmt::format("INSERT INTO {}({},theDate,theMoney,AName,FName,Remark,BName) "
                                 "VALUES(?1,?2,?3,?4,?5,?6,?7)",
                                 kind_.adjustTable, kind_.keyColumn),
                     loan, in.date, signedAmount, in.account, in.member, in.remark, dm_.book());
    const std::int64_t id = dm_.db().lastInsertId();
    dm_.db().execute(fmt::format("UPDATE {0} SET {1}={1}+?1 WHERE ID=?2 AND BName=?3",
                                 record().table, record().moneyColumn),
                     signedAmount, loan, dm_.book());
    // A bigger debt brings money in; a bigger credit takes it out.
    moveMoney(up ? record().sign : -record().sign, *amount, in.account, in.member, in.date,
              up ? kind_.increaseType : kind_.decreaseType, in.remark, kind_.adjustTable, id,
              LogEvent::Added);
    t.commit();
    saved(loan);
    return RepayCheck::pass();
}

Table LoanModel::adjustments() {
    return currentAdjustments(kind_.adjustTable, kind_.keyColumn);
}

}  // namespace fennory
