#include "reference/name_lists.h"

#include <fmt/format.h>

#include "core/pinyin.h"

namespace fennory {

const NameListKind& incomeKinds() {
    static const NameListKind s{"TfrmIn_Manage",
                                "收入类别",
                                "InD",
                                "IName",
                                "收入类别信息",
                                "收入类别：",
                                {{"InTable", "IName"}, {"UPlan", "PName"}},
                                false,
                                false,
                                false};
    return s;
}

const NameListKind& expenseKinds() {
    static const NameListKind s{"TfrmOut_Manage",
                                "支出类别",
                                "OutD",
                                "OName",
                                "支出类别信息",
                                "支出类别：",
                                {{"OutTable", "OName"}, {"UPlan", "PName"}},
                                false,
                                false,
                                false};
    return s;
}

const NameListKind& investmentKinds() {
    static const NameListKind s{"TfrmT_Manage",
                                "投资类别",
                                "TD",
                                "TName",
                                "投资类别信息",
                                "投资类别：",
                                {{"TTable", "TName"}, {"UPlan", "PName"}},
                                true,
                                false,
                                false};
    return s;
}

const NameListKind& contactsList() {
    static const NameListKind s{"TfrmP_Manage",
                                "往来人员",
                                "PD",
                                "PName",
                                "往来人员信息",
                                "往来人员：",
                                {{"Debt", "DPro"}, {"Borrow", "BPro"}},
                                false,
                                true,
                                true};
    return s;
}

Table NameListModel::list() {
    Statement s = dm_.db().prepare(
        fmt::format("SELECT {0} AS {1}, thePY AS 拼音码, BName AS 帐薄名称, Remark AS 备注, "
                    "theState AS 状态, ID, theCount AS 记账次数 FROM {2} WHERE BName=?1{3}",
                    kind_.column, kind_.caption, kind_.table,
                    TfrmDM::orderClause(dm_.session().OpenBookState.thePX, kind_.column, true)));
    s.bind(1, dm_.book());
    return Table::load(std::move(s));
}

bool NameListModel::exists(const std::string& name, std::int64_t exceptId) const {
    return dm_.db()
               .queryInt(fmt::format("SELECT count(*) FROM {} WHERE {}=?1 AND BName=?2 AND ID<>?3",
                                     kind_.table, kind_.column),
                         name, dm_.book(), exceptId)
               .value_or(0) > 0;
}

CheckResult NameListModel::add(const std::string& name, const std::string& remark) {
    if (name.empty()) {
        return CheckResult::fail(kind_.emptyMessage(), "name");
    }
    if (exists(name, 0)) {
        return CheckResult::fail(kind_.duplicateMessage(), "name");
    }
    dm_.db().execute(fmt::format("INSERT INTO {}({},thePY,BName,Remark,theState,theCount) "
                                 "VALUES(?1,?2,?3,?4,'启用',0)",
                                 kind_.table, kind_.column),
                     name, PinyinCode(name), dm_.book(), remark);
    return CheckResult::pass();
}

CheckResult NameListModel::edit(std::int64_t id, const std::string& oldName,
                                const std::string& name, const std::string& remark) {
    if (name.empty()) {
        return CheckResult::fail(kind_.emptyMessage(), "name");
    }
    if (name != oldName && exists(name, id)) {
        return CheckResult::fail(kind_.duplicateMessage(), "name");
    }
    Transaction t(dm_.db());
    if (name != oldName) {
        for (const auto& [table, column] : kind_.renameInto) {
            dm_.db().execute(
                fmt::format("UPDATE {0} SET {1}=?1 WHERE {1}=?2 AND BName=?3", table, column), name,
                oldName, dm_.book());
        }
    }
    // The code follows the name on every edit, replacing one edited by hand.
    dm_.db().execute(
        fmt::format("UPDATE {} SET {}=?1, thePY=?2, Remark=?3 WHERE ID=?4 AND BName=?5",
                    kind_.table, kind_.column),
        name, PinyinCode(name), remark, id, dm_.book());
    t.commit();
    return CheckResult::pass();
}

void NameListModel::remove(std::int64_t id) {
    dm_.db().execute(fmt::format("DELETE FROM {} WHERE ID=?1 AND BName=?2", kind_.table), id,
                     dm_.book());
}

void NameListModel::setState(std::int64_t id, const std::string& state) {
    dm_.myState(kind_.table, state, id);
}

}  // namespace fennory
