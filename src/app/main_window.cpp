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

#include "app/history_dialog.h"
#include "app/menus.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "books/ui/new_book_dialogs.h"
#include "books/ui/open_book_dialog.h"
#include "core/book_checks.h"
#include "core/main_texts.h"
#include "core/totals.h"
#include "core/ui/desktop.h"
#include "plans/budget_report.h"
#include "core/ui/guard.h"
#include "core/ui/record_screen.h"
#include "core/updater_files.h"
#include "plans/plans.h"
#include "plans/status_date.h"
#include "reports/ui/record_query_screen.h"

// The pictures live in a static library: their resources must be registered.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace fennory::ui {
TfrmMain::TfrmMain(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent),
      dm_(dm),
      prompter_(prompter),
      stack_(new QStackedWidget(this)),
      totals_(withName("totalsView", new TotalsView(this))),
      mdi_(new QMdiArea(this)),
      toolBar_(new QToolBar(QStringLiteral("工具栏"), this)) {
    initIconResources();
    setWindowTitle(qs(std::string(kProductName)));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
    stack_->addWidget(totals_);
    stack_->addWidget(mdi_);
    setCentralWidget(stack_);
    handlers_ = {
        {"newBook", [this] { newBook(); }},
        {"openBook", [this] { openBookDialog(); }},
        {"closeBook", [this] { closeBook(); }},
        {"pageSetup", [this] { pageSetup(); }},
        {"exit", [this] { close(); }},
        {"calculator", [this] { calculator(); }},
        {"help", [this] { help(); }},
        {"website", [this] { website(); }},
        {"upgrade", [this] { upgrade(); }},
        {"about", [this] { about(); }},
        {"home", [this] { myfrmClose(); }},
        {"undo", [this] { replayHistory(true); }},
        {"redo", [this] { replayHistory(false); }},
        {"history", [this] { showHistory(); }},
    };
    buildMenus();
    buildToolBar();
    buildStatusBar();
    // The pictures beside the totals open the query of their row.
    connect(totals_, &TotalsView::pictureClicked, this, guarded([this](const QString& caption) {
                const std::string c = ss(caption);
                if (c == "投资") {
                    run("queryInvest");
                } else if (c == "债权") {
                    run("queryDebt");
                } else if (c == "债务") {
                    run("queryBorrow");
                } else {
                    myA(c);
                }
            }));
    connect(totals_, &TotalsView::budgetClicked, this, guarded([this] { run("budgetReport"); }));
    resize(1024, 618);
}

TfrmMain::~TfrmMain() {
    // The open screen goes down with the frame; its end must not reach back
    // into the half-destroyed window.
    if (child_) {
        disconnect(child_, nullptr, this, nullptr);
    }
}

void TfrmMain::buildStatusBar() {
    for (int i = 0; i < 3; ++i) {
        status_[static_cast<std::size_t>(i)] = new QLabel(this);
        status_[static_cast<std::size_t>(i)]->setContentsMargins(6, 0, 6, 0);
    }
    status_[0]->setText(qs(std::string(kProductName)));
    statusBar()->addWidget(status_[0]);
    statusBar()->addWidget(status_[1], 1);
    statusBar()->addPermanentWidget(status_[2]);
}

QLabel* TfrmMain::statusPanel(int i) const {
    return status_.at(static_cast<std::size_t>(i));
}

void TfrmMain::run(const std::string& id) {
    auto h = handlers_.find(id);
    if (h == handlers_.end()) {
        return;
    }
    if (namesFirst_.contains(id) && (myCheckF() || myCheckA())) {
        return;
    }
    h->second();
}

void TfrmMain::openRegistered(const std::string& id) {
    auto f = screens_.find(id);
    if (f == screens_.end() || dm_.book().empty()) {
        return;
    }
    myfrmClose();
    if (QWidget* screen = f->second(*this)) {
        openChild(screen, id);
    }
}

void TfrmMain::replayHistory(bool undo) {
    if (!history_ || dm_.book().empty()) {
        return;
    }
    showChanged([&] { return undo ? history_->undo() : history_->redo(); });
}

// Shows the book anew after the history changed it: the open screen reads
// its list again on the record it was on, if that is still there, and the
// totals and the menu's captions follow.
void TfrmMain::showChanged(const std::function<bool()>& change) {
    const std::string reopen = child_ ? childId_ : std::string();
    const auto* screen = qobject_cast<RecordScreen*>(child_.data());
    const std::int64_t current = screen ? screen->currentId() : 0;
    myfrmClose();
    if (change()) {
        loadOpenBookState(dm_);
    }
    if (!reopen.empty()) {
        run(reopen);
        if (auto* again = qobject_cast<RecordScreen*>(child_.data()); again && current != 0) {
            again->makeCurrent(current);
        }
    }
    mySum();
    showHistoryCaptions();
}

void TfrmMain::showHistory() {
    if (!history_ || dm_.book().empty()) {
        return;
    }
    TfrmHistory dialog(
        dm_.db(), *history_, [this] { return dm_.book(); }, prompter_,
        [this] { showChanged([] { return true; }); }, this);
    dialog.exec();
}

void TfrmMain::showHistoryCaptions() {
    const auto undo = history_ ? history_->undoable() : std::nullopt;
    const auto redo = history_ ? history_->redoable() : std::nullopt;
    if (QAction* a = action("undo")) {
        // Enabled even with nothing to take back: the captions are read when
        // the menu opens, and the shortcut must reach the history anyway.
        a->setText(undo ? QStringLiteral("撤销 ") + qs(undo->caption) : QStringLiteral("撤销"));
    }
    if (QAction* a = action("redo")) {
        a->setText(redo ? QStringLiteral("重做 ") + qs(redo->caption) : QStringLiteral("重做"));
    }
}

void TfrmMain::closeEvent(QCloseEvent* e) {
    if (askOnClose_ && !prompter_.ask(QStringLiteral("确认要退出 Fennory记账软件 吗？  ^_^  "),
                                      QStringLiteral("确认退出"))) {
        e->ignore();
        return;
    }
    myfrmClose();
    e->accept();
}

void TfrmMain::myA(const std::string& accountType) {
    if (dm_.book().empty()) {
        return;
    }
    run("accountQuery");
    if (auto* q = qobject_cast<RecordQueryScreen*>(openScreen())) {
        q->presetAndQuery(qs(accountType));
    }
}

void TfrmMain::mySum() {
    Totals t = fennory::mySum(dm_);
    totals_->show(t);
    totals_->showBudget(
        dm_.book().empty() ? QString() : qs(budgetMonthLine(dm_, dm_.session().currentDate())));
    status_[2]->setText(qs(t.statusLine()));
}

void TfrmMain::myfrmClose() {
    const bool wasOpen = child_ != nullptr;
    if (wasOpen) {
        mdi_->closeAllSubWindows();
    }
    child_ = nullptr;
    childRaw_ = nullptr;
    childId_.clear();
    stack_->setCurrentWidget(totals_);
    // The screen closed this way may have moved balances too.
    if (wasOpen) {
        mySum();
    }
}

void TfrmMain::openChild(QWidget* screen, const std::string& id) {
    myfrmClose();
    QMdiSubWindow* sub = mdi_->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child_ = screen;
    childId_ = id;
    // A screen closed earlier may be destroyed after this one opened: only the
    // open screen's end counts.
    connect(screen, &QObject::destroyed, this, guarded([this, screen](QObject* gone) {
                if (gone == screen && childRaw_ == screen) {
                    childClosed();
                }
            }));
    childRaw_ = screen;
    stack_->setCurrentWidget(mdi_);
    sub->showMaximized();
}

void TfrmMain::childClosed() {
    childRaw_ = nullptr;
    child_ = nullptr;
    childId_.clear();
    stack_->setCurrentWidget(totals_);
    // Screens that move balances leave the totals out of date.
    mySum();
}

bool TfrmMain::ScreenOpenFlag(const std::string& id) const {
    return child_ && childId_ == id;
}

QWidget* TfrmMain::openScreen() const {
    return child_;
}

bool TfrmMain::showMissingNames(const std::optional<MissingNames>& missing) {
    if (!missing) {
        return false;
    }
    myfrmClose();
    openRegistered(missing->screen);
    prompter_.info(qs(missing->message));
    return true;
}

bool TfrmMain::myCheckF() {
    return showMissingNames(fennory::myCheckF(dm_));
}

bool TfrmMain::myCheckA() {
    return showMissingNames(fennory::myCheckA(dm_));
}

}  // namespace fennory::ui
