// The main window's menus and toolbar: the top menus are the window's, the
// rows come from the modules and are laid out by their order.

#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <cstring>
#include <ranges>
#include <stdexcept>

#include "app/main_window.h"
#include "app/menus.h"
#include "core/ui/guard.h"

namespace fennory::ui {
namespace {

// Rows and separators that show only while a book is open carry this mark.
constexpr const char* kNeedsBook = "needsBook";

void markNeedsBook(QAction* a, bool needsBook, bool bookShown) {
    a->setProperty(kNeedsBook, needsBook);
    if (needsBook) {
        a->setVisible(bookShown);
    }
}

}  // namespace

void TfrmMain::buildMenus() {
    for (const TopMenu& t : topMenus()) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(t.caption));
        menus_[QString::fromUtf8(t.caption)] = m;
        if (t.needsBook) {
            bookMenus_.push_back(m);
        }
    }
    addWindowMenuRows(*this);
    // The tools menu names what undo and redo would take back when it opens.
    connect(menus_.at(QStringLiteral("工具【&T】")), &QMenu::aboutToShow, this,
            guarded(this, &TfrmMain::showHistoryCaptions));
}

void TfrmMain::addMenuRows(const char* menu, std::span<const MenuRow> rows) {
    const QString top = QString::fromUtf8(menu);
    if (!menus_.contains(top)) {
        throw std::logic_error("menu rows for a menu the window does not have: " +
                               std::string(menu));
    }
    for (const MenuRow& row : rows) {
        rows_[top].push_back(row);
        if (row.needsNames) {
            namesFirst_.insert(row.id);
        }
        if (!actions_.contains(row.id)) {
            auto* a = new QAction(QString::fromUtf8(row.caption), this);
            if (row.shortcut) {
                a->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
            }
            std::string id = row.id;
            connect(a, &QAction::triggered, this, guarded([this, id] { run(id); }));
            a->setEnabled(handlers_.contains(id));
            actions_[id] = a;
        }
    }
    layOutMenu(top);
    refreshSubmenus();
}

void TfrmMain::layOutMenu(const QString& top) {
    QMenu* menu = menus_.at(top);
    std::vector<MenuRow>& rows = rows_[top];
    std::ranges::stable_sort(rows, {}, &MenuRow::order);
    menu->clear();
    const MenuRow* previous = nullptr;
    QMenu* sub = nullptr;
    for (const MenuRow& row : rows) {
        if (previous && previous->order / 100 != row.order / 100) {
            markNeedsBook(menu->addSeparator(), previous->needsBook && row.needsBook, bookShown_);
        }
        if (!row.submenu) {
            sub = nullptr;
        } else if (!sub || sub->title() != QString::fromUtf8(row.submenu)) {
            QMenu*& made = submenus_[{top, QString::fromUtf8(row.submenu)}];
            if (!made) {
                made = new QMenu(QString::fromUtf8(row.submenu), menu);
            }
            sub = made;
            sub->clear();
            menu->addMenu(sub);
        }
        QAction* a = actions_.at(row.id);
        (sub ? sub : menu)->addAction(a);
        markNeedsBook(a, row.needsBook, bookShown_);
        previous = &row;
    }
}

void TfrmMain::refreshSubmenus() {
    // A submenu is available when one of its entries is.
    for (QMenu* sub : submenus_ | std::views::values) {
        const auto entries = sub->actions();
        sub->menuAction()->setEnabled(
            std::ranges::any_of(entries, [](QAction* e) { return e->isEnabled(); }));
    }
}

void TfrmMain::buildToolBar() {
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFixedHeight(70);
    toolBar_->setIconSize(QSize(36, 36));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    for (const ToolEntry& t : toolEntries()) {
        QAction* a = toolBar_->addAction(
            QIcon(QStringLiteral(":/icons/") + QString::fromUtf8(t.icon) + QStringLiteral(".png")),
            QString::fromUtf8(t.caption));
        std::string id = t.id;
        connect(a, &QAction::triggered, this, guarded([this, id] { run(id); }));
        a->setEnabled(handlers_.contains(id));
        toolActions_[id] = a;
    }
}

QAction* TfrmMain::action(const std::string& id) const {
    if (auto it = actions_.find(id); it != actions_.end()) {
        return it->second;
    }
    auto t = toolActions_.find(id);
    return t == toolActions_.end() ? nullptr : t->second;
}

QAction* TfrmMain::actionByCaption(const QString& caption) const {
    for (const auto& [id, a] : actions_) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

QMenu* TfrmMain::menu(const QString& title) const {
    auto it = menus_.find(title);
    return it == menus_.end() ? nullptr : it->second;
}

void TfrmMain::enableEntry(const std::string& id) {
    if (auto a = actions_.find(id); a != actions_.end()) {
        a->second->setEnabled(true);
    }
    if (auto t = toolActions_.find(id); t != toolActions_.end()) {
        t->second->setEnabled(true);
    }
    refreshSubmenus();
}

void TfrmMain::registerScreen(const std::string& id, ScreenFactory factory) {
    screens_[id] = std::move(factory);
    handlers_[id] = [this, id] { openRegistered(id); };
    enableEntry(id);
}

void TfrmMain::registerDialog(const std::string& id, DialogRunner open, bool needsBook) {
    handlers_[id] = [this, open = std::move(open), needsBook] {
        if (needsBook && dm_.book().empty()) {
            return;
        }
        myfrmClose();
        open(*this);
    };
    enableEntry(id);
}

void TfrmMain::myShow(bool visible) {
    bookShown_ = visible;
    for (QMenu* top : menus_ | std::views::values) {
        for (QAction* a : top->actions()) {
            if (a->property(kNeedsBook).toBool()) {
                a->setVisible(visible);
            }
        }
    }
    for (QMenu* m : bookMenus_) {
        m->menuAction()->setVisible(visible);
    }
    toolBar_->setEnabled(visible);
}

}  // namespace fennory::ui
