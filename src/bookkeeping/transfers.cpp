#include "bookkeeping/transfers.h"

#include "core/dates.h"
#include "core/names.h"

namespace fennory {
namespace {

using C = TransferColumn;

std::vector<ColumnDef> transferColumns() {
    return {{C::Id, "ID", "ID", false, true}, {C::Book, "BName", "账簿名称", false, true},
            {C::Date, "CDate", "转账日期"},   {C::From, "OldN", "原账户"},
            {C::To, "NewN", "到账账户"},      {C::Amount, "CMoney", "金额", true},
            {C::Member, "FName", "家庭成员"}, {C::Remark, "Remark", "备注"}};
}

}  // namespace

TransferModel::TransferModel(TfrmDM& dm, std::function<std::string()> today)
    : RecordListModel(
          dm, transferColumns(), C::Id, C::Amount, "ChangeT", "CDate", transferFilterForm(),
          scopeCondition(dm.session().OpenBookState.D_C ? ListScope::ThisMonth : ListScope::All,
                         "CDate", today()),
          today) {}

std::string TransferModel::startNewTransfer() {
    startNew();
    return dm_.session().OpenBookState.FName;
}

std::optional<TransferInput> TransferModel::startChangeTransfer() {
    if (!startChange()) {
        return std::nullopt;
    }
    return rowInput(static_cast<std::size_t>(currentIndex()));
}

TransferInput TransferModel::rowInput(std::size_t row) const {
    const Table& t = rows();
    return {cellText(t, row, C::Date),   cellText(t, row, C::From),   cellText(t, row, C::To),
            cellText(t, row, C::Amount), cellText(t, row, C::Member), cellText(t, row, C::Remark)};
}

void TransferModel::book(int direction, const TransferInput& t, Money amount, std::int64_t id,
                         LogEvent event) {
    // The from account gives the money (gets it back when taken back).
    const bool forward = direction > 0;
    auto side = [&](const std::string& account, bool receives) {
        moveMoney(receives ? +1 : -1, amount, account, t.member, t.date, "转账", t.remark,
                  "ChangeT", id, event);
    };
    side(t.from, !forward);
    side(t.to, forward);
}

TransferCheck TransferModel::save(const TransferInput& typed) {
    if (!dates::isValid(typed.date)) {
        return TransferCheck::fail("日期 不是有效的日期！", TransferField::Date);
    }
    if (typed.from.empty()) {
        return TransferCheck::fail("请选择 原账户！", TransferField::From);
    }
    if (typed.to.empty()) {
        return TransferCheck::fail("请选择 到账账户！", TransferField::To);
    }
    if (sameName(typed.from, typed.to)) {
        return TransferCheck::fail("到账账户 不能与 原账户 一样！请重新选择！", TransferField::To);
    }
    if (typed.amount.empty()) {
        return TransferCheck::fail("金额 不能为空！请重新录入！", TransferField::Amount);
    }
    const Money::TypedAmount amount =
        Money::readTyped("金额", typed.amount, "金额 必须是数字！请重新录入！");
    if (!amount) {
        return TransferCheck::fail(amount.refusal, TransferField::Amount);
    }
    if (typed.member.empty()) {
        return TransferCheck::fail("请选择 家庭成员！", TransferField::Member);
    }
    for (auto [account, field] :
         {std::pair{&typed.from, TransferField::From}, std::pair{&typed.to, TransferField::To}}) {
        if (auto q = dm_.newAccountQuestion(*account, typed.agreedAccounts)) {
            return TransferCheck::confirm(*q, field, *account);
        }
    }
    Transaction tr(dm_.db());
    TransferInput t = typed;
    dm_.NewFamily(t.member);
    dm_.NewAccount(t.to, t.member);
    dm_.NewAccount(t.from, t.member);
    t.member = dm_.storedName("SFamily", "FName", t.member);
    t.to = dm_.storedName("SAccount", "AName", t.to);
    t.from = dm_.storedName("SAccount", "AName", t.from);
    std::int64_t id = currentId();
    if (mode() == RecordMode::Change) {
        const TransferInput old = rowInput(static_cast<std::size_t>(currentIndex()));
        book(-1, old, *Money::parse(old.amount), id, LogEvent::Restored);
        dm_.db().execute(
            "UPDATE ChangeT SET CDate=?1, OldN=?2, NewN=?3, CMoney=?4, FName=?5, Remark=?6 "
            "WHERE ID=?7 AND BName=?8",
            t.date, t.from, t.to, *amount, t.member, t.remark, id, dm_.book());
        book(+1, t, *amount, id, LogEvent::Changed);
    } else {
        t.remark += " " + t.from + "->" + t.to;
        dm_.db().execute(
            "INSERT INTO ChangeT(BName,CDate,OldN,NewN,CMoney,FName,Remark) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7)",
            dm_.book(), t.date, t.from, t.to, *amount, t.member, t.remark);
        id = dm_.db().lastInsertId();
        book(+1, t, *amount, id, LogEvent::Added);
    }
    tr.commit();
    saved(id);
    return TransferCheck::pass();
}

void TransferModel::takeBack(std::size_t row, std::int64_t id) {
    const TransferInput t = rowInput(row);
    book(-1, t, *Money::parse(t.amount), id, LogEvent::Deleted);
}

}  // namespace fennory
