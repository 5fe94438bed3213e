#pragma once
// The main window's menus and toolbar as data: what each entry is called,
// its shortcut, and which entries show only while a book is open.

#include <span>

namespace fennory::ui {

struct MenuEntry {
    enum Kind { Top, Entry, Separator, Sub, EndSub } kind;
    const char* id = nullptr;  // the entry's id; for Top, nothing
    const char* caption = nullptr;
    const char* shortcut = nullptr;
    // Top: the whole menu needs an open book. Entry or Separator: this item does.
    bool needsBook = false;
};

std::span<const MenuEntry> menuEntries();

struct ToolEntry {
    const char* caption;
    const char* id;
    const char* icon;
};

std::span<const ToolEntry> toolEntries();

}  // namespace fennory::ui
