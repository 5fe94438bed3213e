#pragma once
// Opening a book with its password; the remembered book and password; the
// open book's settings.

#include <string>
#include <vector>

#include "books/book_creation.h"
#include "core/check_result.h"
#include "core/data_module.h"

namespace fennory {

// What the open-book dialog shows when it appears.
struct OpenDialogStart {
    std::vector<std::string> books;  // every book
    std::string book;                // preselected: the remembered one
    bool rememberBook = false;
    std::string password;  // the remembered password
    bool rememberPassword = false;
    BookField focus = BookField::BookList;
};
// `offered`: a book just created, which the dialog offers in place of the
// remembered one, so that "打开" opens it.
OpenDialogStart openDialogStart(TfrmDM& dm, const std::string& offered = {});

struct OpenInput {
    std::string book;
    std::string password;
    bool rememberBook = false;
    bool rememberPassword = false;
};

// "打开": checks, then the book becomes CurrentBook with its OpenBookState, and
// the remembered book and password are saved, in one transaction. A refused
// password leaves the book open until now (if any) open.
BookCheck openBook(TfrmDM& dm, const OpenInput& in);

// A book opened by a script: the same password, nothing remembered.
BookCheck openBookForScript(TfrmDM& dm, const std::string& book, const std::string& password);

// Whether the data file holds a book of this name.
bool bookExists(TfrmDM& dm, const std::string& book);

// Loads SBook's order codes and the SMRX row of CurrentBook into OpenBookState.
void loadOpenBookState(TfrmDM& dm);

}  // namespace fennory
