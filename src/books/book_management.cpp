#include "books/book_management.h"

#include <fmt/format.h>

#include "core/dates.h"
#include "core/history.h"

namespace fennory {
namespace {

using C = BookListColumn;

constexpr ColumnDef kColumns[] = {
    {C::Name, "BName", "账簿名称"},
    {C::Created, "BDate", "创建日期"},
    {C::Remark, "Remark", "备注"},
    {C::Id, "ID", "ID", false, true},
};
static_assert(columnsInOrder(kColumns));

// The tables a deletion empties of the book, in its order; SBook goes last.
const std::vector<const char*>& deletionOrder() {
    static const std::vector<const char*> t = {
        "InD", "OutD", "SAccount", "InTable", "OutTable", "ChangeT", "Borrow", "TD", "TTable",
        "UPlan", "UList", "SFamily", "Debt", "BList", "BorrowR", "DebtR", "DList", "PD", "SMRB",
        "SMRX", "TList", "TTableR", "UWarn",
        // The bills' memory of the book goes with it, and its budgets.
        "BillSeen", "BillMap", "Budget"};
    return t;
}

}  // namespace

const std::vector<const char*>& bookTables() {
    static const std::vector<const char*> t = {
        "BList", "Borrow", "BorrowR", "ChangeT", "Debt", "DebtR", "DList", "InD", "InTable", "OutD",
        "OutTable", "PD", "SAccount", "SBook", "SFamily", "SMRB", "SMRX", "TD", "TList", "TTable",
        "TTableR", "UList", "UPlan", "UWarn",
        // The bills' memory of the book goes with it, and its budgets.
        "BillSeen", "BillMap", "Budget"};
    return t;
}

BookListModel::BookListModel(TfrmDM& dm) : ScreenModel<BookListColumn>(kColumns, C::Id), dm_(dm) {}

Table BookListModel::load() {
    return loadColumns(dm_.db().prepare(fmt::format("SELECT {} FROM SBook ORDER BY ID DESC",
                                                    selectList(kColumns))),
                       kColumns);
}

CheckResult BookListModel::removeBook(std::int64_t id) {
    const int row = indexOf(id);
    if (row < 0) {
        return CheckResult::nothingToDo();
    }
    CheckResult r = deleteBook(dm_, cellText(rows(), static_cast<std::size_t>(row), C::Name));
    refresh();
    return r;
}

CheckResult deleteBook(TfrmDM& dm, const std::string& book) {
    if (book == dm.book()) {
        return CheckResult::fail("不能删除当前打开账簿！");
    }
    // A whole book is not an action to take back: a copy of the data file
    // as it was is kept beside the backups instead.
    const auto folder = dm.db().path().parent_path() / "Backup";
    std::filesystem::create_directories(folder);
    dm.db().backupTo(folder /
                     fmt::format("删除账簿前-{}.eac", dates::localTimeText("%Y-%m-%d-%H%M%S")));
    NotInHistory outside(dm.db());
    Transaction t(dm.db());
    forgetHistory(dm.db(), book);
    for (const char* table : deletionOrder()) {
        dm.db().execute(fmt::format("DELETE FROM {} WHERE BName=?1", table), book);
    }
    dm.db().execute("DELETE FROM SBook WHERE BName=?1", book);
    t.commit();
    return CheckResult::pass();
}

Check<RenameField> renameBook(TfrmDM& dm, const std::string& oldName, const std::string& newName) {
    using R = Check<RenameField>;
    if (newName.empty()) {
        return R::fail("账簿名称 不能为空！", RenameField::Name);
    }
    if (newName == oldName) {
        return R::fail("账簿名称 不能和以前一样！", RenameField::Name);
    }
    // Book names compare without letter case: another spelling of the same
    // name is the same book, unless it is this one.
    if (dm.db().queryInt("SELECT ID FROM SBook WHERE BName=?1 AND BName<>?2", newName, oldName)) {
        return R::fail("账簿名称 已经存在！", RenameField::Name);
    }
    // The book's history names it as it was, and cannot take back under the new name.
    NotInHistory outside(dm.db());
    Transaction t(dm.db());
    forgetHistory(dm.db(), oldName);
    for (const char* table : bookTables()) {
        dm.db().execute(fmt::format("UPDATE {} SET BName=?1 WHERE BName=?2", table), newName,
                        oldName);
    }
    t.commit();
    return R::pass();
}

Check<PasswordField> changePassword(TfrmDM& dm, const std::string& oldPassword,
                                    const std::string& newPassword, const std::string& confirm) {
    using R = Check<PasswordField>;
    // Passwords compare exactly, letter case included.
    const auto found =
        dm.db().queryInt("SELECT count(*) FROM SBook WHERE BName=?1 AND BPass=?2 COLLATE BINARY",
                         dm.book(), oldPassword);
    if (found.value_or(0) != 1) {
        return R::fail("原密码错误！", PasswordField::Old);
    }
    if (newPassword != confirm) {
        return R::fail("新密码与确认密码不一致！", PasswordField::Confirm);
    }
    // Ctrl+Z does not bring back a password given up.
    NotInHistory outside(dm.db());
    dm.db().execute("UPDATE SBook SET BPass=?1 WHERE BName=?2", newPassword, dm.book());
    return R::pass();
}

}  // namespace fennory
