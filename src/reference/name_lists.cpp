#include "reference/name_lists.h"

#include <fmt/format.h>

#include "core/pinyin.h"

namespace fennory {

const NameListKind& incomeKinds() {
    static const NameListKind s{.screen = "TfrmIn_Manage",
                                .caption = "收入类别",
                                .table = "InD",
                                .column = "IName",
                                .group = "收入类别信息",
                                .label = "收入类别：",
                                .names = NameKind::IncomeKind};
    return s;
}

const NameListKind& expenseKinds() {
    static const NameListKind s{.screen = "TfrmOut_Manage",
                                .caption = "支出类别",
                                .table = "OutD",
                                .column = "OName",
                                .group = "支出类别信息",
                                .label = "支出类别：",
                                .names = NameKind::ExpenseKind};
    return s;
}

const NameListKind& investmentKinds() {
    static const NameListKind s{.screen = "TfrmT_Manage",
                                .caption = "投资类别",
                                .table = "TD",
                                .column = "TName",
                                .group = "投资类别信息",
                                .label = "投资类别：",
                                .names = NameKind::InvestmentKind,
                                .reloadAfterEdit = true};
    return s;
}

const NameListKind& contactsList() {
    static const NameListKind s{.screen = "TfrmP_Manage",
                                .caption = "往来人员",
                                .table = "PD",
                                .column = "PName",
                                .group = "往来人员信息",
                                .label = "往来人员：",
                                .names = NameKind::Contact,
                                .countWrittenAsZero = true,
                                .titleSort = true};
    return s;
}

NameListModel::NameListModel(TfrmDM& dm, const NameListKind& kind)
    : ScreenModel(std::span<const ColumnDef>{}, NameListColumn::Id), dm_(dm), kind_(kind) {
    using C = NameListColumn;
    columns_ = {{C::Name, kind_.column.c_str(), kind_.caption.c_str()},
                {C::Pinyin, "thePY", "拼音码"},
                {C::Book, "BName", "账簿名称", false, true},
                {C::Remark, "Remark", "备注"},
                {C::State, "theState", "状态"},
                {C::Id, "ID", "ID", false, true},
                {C::Count, "theCount", "记账次数"}};
    setHidden(hiddenColumns(columns_));
}

Table NameListModel::load() {
    Statement s = dm_.db().prepare(
        fmt::format("SELECT {} FROM {} WHERE BName=?1{}", selectList(columns_), kind_.table,
                    TfrmDM::orderClause(dm_.session().OpenBookState.thePX, kind_.column, true)));
    s.bind(1, dm_.book());
    return loadColumns(std::move(s), columns_);
}

NameListCheck NameListModel::save(const std::string& name, const std::string& remark) {
    std::int64_t id = currentId();
    NameListCheck r = mode() == RecordMode::Change
                          ? edit(id, oldText(NameListColumn::Name), name, remark)
                          : add(name, remark, &id);
    if (r.ok) {
        saved(id);
    }
    return r;
}

bool NameListModel::exists(const std::string& name, std::int64_t exceptId) const {
    return dm_.db()
               .queryInt(fmt::format("SELECT count(*) FROM {} WHERE {}=?1 AND BName=?2 AND ID<>?3",
                                     kind_.table, kind_.column),
                         name, dm_.book(), exceptId)
               .value_or(0) > 0;
}

NameListCheck NameListModel::add(const std::string& name, const std::string& remark,
                                 std::int64_t* newId) {
    if (name.empty()) {
        return NameListCheck::fail(kind_.emptyMessage(), NameListField::Name);
    }
    if (exists(name, 0)) {
        return NameListCheck::fail(kind_.duplicateMessage(), NameListField::Name);
    }
    dm_.db().execute(fmt::format("INSERT INTO {}({},thePY,BName,Remark,theState,theCount) "
                                 "VALUES(?1,?2,?3,?4,'启用',0)",
                                 kind_.table, kind_.column),
                     name, PinyinCode(name), dm_.book(), remark);
    if (newId) {
        *newId = dm_.db().lastInsertId();
    }
    return NameListCheck::pass();
}

NameListCheck NameListModel::edit(std::int64_t id, const std::string& oldName,
                                  const std::string& name, const std::string& remark) {
    if (name.empty()) {
        return NameListCheck::fail(kind_.emptyMessage(), NameListField::Name);
    }
    if (name != oldName && exists(name, id)) {
        return NameListCheck::fail(kind_.duplicateMessage(), NameListField::Name);
    }
    Transaction t(dm_.db());
    carryRename(dm_, kind_.names, oldName, name);
    // The code follows the name on every edit, replacing one edited by hand.
    dm_.db().execute(
        fmt::format("UPDATE {} SET {}=?1, thePY=?2, Remark=?3 WHERE ID=?4 AND BName=?5",
                    kind_.table, kind_.column),
        name, PinyinCode(name), remark, id, dm_.book());
    t.commit();
    return NameListCheck::pass();
}

void NameListModel::remove(std::int64_t id) {
    dm_.db().execute(fmt::format("DELETE FROM {} WHERE ID=?1 AND BName=?2", kind_.table), id,
                     dm_.book());
    refresh();
}

void NameListModel::setState(std::int64_t id, const std::string& state) {
    dm_.myState(kind_.table, state, id);
    refresh();
}

NameRow NameListModel::currentNameRow() const {
    return {kind_.table, currentId(), text(NameListColumn::Name), text(NameListColumn::Pinyin),
            text(NameListColumn::Count)};
}

}  // namespace fennory
