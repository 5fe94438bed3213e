#pragma once
// The name-list screens: income, expense and investment categories and
// contacts. One model; each list is a row of differences.

#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"
#include "reference/editors.h"
#include "reference/renames.h"

namespace fennory {

struct NameListKind {
    std::string screen;   // TfrmIn_Manage ...
    std::string caption;  // window caption and name column caption
    std::string table;    // InD ...
    std::string column;   // IName ...
    std::string group;    // "收入类别信息"
    std::string label;    // "收入类别："
    NameKind names;       // the records a rename reaches
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

enum class NameListField { None, Name };
using NameListCheck = Check<NameListField>;

enum class NameListColumn { Name, Pinyin, Book, Remark, State, Id, Count };

class NameListModel : public ScreenModel<NameListColumn> {
public:
    NameListModel(TfrmDM& dm, const NameListKind& kind);
    const NameListKind& kind() const { return kind_; }

    Table list() { return load(); }

    // "保存" of the entry state; the saved name is current afterwards.
    NameListCheck save(const std::string& name, const std::string& remark);

    NameListCheck add(const std::string& name, const std::string& remark,
                      std::int64_t* newId = nullptr);
    // Renames carry the new name into the records; a name the book already has
    // is refused (merging two names' records could not be undone).
    NameListCheck edit(std::int64_t id, const std::string& oldName, const std::string& name,
                       const std::string& remark);
    void remove(std::int64_t id) override;
    void setState(std::int64_t id, const std::string& state);

    // The current row for the pinyin-code and use-count editors.
    NameRow currentNameRow() const;

protected:
    Table load() override;

private:
    bool exists(const std::string& name, std::int64_t exceptId) const;
    TfrmDM& dm_;
    const NameListKind& kind_;
    std::vector<ColumnDef> columns_;
};

}  // namespace fennory
