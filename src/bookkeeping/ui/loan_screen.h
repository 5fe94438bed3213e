#pragma once
// TfrmBorrow "债务" and TfrmDebt "债权": one screen, two configurations; with
// the filter dialog, the repayment or collection dialog, its records, the
// adjustment dialog and the adjustment records (TfrmBList), each one class
// for both sides.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/loans.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "bookkeeping/ui/money_dialogs.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class LoanScreen : public BookkeepingScreen {
    Q_OBJECT
public:
    LoanScreen(TfrmDM& dm, Prompter& prompter, const LoanKind& kind, QWidget* parent = nullptr,
               std::function<std::string()> today = currentDate());
    LoanModel& model() { return model_; }
    DateEdit* dateField() const { return date_; }
    NameCombo* partyField() const { return party_; }
    MoneyEdit* amountField() const { return amount_; }
    NameCombo* accountField() const { return account_; }
    NameCombo* memberField() const { return member_; }
    QLineEdit* remarkField() const { return remark_; }

    void repay();
    void showRepayments();
    void adjust(Adjustment how);
    void showAdjustments();
    void writeOff();

protected:
    void showCurrent() override;
    void clearFields() override;
    void onChange() override;
    void onSave() override;
    bool runFilter() override;
    CheckResult checkRemove() const override { return model_.checkRemove(); }
    QWidget* firstField() const override { return date_; }

private:
    void showInput(const LoanInput& in);

    TfrmDM& dm_;
    Prompter& prompter_;
    LoanModel model_;
    DateEdit* date_;
    NameCombo* party_;
    MoneyEdit* amount_;
    NameCombo* account_;
    NameCombo* member_;
    QLineEdit* remark_;
    FieldWidgets<LoanField> widgets_;
};

class TfrmBorrow : public LoanScreen {
    Q_OBJECT
public:
    TfrmBorrow(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : LoanScreen(dm, p, debtLoans(), parent) {}
};

class TfrmDebt : public LoanScreen {
    Q_OBJECT
public:
    TfrmDebt(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : LoanScreen(dm, p, creditLoans(), parent) {}
};

}  // namespace fennory::ui
