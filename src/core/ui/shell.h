#pragma once
// How a ui module offers its screens to the program's window, and what those
// screens get from it. Each module adds its menu rows and registers the
// screens and dialogs they open by the rows' ids; the window only lays the
// rows out and opens them, so that a new screen is a registration in its own
// module, not an edit of the window.

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>

#include "core/data_module.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

// One row of a top menu. Rows are laid out by `order`; a change of hundreds
// starts a group after a separator. Its texts are static: tables of rows.
struct MenuRow {
    const char* id;
    int order;
    const char* caption;
    const char* shortcut = nullptr;
    const char* submenu = nullptr;  // the caption of the submenu it sits in
    // Shown only while a book is open (in a menu that is always shown).
    bool needsBook = false;
    // Opens only once the book has a member and an account; until then the
    // window asks for them and opens their screen instead.
    bool needsNames = false;
};

class Shell {
public:
    using ScreenFactory = std::function<QWidget*(Shell&)>;
    using DialogRunner = std::function<void(Shell&)>;

    virtual ~Shell() = default;

    // Rows of the window's top menu of this caption; a row whose id nothing
    // opens is disabled.
    virtual void addMenuRows(const char* menu, std::span<const MenuRow> rows) = 0;
    // A child screen for a menu entry; the window shows it maximised.
    virtual void registerScreen(const std::string& id, ScreenFactory factory) = 0;
    // A modal dialog for a menu entry, opened after the open screen closes.
    virtual void registerDialog(const std::string& id, DialogRunner open,
                                bool needsBook = true) = 0;

    virtual TfrmDM& dm() = 0;
    virtual Prompter& prompter() = 0;
    // The window dialogs open over.
    virtual QWidget* frame() = 0;
    // The totals read again, after a dialog moved balances.
    virtual void balancesMoved() = 0;
    // Ends the program without asking, so that the next start reads what was
    // just saved (a renamed book, new orders, the edition).
    virtual void endProgram() = 0;
    // The data file was restored: the open book is reloaded or another asked for.
    virtual void afterRestore() = 0;
};

// The factory of a screen made from the book and the prompter alone.
template <class Screen>
Shell::ScreenFactory screenOf() {
    return [](Shell& w) -> QWidget* { return new Screen(w.dm(), w.prompter()); };
}

// The runner of a modal dialog made from the book, the prompter, what each
// of `extra` gives for the shell, and the window as its parent.
template <class Dialog, class... Extra>
Shell::DialogRunner modalOf(Extra... extra) {
    return [=](Shell& w) {
        Dialog dialog(w.dm(), w.prompter(), extra(w)..., w.frame());
        dialog.exec();
    };
}

// For `modalOf`: a value the same for every opening.
template <class T>
auto given(T value) {
    return [value](Shell&) { return value; };
}

// For `modalOf`: how the dialog ends the program after a save.
inline std::function<void()> programEnd(Shell& w) {
    return [&w] { w.endProgram(); };
}

// A runner followed by the totals read again: the dialog moved balances.
inline Shell::DialogRunner thenBalancesMoved(Shell::DialogRunner open) {
    return [open = std::move(open)](Shell& w) {
        open(w);
        w.balancesMoved();
    };
}

// Registers the screens of a table of menu-entry ids.
inline void registerScreens(
    Shell& shell, std::initializer_list<std::pair<const char*, Shell::ScreenFactory>> screens) {
    for (const auto& [id, factory] : screens) {
        shell.registerScreen(id, factory);
    }
}

}  // namespace fennory::ui
