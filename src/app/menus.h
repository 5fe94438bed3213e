#pragma once
// The window's own part of its menus and toolbar: the top menus in their
// order, the rows the window itself answers (books opened and closed, the
// tools and help), and the toolbar's buttons. Modules add the other rows.

#include <span>

#include "core/ui/shell.h"

namespace fennory::ui {

struct TopMenu {
    const char* caption;
    bool needsBook;  // the whole menu shows only while a book is open
};

std::span<const TopMenu> topMenus();
void addWindowMenuRows(Shell& shell);

struct ToolEntry {
    const char* caption;
    const char* id;
    const char* icon;
};

std::span<const ToolEntry> toolEntries();

}  // namespace fennory::ui
