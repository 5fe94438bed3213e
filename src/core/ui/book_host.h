#pragma once
// What the book dialogs ask of the main window.

namespace fennory::ui {

class BookHost {
public:
    virtual ~BookHost() = default;
    // A book has been opened: caption, menus and totals follow it.
    virtual void bookOpened() = 0;
    // The book is no longer open (a refused password clears it).
    virtual void bookClosed() = 0;
};

}  // namespace fennory::ui
