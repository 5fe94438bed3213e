#pragma once
// TfrmTZ "投资" with its return dialog TfrmTZ_R "收益", the return records
// TfrmTZ_V, the adjustments (TfrmTZ_ZJ) and their records (TfrmBList).

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/investments.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "bookkeeping/ui/money_dialogs.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class TfrmTZ : public BookkeepingScreen {
    Q_OBJECT
public:
    TfrmTZ(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr,
           std::function<std::string()> today = currentDate());
    InvestmentModel& model() { return model_; }
    NameCombo* kindField() const { return kind_; }
    MoneyEdit* amountField() const { return amount_; }
    NameCombo* accountField() const { return account_; }
    NameCombo* memberField() const { return member_; }

    void recordReturn();
    void showReturns();
    void adjust(Adjustment how);
    void showAdjustments();

protected:
    void showCurrent() override;
    void clearFields() override;
    void onChange() override;
    void onSave() override;
    bool runFilter() override;
    CheckResult checkRemove() const override { return model_.checkRemove(); }
    QWidget* firstField() const override { return date_; }

private:
    void showInput(const InvestInput& in);

    TfrmDM& dm_;
    Prompter& prompter_;
    InvestmentModel model_;
    DateEdit* date_;
    NameCombo* kind_;
    MoneyEdit* amount_;
    NameCombo* account_;
    NameCombo* member_;
    QLineEdit* remark_;
    FieldWidgets<InvestField> widgets_;
};

class TfrmTZ_R : public QDialog {
    Q_OBJECT
public:
    TfrmTZ_R(TfrmDM& dm, InvestmentModel& model, Prompter& prompter, QWidget* parent = nullptr);
    MoneyEdit* principalField() const { return principal_; }
    MoneyEdit* profitField() const { return profit_; }
    QPushButton* saveButton() const { return save_; }

private:
    DateEdit* date_;
    MoneyEdit* principal_;
    MoneyEdit* profit_;
    QComboBox* account_;
    QComboBox* member_;
    QLineEdit* remark_;
    QPushButton* save_;
};

}  // namespace fennory::ui
