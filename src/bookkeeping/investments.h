#pragma once
// Investments: money taken out of an account into an investment category, its
// returns of principal and profit (or loss) paid into an account, and the
// adjustments of the principal. A profit or loss is also booked as an income
// or expense record of the category. Every action is one transaction.

#include <string>

#include "bookkeeping/loans.h"
#include "bookkeeping/record_list.h"
#include "core/check_result.h"
#include "core/data_module.h"

namespace fennory {

enum class InvestColumn { Book, Date, Kind, Amount, Profit, Account, Member, Remark, Id };
using InvestField = RecordField;  // the name is the investment category
using InvestCheck = RecordCheck;

using InvestInput = RecordInput;

struct ReturnInput {
    std::string date;
    std::string principal;  // as typed
    std::string profit;     // as typed; negative for a loss, empty reads as 0
    std::string account;
    std::string member;
    std::string remark;
};
enum class ReturnField { None, Principal, Profit, Account, Member };
using ReturnCheck = Check<ReturnField>;

class InvestmentModel : public BookedRecordModel<InvestColumn> {
public:
    InvestmentModel(TfrmDM& dm, std::function<std::string()> today = currentDate());

    // The grid stays usable while a record is entered; a row reaches the table
    // only through "保存".
    ButtonStates buttons() const override;

    void showInvestments(LoanScope scope);

    InvestInput startNewRecord() override;
    InvestCheck save(const InvestInput& in) override;
    CheckResult checkRemove() const;

    bool canReturn() const;
    ReturnCheck recordReturn(const ReturnInput& in);
    Table returns();
    void removeReturn(std::int64_t returnId);
    RepayCheck adjust(Adjustment how, const RepayInput& in);
    Table adjustments();

protected:

private:
    // The income (profit) or expense (loss) record of a profit, in the category.
    void bookProfit(Money profit, const std::string& date, const std::string& kind,
                    const std::string& account, const std::string& member,
                    const std::string& incomeRemark, const std::string& expenseRemark);
};

}  // namespace fennory
