#include "plans/thresholds.h"

#include <fmt/format.h>

#include "core/text.h"

namespace fennory {
namespace {

using C = ThresholdColumn;

constexpr ColumnDef kColumns[] = {
    {C::Kind, "theType", "提醒类别"},
    {C::Member, "FName", "家庭成员"},
    {C::Amount, "WMoney", "提醒金额", true},
    {C::Text, "Remark", "提醒提示"},
    {C::Book, "BName", "账簿名称", false, true},
    {C::State, "theState", "状态"},
    {C::Id, "ID", "ID", false, true},
};
static_assert(columnsInOrder(kColumns));

// The amount as typed: checked for emptiness first, then as a number.
ThresholdCheck readAmount(const std::string& typed, Money& out) {
    if (typed.empty()) {
        return ThresholdCheck::fail("提醒金额 不能为空！请重新录入！", ThresholdField::Amount);
    }
    const Money::TypedAmount m =
        Money::readTyped("提醒金额", typed, "提醒金额 必须是数字！请重新录入！");
    if (!m) {
        return ThresholdCheck::fail(m.refusal, ThresholdField::Amount);
    }
    out = *m;
    return ThresholdCheck::pass();
}

}  // namespace

const std::vector<const ThresholdKind*>& thresholdKinds() {
    static const std::vector<const ThresholdKind*> kinds = {
        &recordType(RecordType::Income), &recordType(RecordType::Expense),
        &recordType(RecordType::Debt), &recordType(RecordType::Credit),
        &recordType(RecordType::Investment)};
    return kinds;
}

const ThresholdKind& thresholdKind(const std::string& caption) {
    for (const ThresholdKind* k : thresholdKinds()) {
        if (caption == k->caption) {
            return *k;
        }
    }
    throw std::invalid_argument("not a threshold kind: " + caption);
}

std::vector<Reminder> myTX(TfrmDM& dm, const ThresholdKind& kind, const std::string& month) {
    Statement s = dm.db().prepare(
        "SELECT FName, WMoney, Remark FROM UWarn WHERE BName=?1 AND theType=?2 AND "
        "theState='启用' ORDER BY ID");
    s.bindAll(dm.book(), kind.caption);
    std::vector<Reminder> out;
    while (s.step()) {
        const std::string member = trimmed(s.text(0));
        const Money threshold = s.money(1);
        const Money sum =
            dm.myRetMMoney(kind.table, member, kind.dateColumn, kind.moneyColumn, month);
        if (sum < threshold) {
            continue;
        }
        out.push_back({fmt::format("{} {} {} 提醒", member, month, kind.caption), member + "：",
                       fmt::format("每月提醒金额：{}，本月记账金额：{}。", threshold.toDisplay(),
                                   sum.toDisplay()),
                       trimmed(s.text(2))});
    }
    return out;
}

ThresholdsModel::ThresholdsModel(TfrmDM& dm) : ScreenModel(kColumns, C::Id), dm_(dm) {}

Table ThresholdsModel::load() {
    Statement s = dm_.db().prepare("SELECT " + selectList(kColumns) +
                                   " FROM UWarn WHERE BName=?1 ORDER BY theType, FName");
    s.bind(1, dm_.book());
    return loadColumns(std::move(s), kColumns);
}

ThresholdCheck ThresholdsModel::save(const ThresholdInput& in) {
    if (in.member.empty()) {
        return ThresholdCheck::fail("请选择 家庭成员！", ThresholdField::Member);
    }
    Money amount;
    if (ThresholdCheck r = readAmount(in.amount, amount); !r.ok) {
        return r;
    }
    const std::string text = trimmed(in.text);
    if (text.empty()) {
        return ThresholdCheck::fail("提醒提示  不能为空！请重新录入！", ThresholdField::Text);
    }
    if (dm_.db()
            .queryInt("SELECT count(*) FROM UWarn WHERE FName=?1 AND BName=?2 AND theType=?3",
                      in.member, dm_.book(), in.kind)
            .value_or(0) > 0) {
        return ThresholdCheck::fail("提醒 添加重复！", ThresholdField::Member);
    }
    dm_.db().execute(
        "INSERT INTO UWarn(BName,theType,FName,WMoney,Remark,theState) "
        "VALUES(?1,?2,?3,?4,?5,'启用')",
        dm_.book(), in.kind, in.member, amount, text);
    saved(dm_.db().lastInsertId());
    return ThresholdCheck::pass();
}

void ThresholdsModel::remove(std::int64_t id) {
    dm_.db().execute("DELETE FROM UWarn WHERE ID=?1 AND BName=?2", id, dm_.book());
    refresh();
}

void ThresholdsModel::setState(std::int64_t id, const std::string& state) {
    dm_.myState("UWarn", state, id);
    refresh();
}

ThresholdCheck ThresholdsModel::edit(std::int64_t id, const std::string& typed,
                                     const std::string& text) {
    Money amount;
    if (ThresholdCheck r = readAmount(typed, amount); !r.ok) {
        return r;
    }
    if (trimmed(text).empty()) {
        return ThresholdCheck::fail("提醒提示 不能为空！请重新录入！", ThresholdField::Text);
    }
    dm_.db().execute("UPDATE UWarn SET WMoney=?1, Remark=?2 WHERE ID=?3 AND BName=?4", amount,
                     trimmed(text), id, dm_.book());
    saved(id);
    return ThresholdCheck::pass();
}

}  // namespace fennory
