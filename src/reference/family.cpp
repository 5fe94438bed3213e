#include "reference/family.h"

#include <fmt/format.h>

#include "core/pinyin.h"

namespace fennory {

const std::vector<std::string>& memberNameTables() {
    static const std::vector<std::string> tables = {
        "BList", "Borrow", "BorrowR", "Debt",    "DebtR", "DList", "InTable", "OutTable",
        "SMRX",  "TList",  "TTable",  "TTableR", "UList", "UPlan", "ChangeT"};
    return tables;
}

CheckResult FamilyModel::change(std::int64_t id, const std::string& oldName,
                                const MemberInput& in) {
    if (in.name.empty()) {
        return CheckResult::fail("姓名不能为空！请重新录入！", "FName");
    }
    if (in.name != oldName &&
        dm_.db().queryInt("SELECT count(*) FROM SFamily WHERE FName=?1 AND BName=?2 AND ID<>?3",
                          in.name, dm_.book(), id)
                .value_or(0) > 0) {
        return CheckResult::fail("姓名添加重复！", "FName");
    }
    Transaction t(dm_.db());
    if (in.name != oldName) {
        for (const std::string& table : memberNameTables()) {
            dm_.db().execute(
                fmt::format("UPDATE {} SET FName=?1 WHERE FName=?2 AND BName=?3", table), in.name,
                oldName, dm_.book());
        }
    }
    dm_.db().execute(
        "UPDATE SFamily SET FName=?1, thePY=?2, theGX=?3, BirDate=?4, Remark=?5 "
        "WHERE ID=?6 AND BName=?7",
        in.name, PinyinCode(in.name), in.relation, in.birthday, in.remark, id, dm_.book());
    t.commit();
    return CheckResult::pass();
}

}  // namespace fennory
