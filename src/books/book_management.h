#pragma once
// The books as a whole: the list of books, deleting a book with all its data,
// renaming it throughout the data file, and changing its password. Each change
// is one transaction.

#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"

namespace fennory {

// Every table whose rows belong to a book by BName, in the order a rename goes.
const std::vector<const char*>& bookTables();

enum class BookListColumn { Name, Created, Remark, Id };

// TfrmB_Manage: every book, the newest first.
class BookListModel : public ScreenModel<BookListColumn> {
public:
    explicit BookListModel(TfrmDM& dm);
    // "删除": refused for the open book; otherwise every row of the book goes.
    CheckResult removeBook(std::int64_t id);
    void remove(std::int64_t id) override { removeBook(id); }

protected:
    Table load() override;

private:
    TfrmDM& dm_;
};

// Deletes a book and all its rows; refused for the open book.
CheckResult deleteBook(TfrmDM& dm, const std::string& book);

enum class RenameField { None, Name };
// TfrmB_M "修改": the checks in order, then the new name in every table.
Check<RenameField> renameBook(TfrmDM& dm, const std::string& oldName, const std::string& newName);

enum class PasswordField { None, Old, New, Confirm };
// TfrmChangePass "保存": the old password must be right and the new one confirmed.
Check<PasswordField> changePassword(TfrmDM& dm, const std::string& oldPassword,
                                    const std::string& newPassword, const std::string& confirm);

}  // namespace fennory
