#pragma once
// Money accounts of the open book: list, add with the "开户" entry, delete at
// a zero balance, switch on and off, edit with the rename carried through the
// book, and adjust the balance to the real amount with a "调账" entry.

#include <string>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"

namespace fennory {

struct AccountInput {
    std::string type;
    std::string member;
    std::string name;
    std::string amount;  // as typed
    std::string remark;
};

// Adds the account with its opening entry, in one transaction. amountLabel is
// the field's caption in the messages ("账户余额" here, "初始金额" in the wizard).
CheckResult addAccount(TfrmDM& dm, const AccountInput& in, const std::string& amountLabel);

// Every table column that names an account, in the order a rename updates them.
const std::vector<std::pair<std::string, std::string>>& accountNameColumns();

class AccountsModel {
public:
    explicit AccountsModel(TfrmDM& dm) : dm_(dm) {}

    // The book's accounts in its drop-down order.
    Table list();

    CheckResult add(const AccountInput& in) { return addAccount(dm_, in, "账户余额"); }

    // Refused without a question when the balance is not zero.
    CheckResult checkDelete(Money balance) const;
    void remove(std::int64_t id);

    void setState(std::int64_t id, const std::string& state);

    struct Edit {
        std::int64_t id = 0;
        std::string oldName;
        std::string type, member, name, remark;
    };
    CheckResult edit(const Edit& e);

    struct Adjust {
        std::int64_t id = 0;
        std::string name, member;
        std::string shownBalance;  // the balance as the dialog shows it
        std::string realBalance;   // as typed
    };
    CheckResult adjust(const Adjust& a);

private:
    TfrmDM& dm_;
};

}  // namespace fennory
