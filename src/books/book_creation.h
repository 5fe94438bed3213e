#pragma once
// Creating books: the first-book wizard (book, members, accounts) and the
// further-book dialog that copies reference data from an existing book.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"

namespace fennory {

// The default category lists, in the order users see them.
const std::vector<std::string>& myNewIn();
const std::vector<std::string>& myNewOut();
const std::vector<std::string>& myNewTZ();

struct BookNum {
    int count = 0;
    std::string proposedName;  // "我家账簿" followed by the count, or alone for 0
};
BookNum myBookNum(Database& db);

// The dialog a book is made with: the first-book wizard while the data file
// has no book, the further-book dialog after that. At start-up with books the
// open-book dialog appears instead.
enum class BookDialog { FirstBook, FurtherBook, OpenBook };
BookDialog newBookDialog(Database& db);
BookDialog startUpDialog(Database& db);

// The fields of the book dialogs a failed check focuses.
enum class BookField {
    None,
    Name,
    Password,
    Confirm,
    BookList,
    Open,
    // The book drop-downs of the copy groups, in the groups' order.
    CopyIncome,
    CopyExpense,
    CopyInvestment,
    CopyMembers,
    CopyAccounts,
    CopyContacts,
};
using BookCheck = Check<BookField>;

struct NewBookInput {
    std::string name;
    std::string password;
    std::string confirm;
    std::string description;
    bool defaultIncome = true;
    bool defaultExpense = true;
    bool defaultInvestment = true;
};

// Checks of the book fields, in their order: confirmation, name, duplicate.
BookCheck checkNewBook(Database& db, const NewBookInput& in);

// The first-book dialog's "下一步": the book row, the ticked default lists and
// the settings row, in one transaction. On success CurrentBook is the new
// book (not yet opened).
BookCheck createFirstBook(TfrmDM& dm, const NewBookInput& in);

// ---- the further-book dialog ----

enum class CopyChoice { FromBook, Default, Empty };

// The six copy groups in their order.
enum CopyGroup {
    kCopyIncome,
    kCopyExpense,
    kCopyInvestment,
    kCopyMembers,
    kCopyAccounts,
    kCopyContacts,
    kCopyGroupCount
};

struct CopySource {
    CopyChoice choice = CopyChoice::Empty;
    std::string book;  // the book to copy from, for CopyChoice::FromBook
};

struct NewBook1Input {
    NewBookInput book;
    std::array<CopySource, kCopyGroupCount> groups{};
};

// The preselected choices: default lists for the categories, nothing else.
std::array<CopySource, kCopyGroupCount> defaultCopySources();

// The book drop-down of a group, for focusing it.
BookField copyGroupField(int group);

// "保存": every check first, then the book, its copied or default lists and
// its settings row in one transaction. CurrentBook does not change.
BookCheck createBookWithCopies(TfrmDM& dm, const NewBook1Input& in);

}  // namespace fennory
