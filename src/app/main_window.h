#pragma once
// TfrmMain: the frame every screen opens in. Menus, toolbar, status bar, the
// totals of the open book, and at most one child screen at a time.

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QPrinter>
#include <QStackedWidget>
#include <QToolBar>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "app/totals_view.h"
#include "core/book_checks.h"
#include "core/data_module.h"
#include "core/history.h"
#include "core/ui/book_host.h"
#include "core/ui/prompter.h"
#include "core/ui/shell.h"
#include "plans/ui/sound.h"

namespace fennory::ui {

class TfrmMain : public QMainWindow, public BookHost, public Shell {
    Q_OBJECT
public:
    TfrmMain(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up after the window is made: the menus hidden, then the first-book
    // wizard or the open-book dialog, the updater tidy-up and the window size.
    void startUp();

    // Shell: a registered entry's menu row and toolbar button become enabled.
    void addMenuRows(const char* menu, std::span<const MenuRow> rows) override;
    void registerScreen(const std::string& id, ScreenFactory factory) override;
    void registerDialog(const std::string& id, DialogRunner open, bool needsBook = true) override;
    QWidget* frame() override { return this; }
    void balancesMoved() override { mySum(); }

    // Where the reminder sound and the sound dialog get their players; none
    // plays nothing.
    void setSoundPlayers(SoundPlayerFactory players) { players_ = std::move(players); }
    const SoundPlayerFactory& soundPlayers() const { return players_; }
    // The start-up check: with plans due on the start-up date, the reminder
    // sound and the due-plan dialog, as the book's preferences say.
    void checkDuePlans();

    // The menu entry with this id, or with this caption.
    QAction* action(const std::string& id) const;
    QAction* actionByCaption(const QString& caption) const;
    QMenu* menu(const QString& title) const;
    QLabel* statusPanel(int i) const;

    void myShow(bool visible);
    // The account query on the accounts of one type, listed at once.
    void myA(const std::string& accountType);
    void mySum();
    void myfrmClose();
    // Opens a child screen maximised, closing the open one first.
    void openChild(QWidget* screen, const std::string& id);
    bool ScreenOpenFlag(const std::string& id) const;
    QWidget* openScreen() const;

    // True (and the member or account screen opened with its message) when the
    // open book has no member / no account yet.
    bool myCheckF();
    bool myCheckA();

    // BookHost
    void bookOpened() override;
    void bookClosed() override;

    TfrmDM& dm() override { return dm_; }
    Prompter& prompter() override { return prompter_; }

    // Ends the program without the closing question, so that the next start
    // reads what was just saved (a renamed book, new orders, the edition).
    void endProgram() override;
    // After the data file was restored: the open book is reloaded, or, when
    // the restored file lacks it, closed and another one asked for.
    void afterRestore() override;
    // Tests see that the program would end instead of ending it.
    void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

    // Whether closing asks first (tests turn the question off).
    void setAskOnClose(bool ask) { askOnClose_ = ask; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void layOutMenu(const QString& top);
    void enableEntry(const std::string& id);
    void buildToolBar();
    void buildStatusBar();
    void run(const std::string& id);
    void openRegistered(const std::string& id);
    void newBook();
    void openBookDialog();
    void closeBook();
    void pageSetup();
    void calculator();
    void help();
    void website();
    // Opens a web address, or says where it is when nothing on the desktop can.
    void openAddress(const QString& address);
    void upgrade();
    void about();
    void childClosed();
    void centreOnWindow(QWidget& dialog) const;
    void refreshSubmenus();
    // Undo or redo, then the open screen and the totals read again.
    void replayHistory(bool undo);
    void showChanged(const std::function<bool()>& change);
    void showHistory();
    void showHistoryCaptions();
    bool showMissingNames(const std::optional<MissingNames>& missing);

    TfrmDM& dm_;
    Prompter& prompter_;
    QStackedWidget* stack_;
    TotalsView* totals_;
    QMdiArea* mdi_;
    QToolBar* toolBar_;
    std::array<QLabel*, 3> status_{};
    std::map<std::string, QAction*> actions_;
    std::map<std::string, std::function<void()>> handlers_;
    std::map<std::string, ScreenFactory> screens_;
    std::map<std::string, QAction*> toolActions_;
    std::map<QString, std::vector<MenuRow>> rows_;
    std::map<std::pair<QString, QString>, QMenu*> submenus_;
    bool bookShown_ = true;
    std::set<std::string> namesFirst_;
    std::unique_ptr<History> history_;  // rows that need a member and an account first
    std::vector<QMenu*> bookMenus_;
    std::map<QString, QMenu*> menus_;
    QPointer<QWidget> child_;
    const QObject* childRaw_ = nullptr;  // identity of the open screen, even while it dies
    std::string childId_;
    std::unique_ptr<QPrinter> printer_;
    bool shownOnce_ = false;
    bool askOnClose_ = true;
    Edition edition_ = Edition::Computer;
    SoundPlayerFactory players_;
    std::function<void()> endProgram_;
    std::unique_ptr<SoundPlayer> reminder_;
};

}  // namespace fennory::ui
