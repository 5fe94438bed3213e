#pragma once
// Money accounts of the open book: list, add with the "开户" entry, delete at
// a zero balance, switch on and off, edit with the rename carried through the
// book, and adjust the balance to the real amount with a "调账" entry.
// The accounts screen and the wizard's account step share this model; they
// differ only in the rows of AccountsKind.

#include <string>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"
#include "reference/editors.h"

namespace fennory {

// The fields of the account forms a failed check focuses.
enum class AccountField { None, Type, Member, Name, Amount, Real };
using AccountCheck = Check<AccountField>;

struct AccountInput {
    std::string type;
    std::string member;
    std::string name;
    std::string amount;  // as typed
    std::string remark;
};

enum class AccountColumn { Type, Member, Name, Pinyin, Book, Balance, Remark, State, Id, Count };

// What tells the accounts screen and the wizard's step apart.
struct AccountsKind {
    std::span<const ColumnDef> columns;
    bool byBookOrder;         // the book's drop-down order, else the order made
    const char* amountLabel;  // the amount's caption in the messages
};
const AccountsKind& accountsScreen();
const AccountsKind& openingAccounts();

// Adds the account with its opening entry, in one transaction; its ID when
// newId is given.
AccountCheck addAccount(TfrmDM& dm, const AccountInput& in, const std::string& amountLabel,
                        std::int64_t* newId = nullptr);

class AccountsModel : public ScreenModel<AccountColumn> {
public:
    explicit AccountsModel(TfrmDM& dm, const AccountsKind& kind = accountsScreen());

    // The book's accounts as this screen lists them.
    Table list() { return load(); }

    // "保存" of the entry state: a new account, current afterwards.
    AccountCheck save(const AccountInput& in);
    AccountCheck add(const AccountInput& in) { return addAccount(dm_, in, kind_.amountLabel); }

    // Refused without a question when the stored balance is not zero.
    CheckResult checkDelete(Money balance) const;
    CheckResult checkRemoveCurrent() const;
    void remove(std::int64_t id) override;

    void setState(std::int64_t id, const std::string& state);

    struct Edit {
        std::int64_t id = 0;
        std::string oldName;
        std::string type, member, name, remark;
    };
    // The current account as the edit dialog starts with it.
    Edit editOfCurrent() const;
    AccountCheck edit(const Edit& e);

    struct Adjust {
        std::int64_t id = 0;
        std::string name, member;
        std::string shownBalance;  // the balance as the dialog shows it
        std::string realBalance;   // as typed
    };
    Adjust adjustOfCurrent() const;
    AccountCheck adjust(const Adjust& a);

    // The names the form's drop-downs offer.
    std::vector<std::string> types() { return dm_.DBComSAType(); }
    std::vector<std::string> members() { return dm_.ComFamily(); }

    // The current row for the pinyin-code and use-count editors.
    NameRow currentNameRow() const;

protected:
    Table load() override;

private:
    TfrmDM& dm_;
    const AccountsKind& kind_;
};

}  // namespace fennory
