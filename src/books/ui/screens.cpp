#include "books/ui/screens.h"

#include "books/ui/backup_dialog.h"
#include "books/ui/book_manage_screen.h"
#include "books/ui/book_rename_dialog.h"
#include "books/ui/change_password_dialog.h"
#include "books/ui/defaults_dialog.h"
#include "books/ui/edition_dialog.h"
#include "books/ui/restore_dialog.h"
#include "books/ui/sort_order_dialog.h"

namespace fennory::ui {

// The books and the preferences, in the menus of the book and the settings.
constexpr MenuRow kMenuRows[] = {
    {.id = "bookManage",
     .menu = "账簿【&Z】",
     .order = 200,
     .caption = "账簿管理 &B",
     .needsBook = true},
    {.id = "changePass",
     .menu = "账簿【&Z】",
     .order = 201,
     .caption = "修改密码 &S",
     .needsBook = true},
    {.id = "backup",
     .menu = "账簿【&Z】",
     .order = 400,
     .caption = "备份数据 &D",
     .needsBook = true},
    {.id = "restore",
     .menu = "账簿【&Z】",
     .order = 401,
     .caption = "数据恢复 &R",
     .needsBook = true},
    {.id = "sortOrder", .menu = "基础设置【&B】", .order = 301, .caption = "排序设置 &X"},
    {.id = "defaults", .menu = "基础设置【&B】", .order = 302, .caption = "默认项设置 &M"},
    {.id = "edition", .menu = "基础设置【&B】", .order = 400, .caption = "版本设置 &B"},
};

void registerBookScreens(Shell& shell) {
    shell.addMenuRows(kMenuRows);
    // The books and the preferences; some end the program after saving.
    shell.registerScreen("bookManage", [](Shell& w) {
        return new TfrmB_Manage(w.dm(), w.prompter(), [&w] { w.endProgram(); });
    });
    shell.registerDialog("changePass", [](Shell& w) {
        TfrmChangePass dialog(w.dm(), w.prompter(), w.frame());
        if (dialog.exec() == QDialog::Accepted) {
            w.endProgram();
        }
    });
    shell.registerDialog("backup", [](Shell& w) {
        TfrmBackup dialog(w.dm(), w.prompter(), backupFolderChooser(), w.frame());
        dialog.exec();
    });
    shell.registerDialog("restore", [](Shell& w) {
        bool restored = false;
        TfrmRecover dialog(
            w.dm(), w.prompter(), [&restored] { restored = true; }, backupFileChooser(), w.frame());
        dialog.exec();
        if (restored) {
            w.afterRestore();
        }
    });
    shell.registerDialog("defaults", [](Shell& w) {
        TfrmMRX dialog(w.dm(), w.prompter(), w.frame());
        dialog.exec();
    });
    shell.registerDialog("sortOrder", [](Shell& w) {
        TfrmSZ_PX dialog(
            w.dm(), w.prompter(), [&w] { w.endProgram(); }, w.frame());
        dialog.exec();
    });
    shell.registerDialog("edition", [](Shell& w) {
        TfrmSBasc dialog(
            w.dm(), w.prompter(), [&w] { w.endProgram(); }, w.frame());
        dialog.exec();
    });
}

}  // namespace fennory::ui
