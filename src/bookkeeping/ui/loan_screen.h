#pragma once
// TfrmBorrow "债务" and TfrmDebt "债权": one screen, two configurations; with
// the filter dialog, the repayment or collection dialog, its records, the
// adjustment dialog and the adjustment records (TfrmBList), each one class
// for both sides.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/loans.h"
#include "bookkeeping/ui/money_dialogs.h"
#include "bookkeeping/ui/record_form_screen.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class LoanScreen : public RecordFormScreen {
    Q_OBJECT
public:
    LoanScreen(TfrmDM& dm, Prompter& prompter, const LoanKind& kind, QWidget* parent = nullptr,
               std::function<std::string()> today = currentDate());
    LoanModel& model() { return model_; }

    void repay();
    void showRepayments();
    void adjust(Adjustment how);
    void showAdjustments();
    void writeOff();

protected:
    CheckResult checkRemove() const override { return model_.checkRemove(); }

private:
    LoanModel model_;
};

using TfrmBorrow = TwinScreen<LoanScreen, debtLoans>;
using TfrmDebt = TwinScreen<LoanScreen, creditLoans>;

// The dialogs of the twins: one implementation each, for both sides.
using TfrmBorrow_Q = RecordFilterDialog;
using TfrmDebt_Q = RecordFilterDialog;
using TfrmBorrow_R = MoneyMoveDialog;  // 还债
using TfrmDebt_R = MoneyMoveDialog;    // 收债
using TfrmB_ZJ = MoneyMoveDialog;
using TfrmD_ZJ = MoneyMoveDialog;
using TfrmBorrow_V = RecordsDialog;
using TfrmDebt_V = RecordsDialog;
using TfrmBList = RecordsDialog;

}  // namespace fennory::ui
