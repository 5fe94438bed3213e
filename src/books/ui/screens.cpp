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
constexpr MenuRow kBookRows[] = {
    {.id = "bookManage", .order = 200, .caption = "账簿管理 &B", .needsBook = true},
    {.id = "changePass", .order = 201, .caption = "修改密码 &S", .needsBook = true},
    {.id = "backup", .order = 400, .caption = "备份数据 &D", .needsBook = true},
    {.id = "restore", .order = 401, .caption = "数据恢复 &R", .needsBook = true},
};
constexpr MenuRow kSettingsRows[] = {
    {.id = "sortOrder", .order = 301, .caption = "排序设置 &X"},
    {.id = "defaults", .order = 302, .caption = "默认项设置 &M"},
    {.id = "edition", .order = 400, .caption = "版本设置 &B"},
};

void registerBookScreens(Shell& shell) {
    shell.addMenuRows("账簿【&Z】", kBookRows);
    shell.addMenuRows("基础设置【&B】", kSettingsRows);
    // The books and the preferences; some end the program after saving.
    shell.registerScreen("bookManage", [](Shell& w) {
        return new TfrmB_Manage(w.dm(), w.prompter(), programEnd(w));
    });
    shell.registerDialog("changePass", [](Shell& w) {
        TfrmChangePass dialog(w.dm(), w.prompter(), w.frame());
        if (dialog.exec() == QDialog::Accepted) {
            w.endProgram();
        }
    });
    shell.registerDialog("backup", modalOf<TfrmBackup>(given(backupFolderChooser())));
    shell.registerDialog("restore", [](Shell& w) {
        bool restored = false;
        TfrmRecover dialog(
            w.dm(), w.prompter(), [&restored] { restored = true; }, backupFileChooser(), w.frame());
        dialog.exec();
        if (restored) {
            w.afterRestore();
        }
    });
    shell.registerDialog("defaults", modalOf<TfrmMRX>());
    shell.registerDialog("sortOrder", modalOf<TfrmSZ_PX>(programEnd));
    shell.registerDialog("edition", modalOf<TfrmSBasc>(programEnd));
}

}  // namespace fennory::ui
