#pragma once
// Debts (money the household owes) and credits (money it is owed): one model,
// two kinds told apart by LoanKind, with their repayments or collections and
// the adjustments of the outstanding amount. Every action is one transaction.

#include <string>

#include "bookkeeping/record_list.h"
#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"

namespace fennory {

// Everything that tells the debt side from the credit side.
// Where its records are kept and how they move money is its record type's.
struct LoanKind {
    RecordType type;
    const char* caption;      // "债务": the log's kind and the threshold kind
    const char* repayTable;   // BorrowR
    const char* adjustTable;  // BList
    const char* keyColumn;    // BID
    const char* partyAlias;   // 债权人
    const char* amountAlias;  // 债务金额
    const char* repaidAlias;  // 已还金额
    const char* emptyParty;
    const char* emptyAmountNew;
    const char* emptyAmountChange;
    const char* deleteRefused;
    // +1: a new loan puts money into its account (a debt), -1: takes it out.
    bool BookState::*unpaidOnly;  // D_B or D_D
    // Repayments (debt) or collections (credit).
    const char* repayCaption;  // "还债"
    const char* repayAmount;   // "还债金额"
    const char* repayTooMuch;
    const char* noAccount;
    const char* repayDeletedRemark;
    const char* increaseType;  // "增加债务"
    const char* decreaseType;
};
const LoanKind& debtLoans();
const LoanKind& creditLoans();

enum class LoanColumn { Book, Date, Party, Amount, Account, Member, Repaid, Remark, Id };
using LoanField = RecordField;  // the name is the contact
using LoanCheck = RecordCheck;

enum class LoanScope { Unpaid, Paid, All };

using LoanInput = RecordInput;

// A repayment or collection, and an adjustment, as their dialogs take them.
struct RepayInput {
    std::string date;
    std::string amount;  // as typed
    std::string account;
    std::string member;
    std::string remark;
};
enum class RepayField { None, Amount, Account, Member };
using RepayCheck = Check<RepayField>;
enum class Adjustment { Increase, Decrease };

// The checks of an adjustment, in their order (nothing to do without a
// record); the amount when they pass.
RepayCheck checkAdjustment(bool hasRecord, const RepayInput& in, Money& amount);

class LoanModel : public BookedRecordModel<LoanColumn> {
public:
    LoanModel(TfrmDM& dm, const LoanKind& kind, std::function<std::string()> today = currentDate());
    const LoanKind& kind() const { return kind_; }

    void showLoans(LoanScope scope);

    LoanInput startNewRecord() override;
    LoanCheck save(const LoanInput& in) override;
    // Refused, with its message, while anything has been repaid.
    CheckResult checkRemove() const;

    // "坏账 &H" of a credit: nothing outstanding, no balance or log moves.
    void writeOff(std::int64_t id);

    // "还债"/"收债" opens only while something is outstanding.
    bool canRepay() const;
    // "还债"/"收债" of the current loan; the loan stays current.
    RepayCheck repay(const RepayInput& in);
    // The current loan's repayments, newest first, and the deletion of one.
    Table repayments();
    void removeRepayment(std::int64_t repaymentId);
    // An increase or decrease of the current loan's outstanding amount.
    RepayCheck adjust(Adjustment how, const RepayInput& in);
    Table adjustments();

protected:
private:
    const LoanKind& kind_;
};

}  // namespace fennory
