#include "bookkeeping/record_list.h"

#include "core/field_limits.h"

#include "core/dates.h"

namespace fennory {

std::function<std::string()> currentDate() {
    return [] { return dates::today(); };
}

Condition scopeCondition(ListScope scope, const std::string& dateColumn, const std::string& today) {
    Condition c;
    const std::string month = dates::monthOf(today);
    if (scope == ListScope::ThisMonth) {
        // Every date of the month, as a range the date index can serve: no
        // text of the month sorts below "yyyy-mm" or above "yyyy-mm" + 0xFF.
        c.add(" AND " + dateColumn + ">=? AND " + dateColumn + "<?", month, month + "\xff");
    } else if (scope == ListScope::History) {
        c.add(" AND " + dateColumn + "<?", month + "-01");
    }
    return c;
}

RecordCheck checkRecord(const RecordInput& in, const std::string& emptyName,
                        const std::string& emptyAmount, const std::string& amountLabel) {
    if (!dates::isValid(in.date)) {
        return RecordCheck::fail("日期 不是有效的日期！", RecordField::Date);
    }
    if (in.name.empty()) {
        return RecordCheck::fail(emptyName, RecordField::Name);
    }
    if (in.amount.empty()) {
        return RecordCheck::fail(emptyAmount, RecordField::Amount);
    }
    if (auto tooLarge = Money::typedRangeError(amountLabel, in.amount)) {
        return RecordCheck::fail(*tooLarge, RecordField::Amount);
    }
    if (!Money::parse(in.amount)) {
        return RecordCheck::fail(amountLabel + " 必须是数字！请重新录入！", RecordField::Amount);
    }
    if (in.account.empty()) {
        return RecordCheck::fail("请选择 账户名称！", RecordField::Account);
    }
    if (in.member.empty()) {
        return RecordCheck::fail("请选择 家庭成员！", RecordField::Member);
    }
    return RecordCheck::pass();
}

RecordCheck checkNewAccount(TfrmDM& dm, const RecordInput& in) {
    if (auto q = dm.newAccountQuestion(in.account, in.agreedAccounts)) {
        return RecordCheck::confirm(*q, RecordField::Account, in.account);
    }
    return RecordCheck::pass();
}

RecordInput withStoredNames(TfrmDM& dm, RecordInput in, const char* nameTable,
                            const char* nameColumn) {
    dm.mySaveNew(nameTable, nameColumn, in.name);
    dm.NewFamily(in.member);
    dm.NewAccount(in.account, in.member);
    in.name = dm.storedName(nameTable, nameColumn, in.name);
    in.member = dm.storedName("SFamily", "FName", in.member);
    in.account = dm.storedName("SAccount", "AName", in.account);
    return in;
}

std::string oneMonthBefore(const std::string& date) {
    return dates::oneMonthBack(date);
}

namespace {

using I = CriterionInput;
const CriterionDef kMember{Criterion::Member, "家庭成员",         I::EditableList,
                           "FName",           &TfrmDM::ComFamily, "SFamily"};
// A remark longer than any remark can be finds nothing and must not be typed.
const CriterionDef kRemark{.id = Criterion::Remark,
                           .caption = "备        注",
                           .input = I::Text,
                           .column = "Remark",
                           .maxBytes = limits::kRemark};

}  // namespace

FilterForm recordFilterForm(RecordType type) {
    const RecordTypeDef& t = recordType(type);
    return {t.filterCaption,
            {{Criterion::Date, t.dateCaption, I::Dates, t.dateColumn},
             {.id = Criterion::Name,
              .caption = t.nameCaption,
              .input = I::EditableList,
              .column = t.nameColumn,
              .names = t.nameList,
              .typeAheadTable = t.names.table.data(),
              .typeAheadColumn = t.names.column.data()},
             {Criterion::Account, "账户名称", I::EditableList, "AName", &TfrmDM::ComAccount,
              "SAccount"},
             kMember,
             kRemark}};
}

FilterForm transferFilterForm() {
    return {"帐户转账查询", {{Criterion::Date, "转账日期", I::Dates, "CDate"}, kMember, kRemark}};
}

std::string recordOrder(int theJZPX, const std::string& dateColumn) {
    switch (theJZPX) {
        case 1:
            return " ORDER BY ID";
        case 2:
            return " ORDER BY " + dateColumn + ", ID";
        case 3:
            return " ORDER BY ID DESC";
        case 4:
            return " ORDER BY " + dateColumn + " DESC, ID DESC";
        default:
            return "";
    }
}

}  // namespace fennory
