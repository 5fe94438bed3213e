#include "books/ui/screens.h"

#include "books/ui/backup_screens.h"
#include "books/ui/book_screens.h"
#include "books/ui/preference_screens.h"

namespace fennory::ui {

void registerBookScreens(Shell& shell) {
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
