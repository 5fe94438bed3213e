#include "bookkeeping/entries.h"

#include "core/dates.h"

namespace fennory {
namespace {

using C = EntryColumn;

}  // namespace

const EntryKind& incomeEntry() {
    static const EntryKind k{.type = RecordType::Income,
                             .caption = "收入",
                             .dateLabel = "收入日期：",
                             .nameLabel = "收入类别：",
                             .emptyName = "请选择 收入类别！",
                             .emptyAmountNew = "金额不能为空！请重新录入！",
                             .emptyAmountChange = "金额不能为空！请重新录入！",
                             .defaultName = &BookState::IName,
                             .monthOnly = &BookState::D_I};
    return k;
}

const EntryKind& expenseEntry() {
    static const EntryKind k{.type = RecordType::Expense,
                             .caption = "支出",
                             .dateLabel = "支出日期：",
                             .nameLabel = "支出类别：",
                             .emptyName = "请选择 支出类别！",
                             .emptyAmountNew = "金额不能为空！请重新录入！",
                             .emptyAmountChange = "金额 不能为空！请重新录入！",
                             .defaultName = &BookState::OName,
                             .monthOnly = &BookState::D_O};
    return k;
}

namespace {

std::vector<ColumnDef> entryColumns(const EntryKind& kind) {
    const RecordTypeDef& k = recordType(kind.type);
    return {{C::Id, "ID", "ID", false, true},         {C::Book, "BName", "账簿名称", false, true},
            {C::Date, k.dateColumn, "日期"},          {C::Name, k.nameColumn, k.nameCaption},
            {C::Amount, k.moneyColumn, "金额", true}, {C::Account, "AName", "账户名称"},
            {C::Member, "FName", "家庭成员"},         {C::Remark, "Remark", "备注"}};
}

}  // namespace

EntryModel::EntryModel(TfrmDM& dm, const EntryKind& kind, std::function<std::string()> today)
    : BookedRecordModel(
          dm, kind.type, {C::Date, C::Name, C::Amount, C::Account, C::Member, C::Remark},
          entryColumns(kind), C::Id,
          scopeCondition(
              dm.session().OpenBookState.*kind.monthOnly ? ListScope::ThisMonth : ListScope::All,
              recordType(kind.type).dateColumn, today()),
          today),
      kind_(kind),
      lastDate_(today_()) {}

EntryInput EntryModel::startNewRecord() {
    startNew();
    const BookState& b = dm_.session().OpenBookState;
    return {lastDate_, b.*kind_.defaultName, "", b.AName, b.FName, ""};
}

EntryCheck EntryModel::check(const EntryInput& in) const {
    return checkRecord(
        in, kind_.emptyName,
        mode() == RecordMode::Change ? kind_.emptyAmountChange : kind_.emptyAmountNew, "金额");
}

EntryCheck EntryModel::save(const EntryInput& typed) {
    EntryCheck r = saveRecord(typed, check(typed));
    if (r.ok) {
        lastDate_ = typed.date;
    }
    return r;
}

}  // namespace fennory
