#pragma once
// TfrmTZ "投资" with its return dialog TfrmTZ_R "收益", the return records
// TfrmTZ_V, the adjustments (TfrmTZ_ZJ) and their records (TfrmBList).

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/investments.h"
#include "bookkeeping/ui/money_dialogs.h"
#include "bookkeeping/ui/record_form_screen.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class TfrmTZ : public RecordFormScreen {
    Q_OBJECT
public:
    TfrmTZ(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr,
           std::function<std::string()> today = currentDate());
    InvestmentModel& model() { return model_; }

    void recordReturn();
    void showReturns();
    void adjust(Adjustment how);
    void showAdjustments();

protected:
    CheckResult checkRemove() const override { return model_.checkRemove(); }

private:
    InvestmentModel model_;
};

class TfrmTZ_R : public QDialog {
    Q_OBJECT
public:
    TfrmTZ_R(TfrmDM& dm, InvestmentModel& model, Prompter& prompter, QWidget* parent = nullptr);

private:
    DateEdit* date_;
    MoneyEdit* principal_;
    MoneyEdit* profit_;
    QComboBox* account_;
    QComboBox* member_;
    QLineEdit* remark_;
    QPushButton* save_;
};

using TfrmTZ_Q = RecordFilterDialog;
using TfrmTZ_ZJ = MoneyMoveDialog;
using TfrmTZ_V = RecordsDialog;

}  // namespace fennory::ui
