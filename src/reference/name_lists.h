#pragma once
// The name-list screens: income, expense and investment categories and
// contacts. One model; each list is a row of differences.

#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"

namespace fennory {

struct NameListSpec {
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

const NameListSpec& incomeKindsSpec();
const NameListSpec& expenseKindsSpec();
const NameListSpec& investmentKindsSpec();
const NameListSpec& contactsSpec();

class NameListModel {
public:
    NameListModel(TfrmDM& dm, const NameListSpec& spec) : dm_(dm), spec_(spec) {}
    const NameListSpec& spec() const { return spec_; }

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
    const NameListSpec& spec_;
};

}  // namespace fennory
