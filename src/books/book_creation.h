#pragma once
// Creating books: the first-book wizard (book, members, accounts) and the
// further-book dialog that copies reference data from an existing book.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"

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

// Field names a check may focus.
namespace field {
inline constexpr const char* kBookName = "name";
inline constexpr const char* kPassword = "password";
inline constexpr const char* kConfirm = "confirm";
inline constexpr const char* kBookList = "book";
inline constexpr const char* kOpen = "open";
inline constexpr const char* kMemberName = "FName";
inline constexpr const char* kAccountType = "theType";
inline constexpr const char* kAccountMember = "FName";
inline constexpr const char* kAccountName = "AName";
inline constexpr const char* kAmount = "AMoney";
}  // namespace field

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
CheckResult checkNewBook(Database& db, const NewBookInput& in);

// The first-book dialog's "下一步": the book row, the ticked default lists and
// the settings row, in one transaction. On success CurrentBook is the new
// book (not yet opened).
CheckResult createFirstBook(TfrmDM& dm, const NewBookInput& in);

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

// Field name of a group's book drop-down, for focusing it.
std::string copyGroupField(int group);

// "保存": every check first, then the book, its copied or default lists and
// its settings row in one transaction. CurrentBook does not change.
CheckResult createBookWithCopies(TfrmDM& dm, const NewBook1Input& in);

// ---- wizard steps ----

struct MemberInput {
    std::string name;
    std::string relation;
    std::string birthday;  // "yyyy-mm-dd"
    std::string remark;
};

// The members step's list of the open book.
Table memberList(TfrmDM& dm);
CheckResult saveMember(TfrmDM& dm, const MemberInput& in);
void deleteMember(TfrmDM& dm, std::int64_t id);

struct OpeningAccountInput {
    std::string type;
    std::string member;
    std::string name;
    std::string amount;  // as typed
    std::string remark;
};

Table openingAccountList(TfrmDM& dm);
// Stores the account and its "开户" log entry (dated StartupDate) together.
CheckResult saveOpeningAccount(TfrmDM& dm, const OpeningAccountInput& in);
void deleteOpeningAccount(TfrmDM& dm, std::int64_t id);

}  // namespace fennory
