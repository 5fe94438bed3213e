#pragma once
// The name-list screens: income, expense and investment categories and
// contacts. One model; each list is a row of differences.

#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"

namespace fennory {

struct NameListKind {
    std::string screen;   // TfrmIn_Manage ...
    std::string caption;  // window caption and name column caption
    std::string table;    // InD ...
    std::string column;   // IName ...
    std::string group;    // "收入类别信息"
    std::string label;    // "收入类别："
    std::vector<std::pair<std::string, std::string>> renameInto;  // record columns
    bool reloadAfterEdit = false;
    bool countWrittenAsZero = false;
    bool titleSort = false;

    std::string emptyMessage() const { return caption + "不能为空！请重新录入！"; }
    std::string duplicateMessage() const { return caption + "添加重复！"; }
};

const NameListKind& incomeKinds();
const NameListKind& expenseKinds();
const NameListKind& investmentKinds();
const NameListKind& contactsList();

class NameListModel {
public:
    NameListModel(TfrmDM& dm, const NameListKind& kind) : dm_(dm), kind_(kind) {}
    const NameListKind& kind() const { return kind_; }

    Table list();
    CheckResult add(const std::string& name, const std::string& remark);
    // Renames carry the new name into the records; a name the book already has
    // is refused (merging two names' records could not be undone).
    CheckResult edit(std::int64_t id, const std::string& oldName, const std::string& name,
                     const std::string& remark);
    void remove(std::int64_t id);
    void setState(std::int64_t id, const std::string& state);

private:
    bool exists(const std::string& name, std::int64_t exceptId) const;
    TfrmDM& dm_;
    const NameListKind& kind_;
};

}  // namespace fennory
