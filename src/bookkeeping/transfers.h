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
};

struct TransferFilter {
    bool byDate = true;
    std::string from, to;
    bool byMember = false;
    std::string member;
    bool byRemark = false;
    std::string remark;
};

class TransferModel : public ListedRecords, public ScreenModel<TransferColumn> {
public:
    TransferModel(TfrmDM& dm, std::function<std::string()> today = currentDate());

    void setScope(ListScope scope) override;
    void setFilter(const TransferFilter& filter);
    TransferFilter initialFilter() const;
    const ListTotals& totals() const override { return totals_; }

    // A new transfer: the member defaults to the book's; date and accounts
    // keep what the form last had, which the view holds.
    std::string startNewTransfer();
    std::optional<TransferInput> startChangeTransfer();

    // A new transfer's remark gets " {from}->{to}" appended; a change keeps it.
    TransferCheck save(const TransferInput& in);
    void remove(std::int64_t id) override;
    void removeAllListed(
        const std::function<void(std::size_t, std::size_t)>& progress = {}) override;

    std::vector<std::string> accounts() { return dm_.ComAccount(); }
    std::vector<std::string> members() { return dm_.ComFamily(); }

protected:
    Table load() override;

private:
    TransferInput rowInput(std::size_t row) const;
    // Both sides of a transfer: direction +1 moves the money from -> to,
    // -1 takes it back.
    void book(int direction, const TransferInput& t, Money amount, std::int64_t id,
              const char* event);

    TfrmDM& dm_;
    std::function<std::string()> today_;
    Condition condition_;
    ListTotals totals_;
};

}  // namespace fennory
