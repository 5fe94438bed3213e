#include "core/record_types.h"

#include <fmt/format.h>

#include "core/dates.h"

namespace fennory {

const RecordTypeDef& recordType(RecordType type) {
    static const RecordTypeDef kTypes[] = {
        {.type = RecordType::Income,
         .caption = "收入",
         .table = "InTable",
         .dateColumn = "IDate",
         .nameColumn = "IName",
         .moneyColumn = "IMoney",
         .names = kIncomeKinds,
         .sign = +1,
         .countsUses = true,
         .logsCaption = false,
         .hasRepaid = false,
         .nameList = &TfrmDM::ComInType,
         .filterCaption = "收入查询",
         .dateCaption = "收入日期",
         .nameCaption = "收入类别"},
        {.type = RecordType::Expense,
         .caption = "支出",
         .table = "OutTable",
         .dateColumn = "ODate",
         .nameColumn = "OName",
         .moneyColumn = "OMoney",
         .names = kExpenseKinds,
         .sign = -1,
         .countsUses = true,
         .logsCaption = false,
         .hasRepaid = false,
         .nameList = &TfrmDM::ComOutType,
         .filterCaption = "支出查询",
         .dateCaption = "支出日期",
         .nameCaption = "支出类别"},
        {.type = RecordType::Debt,
         .caption = "债务",
         .table = "Borrow",
         .dateColumn = "BDate",
         .nameColumn = "BPro",
         .moneyColumn = "BMoney",
         .names = kContacts,
         .sign = +1,
         .countsUses = false,
         .logsCaption = true,
         .hasRepaid = true,
         .nameList = &TfrmDM::ComPType,
         .filterCaption = "债务查询",
         .dateCaption = "借债日期",
         .nameCaption = "债  权  人"},
        {.type = RecordType::Credit,
         .caption = "债权",
         .table = "Debt",
         .dateColumn = "DDate",
         .nameColumn = "DPro",
         .moneyColumn = "DMoney",
         .names = kContacts,
         .sign = -1,
         .countsUses = false,
         .logsCaption = true,
         .hasRepaid = true,
         .nameList = &TfrmDM::ComPType,
         .filterCaption = "债权查询",
         .dateCaption = "借债日期",
         .nameCaption = "债  务  人"},
        {.type = RecordType::Investment,
         .caption = "投资",
         .table = "TTable",
         .dateColumn = "TDate",
         .nameColumn = "TName",
         .moneyColumn = "TMoney",
         .names = kInvestmentKinds,
         .sign = -1,
         .countsUses = true,
         .logsCaption = false,
         .hasRepaid = true,
         .nameList = &TfrmDM::ComTZType,
         .filterCaption = "投资查询",
         .dateCaption = "投资日期",
         .nameCaption = "投资类别"},
    };
    return kTypes[static_cast<int>(type)];
}

std::optional<std::string> recordRefusal(const BookedRecord& r) {
    if (!dates::isValid(r.date)) {
        return fmt::format("日期“{}”不是有效的日期", r.date);
    }
    if (r.name.empty() || r.account.empty() || r.member.empty()) {
        return std::string("类别、账户和家庭成员都不能为空");
    }
    if (!r.amount.withinTyped()) {
        return fmt::format("金额 {} 超出范围，金额的绝对值不能大于 9,999,999,999.99",
                           r.amount.toDisplay());
    }
    if (!r.amount.isWholeFen()) {
        return fmt::format("金额 {} 最多两位小数", r.amount.toPlain());
    }
    return std::nullopt;
}

RecordBooker::RecordBooker(TfrmDM& dm, RecordType type) : dm_(dm), type_(recordType(type)) {}

void bookMoneyMove(TfrmDM& dm, const MoneyMove& m) {
    if (m.into > 0) {
        dm.AccountUp(m.amount, m.account);
    } else {
        dm.AccountDown(m.amount, m.account);
    }
    dm.List_Add({.theDate = m.date,
                 .theType = m.type,
                 .Remark = m.remark,
                 .theIn = m.into > 0 ? m.amount : Money(),
                 .theOut = m.into > 0 ? Money() : m.amount,
                 .AName = m.account,
                 .FName = m.member,
                 .theT = m.table,
                 .theID = m.id,
                 .theE = m.event});
}

void RecordBooker::move(int direction, std::int64_t id, const BookedRecord& r, LogEvent event) {
    bookMoneyMove(dm_, {.into = type_.sign * direction,
                        .amount = r.amount,
                        .account = r.account,
                        .member = r.member,
                        .date = r.date,
                        .type = type_.logsCaption ? std::string(type_.caption) : r.name,
                        .remark = r.remark,
                        .table = type_.table,
                        .id = id,
                        .event = event});
}

std::int64_t RecordBooker::book(const BookedRecord& r, LogEvent event, bool countUses) {
    if (auto refused = recordRefusal(r)) {
        throw RecordRefused(*refused + "，没有记账。");
    }
    if (type_.countsUses && countUses) {
        dm_.myCountUp(type_.names.table, type_.names.column, r.name);
        dm_.myCountUp("SAccount", "AName", r.account);
    }
    dm_.db().execute(fmt::format("INSERT INTO {}(BName,{},{},{},AName,FName,Remark{}) "
                                 "VALUES(?1,?2,?3,?4,?5,?6,?7{})",
                                 type_.table, type_.dateColumn, type_.nameColumn, type_.moneyColumn,
                                 type_.hasRepaid ? ",RMoney" : "", type_.hasRepaid ? ",0" : ""),
                     dm_.book(), r.date, r.name, r.amount, r.account, r.member, r.remark);
    const std::int64_t id = dm_.db().lastInsertId();
    move(+1, id, r, event);
    return id;
}

void RecordBooker::change(std::int64_t id, const BookedRecord& old, const BookedRecord& now) {
    if (auto refused = recordRefusal(now)) {
        throw RecordRefused(*refused + "，没有修改。");
    }
    move(-1, id, old, LogEvent::Restored);
    dm_.db().execute(
        fmt::format("UPDATE {} SET {}=?1, {}=?2, {}=?3, AName=?4, FName=?5, "
                    "Remark=?6 WHERE ID=?7 AND BName=?8",
                    type_.table, type_.dateColumn, type_.nameColumn, type_.moneyColumn),
        now.date, now.name, now.amount, now.account, now.member, now.remark, id, dm_.book());
    move(+1, id, now, LogEvent::Changed);
}

void RecordBooker::takeBack(std::int64_t id, const BookedRecord& r, LogEvent event) {
    move(-1, id, r, event);
}

}  // namespace fennory
