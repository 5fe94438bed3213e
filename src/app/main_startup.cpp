// The main window's start-up, books opened and closed, and the end of the program.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <ranges>

#include "app/menus.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "books/ui/new_book_dialogs.h"
#include "books/ui/open_book_dialog.h"
#include "core/book_checks.h"
#include "core/main_texts.h"
#include "core/totals.h"
#include "core/ui/desktop.h"
#include "core/updater_files.h"
#include "plans/plans.h"
#include "plans/status_date.h"
#include "reports/ui/record_query_screen.h"

namespace fennory::ui {

void TfrmMain::startUp() {
    myShow(false);
    // The window takes its place first, so that the first dialog is centred on it.
    if (QScreen* s = screen()) {
        QRect avail = s->availableGeometry();
        if (s->geometry().height() < 630) {
            setWindowState(windowState() | Qt::WindowMaximized);
        } else {
            move(avail.center() - QPoint(width() / 2, height() / 2));
        }
    }
    if (startUpDialog(dm_.db()) == BookDialog::FirstBook) {
        TfrmNewBook dialog(dm_, prompter_, *this, this);
        centreOnWindow(dialog);
        dialog.exec();
    } else {
        TfrmOpenBook dialog(dm_, prompter_, *this, this);
        centreOnWindow(dialog);
        dialog.exec();
    }
    tidyUpdaterFiles(dm_.session().ExeFolder);
}

void TfrmMain::centreOnWindow(QWidget& dialog) const {
    // Before the window is first shown Qt cannot centre a dialog on it.
    dialog.adjustSize();
    dialog.move(geometry().center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

void TfrmMain::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    mySum();
    status_[1]->setText(qs(statusDateText(dm_.session().StartupDate)));
    edition_ = readEdition(dm_.db());
    // Once the window is on the screen, so that the dialog opens over it.
    QTimer::singleShot(0, this, &TfrmMain::checkDuePlans);
}

void TfrmMain::checkDuePlans() {
    if (dm_.book().empty() || !hasDuePlans(dm_, dm_.session().StartupDate)) {
        return;
    }
    const BookState& b = dm_.session().OpenBookState;
    const std::filesystem::path sound = reminderSoundFile(dm_.session().ExeFolder);
    std::error_code ec;
    if (b.TX_M && players_ && std::filesystem::is_regular_file(sound, ec)) {
        reminder_ = players_();
        reminder_->play(qs(sound.string()));
    }
    if (b.TX_T) {
        run("planToday");
    }
}

void TfrmMain::endProgram() {
    if (endProgram_) {
        endProgram_();
        return;
    }
    askOnClose_ = false;
    close();
    QApplication::quit();
}

void TfrmMain::afterRestore() {
    myfrmClose();
    // The restored file is on a new connection, with the history it was
    // saved with; recording starts there afresh.
    history_.reset();
    history_ = std::make_unique<History>(dm_.db(), [this] { return dm_.book(); });
    showHistoryCaptions();
    if (!dm_.book().empty() && bookExists(dm_, dm_.book())) {
        loadOpenBookState(dm_);
        mySum();
        return;
    }
    dm_.session().CurrentBook.clear();
    bookClosed();
    openBookDialog();
}

void TfrmMain::bookOpened() {
    if (!history_) {
        history_ = std::make_unique<History>(dm_.db(), [this] { return dm_.book(); });
    }
    showHistoryCaptions();
    setWindowTitle(qs(dm_.book()));
    myShow(true);
    mySum();
}

void TfrmMain::bookClosed() {
    myShow(false);
    myfrmClose();
    mySum();
}

void TfrmMain::newBook() {
    myfrmClose();
    if (newBookDialog(dm_.db()) == BookDialog::FirstBook) {
        TfrmNewBook dialog(dm_, prompter_, *this, this);
        dialog.exec();
    } else {
        TfrmNewBook1 dialog(dm_, prompter_, *this, this);
        dialog.exec();
    }
}

void TfrmMain::openBookDialog() {
    myfrmClose();
    TfrmOpenBook dialog(dm_, prompter_, *this, this);
    dialog.exec();
}

void TfrmMain::closeBook() {
    myShow(false);
    dm_.session().CurrentBook.clear();
    myfrmClose();
    mySum();  // all zero now; the caption keeps the last book's name
}

}  // namespace fennory::ui
