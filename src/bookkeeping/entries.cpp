#include "bookkeeping/entries.h"

#include <fmt/format.h>

#include "core/dates.h"

namespace fennory {
namespace {

using C = EntryColumn;

}  // namespace

const EntryKind& incomeEntry() {
    static const EntryKind k{.caption = "收入",
                             .table = "InTable",
                             .dateColumn = "IDate",
                             .nameColumn = "IName",
                             .moneyColumn = "IMoney",
                             .nameTable = "InD",
                             .dateLabel = "收入日期：",
                             .nameLabel = "收入类别：",
                             .emptyName = "请选择 收入类别！",
                             .emptyAmountNew = "金额不能为空！请重新录入！",
                             .emptyAmountChange = "金额不能为空！请重新录入！",
                             .filterCaption = "收入查询",
                             .dateTick = "收入日期",
                             .nameTick = "收入类别",
                             .sign = +1,
                             .defaultName = &BookState::IName,
                             .monthOnly = &BookState::D_I,
                             .names = &TfrmDM::ComInType};
    return k;
}

const EntryKind& expenseEntry() {
    static const EntryKind k{.caption = "支出",
                             .table = "OutTable",
                             .dateColumn = "ODate",
                             .nameColumn = "OName",
                             .moneyColumn = "OMoney",
                             .nameTable = "OutD",
                             .dateLabel = "支出日期：",
                             .nameLabel = "支出类别：",
                             .emptyName = "请选择 支出类别！",
                             .emptyAmountNew = "金额不能为空！请重新录入！",
                             .emptyAmountChange = "金额 不能为空！请重新录入！",
                             .filterCaption = "支出查询",
                             .dateTick = "支出日期",
                             .nameTick = "支出类别",
                             .sign = -1,
                             .defaultName = &BookState::OName,
                             .monthOnly = &BookState::D_O,
                             .names = &TfrmDM::ComOutType};
    return k;
}

namespace {

std::vector<ColumnDef> entryColumns(const EntryKind& k) {
    return {{C::Id, "ID", "ID", false, true},         {C::Book, "BName", "账簿名称", false, true},
            {C::Date, k.dateColumn, "日期"},          {C::Name, k.nameColumn, k.nameTick},
            {C::Amount, k.moneyColumn, "金额", true}, {C::Account, "AName", "账户名称"},
            {C::Member, "FName", "家庭成员"},         {C::Remark, "Remark", "备注"}};
}

}  // namespace

EntryModel::EntryModel(TfrmDM& dm, const EntryKind& kind, std::function<std::string()> today)
    : RecordListModel(
          dm, entryColumns(kind), C::Id, C::Amount, kind.table, kind.dateColumn, kind.nameColumn,
          scopeCondition(
              dm.session().OpenBookState.*kind.monthOnly ? ListScope::ThisMonth : ListScope::All,
              kind.dateColumn, today()),
          today),
      kind_(kind),
      lastDate_(today_()) {}

EntryInput EntryModel::startNewRecord() {
    startNew();
    const BookState& b = dm_.session().OpenBookState;
    return {lastDate_, b.*kind_.defaultName, "", b.AName, b.FName, ""};
}

std::optional<EntryInput> EntryModel::startChangeRecord() {
    if (!startChange()) {
        return std::nullopt;
    }
    return rowInput(static_cast<std::size_t>(currentIndex()));
}

EntryInput EntryModel::currentInput() const {
    return hasCurrent() ? rowInput(static_cast<std::size_t>(currentIndex())) : EntryInput{};
}

EntryInput EntryModel::rowInput(std::size_t row) const {
    const Table& t = rows();
    return {cellText(t, row, C::Date),    cellText(t, row, C::Name),   cellText(t, row, C::Amount),
            cellText(t, row, C::Account), cellText(t, row, C::Member), cellText(t, row, C::Remark)};
}

EntryCheck EntryModel::check(const EntryInput& in) const {
    return checkRecord(
        in, kind_.emptyName,
        mode() == RecordMode::Change ? kind_.emptyAmountChange : kind_.emptyAmountNew, "金额");
}

void EntryModel::book(int direction, const EntryInput& e, Money amount, std::int64_t id,
                      const char* event) {
    moveMoney(kind_.sign * direction, amount, e.account, e.member, e.date, e.name, e.remark,
              kind_.table, id, event);
}

EntryCheck EntryModel::save(const EntryInput& typed) {
    if (EntryCheck r = check(typed); !r.ok) {
        return r;
    }
    if (RecordCheck r = checkNewAccount(dm_, typed); !r.ok) {
        return r;
    }
    const Money amount = *Money::parse(typed.amount);
    Transaction t(dm_.db());
    const EntryInput e = withStoredNames(dm_, typed, kind_.nameTable, kind_.nameColumn);
    std::int64_t id = currentId();
    if (mode() == RecordMode::Change) {
        const EntryInput old = rowInput(static_cast<std::size_t>(currentIndex()));
        book(-1, old, *Money::parse(old.amount), id, "恢复");
        dm_.db().execute(
            fmt::format("UPDATE {} SET {}=?1, {}=?2, {}=?3, AName=?4, FName=?5, Remark=?6 "
                        "WHERE ID=?7 AND BName=?8",
                        kind_.table, kind_.dateColumn, kind_.nameColumn, kind_.moneyColumn),
            e.date, e.name, amount, e.account, e.member, e.remark, id, dm_.book());
        book(+1, e, amount, id, "修改");
    } else {
        dm_.myCountUp(kind_.nameTable, kind_.nameColumn, e.name);
        dm_.myCountUp("SAccount", "AName", e.account);
        dm_.db().execute(
            fmt::format("INSERT INTO {}(BName,{},{},{},AName,FName,Remark) "
                        "VALUES(?1,?2,?3,?4,?5,?6,?7)",
                        kind_.table, kind_.dateColumn, kind_.nameColumn, kind_.moneyColumn),
            dm_.book(), e.date, e.name, amount, e.account, e.member, e.remark);
        id = dm_.db().lastInsertId();
        book(+1, e, amount, id, "新增");
    }
    t.commit();
    lastDate_ = e.date;
    saved(id);
    return EntryCheck::pass();
}

void EntryModel::takeBack(std::size_t row, std::int64_t id) {
    const EntryInput e = rowInput(row);
    book(-1, e, *Money::parse(e.amount), id, "删除");
}

}  // namespace fennory
