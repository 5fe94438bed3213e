#include "reference/family.h"

#include "core/pinyin.h"
#include "reference/renames.h"

namespace fennory {
namespace {

using C = MemberColumn;
constexpr ColumnDef kColumns[] = {
    {C::Name, "FName", "姓名"},       {C::Pinyin, "thePY", "拼音码"},
    {C::Relation, "theGX", "关系"},   {C::Birthday, "BirDate", "生日"},
    {C::Remark, "Remark", "备注"},    {C::Book, "BName", "账簿名称", false, true},
    {C::Id, "ID", "ID", false, true},
};
static_assert(columnsInOrder(kColumns));

bool nameTaken(TfrmDM& dm, const std::string& name, std::int64_t exceptId) {
    return dm.db()
               .queryInt("SELECT count(*) FROM SFamily WHERE FName=?1 AND BName=?2 AND ID<>?3",
                         name, dm.book(), exceptId)
               .value_or(0) > 0;
}

}  // namespace

MemberCheck saveMember(TfrmDM& dm, const MemberInput& in, std::int64_t* newId) {
    if (in.name.empty()) {
        return MemberCheck::fail("姓名不能为空！请重新录入！", MemberField::Name);
    }
    if (nameTaken(dm, in.name, 0)) {
        return MemberCheck::fail("姓名添加重复！", MemberField::Name);
    }
    dm.db().execute(
        "INSERT INTO SFamily(FName,BName,thePY,theGX,BirDate,Remark) VALUES(?1,?2,?3,?4,?5,?6)",
        in.name, dm.book(), PinyinCode(in.name), in.relation, in.birthday, in.remark);
    if (newId) {
        *newId = dm.db().lastInsertId();
    }
    return MemberCheck::pass();
}

FamilyModel::FamilyModel(TfrmDM& dm) : ScreenModel(kColumns, MemberColumn::Id), dm_(dm) {}

Table FamilyModel::load() {
    Statement s = dm_.db().prepare("SELECT " + selectList(kColumns) +
                                   " FROM SFamily WHERE BName=?1 ORDER BY ID");
    s.bind(1, dm_.book());
    return loadColumns(std::move(s), kColumns);
}

MemberCheck FamilyModel::save(const MemberInput& in) {
    if (mode() == RecordMode::Change) {
        std::int64_t id = currentId();
        MemberCheck r = change(id, oldText(MemberColumn::Name), in);
        if (r.ok) {
            saved(id);
        }
        return r;
    }
    std::int64_t id = 0;
    MemberCheck r = saveMember(dm_, in, &id);
    if (r.ok) {
        saved(id);
    }
    return r;
}

MemberCheck FamilyModel::change(std::int64_t id, const std::string& oldName,
                                const MemberInput& in) {
    if (in.name.empty()) {
        return MemberCheck::fail("姓名不能为空！请重新录入！", MemberField::Name);
    }
    if (in.name != oldName && nameTaken(dm_, in.name, id)) {
        return MemberCheck::fail("姓名添加重复！", MemberField::Name);
    }
    Transaction t(dm_.db());
    carryRename(dm_, NameKind::Member, oldName, in.name);
    dm_.db().execute(
        "UPDATE SFamily SET FName=?1, thePY=?2, theGX=?3, BirDate=?4, Remark=?5 "
        "WHERE ID=?6 AND BName=?7",
        in.name, PinyinCode(in.name), in.relation, in.birthday, in.remark, id, dm_.book());
    t.commit();
    return MemberCheck::pass();
}

void FamilyModel::remove(std::int64_t id) {
    dm_.db().execute("DELETE FROM SFamily WHERE ID=?1 AND BName=?2", id, dm_.book());
    refresh();
}

NameRow FamilyModel::currentNameRow() const {
    return {"SFamily", currentId(), text(MemberColumn::Name), text(MemberColumn::Pinyin), ""};
}

}  // namespace fennory
