#pragma once
// Transfers between two accounts of the book: each moves two balances by the
// same amount and writes two fund-flow entries, from account first.

#include <functional>
#include <string>

#include "bookkeeping/record_list.h"
#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"

namespace fennory {

enum class TransferColumn { Id, Book, Date, From, To, Amount, Member, Remark };
enum class TransferField { None, Date, From, To, Amount, Member };
using TransferCheck = Check<TransferField>;

struct TransferInput {
    std::string date;
    std::string from, to;
    std::string amount;  // as typed
    std::string member;
    std::string remark;
    // Accounts the user agreed to create when asked.
    std::vector<std::string> agreedAccounts;
};

class TransferModel : public RecordListModel<TransferColumn> {
public:
    TransferModel(TfrmDM& dm, std::function<std::string()> today = currentDate());

    // A new transfer: the member defaults to the book's; date and accounts
    // keep what the form last had, which the view holds.
    std::string startNewTransfer();
    std::optional<TransferInput> startChangeTransfer();

    // A new transfer's remark gets " {from}->{to}" appended; a change keeps it.
    TransferCheck save(const TransferInput& in);

    std::vector<std::string> accounts() { return dm_.ComAccount(); }
    std::vector<std::string> members() { return dm_.ComFamily(); }

protected:
    void takeBack(std::size_t row, std::int64_t id) override;

private:
    TransferInput rowInput(std::size_t row) const;
    // Both sides of a transfer: direction +1 moves the money from -> to,
    // -1 takes it back.
    void book(int direction, const TransferInput& t, Money amount, std::int64_t id, LogEvent event);
};

}  // namespace fennory
