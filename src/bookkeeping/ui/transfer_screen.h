#pragma once
// TfrmChangeT "转账" with its filter dialog TfrmChangeT_Q "帐户转账查询".

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/transfers.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class TfrmChangeT : public BookkeepingScreen {
    Q_OBJECT
public:
    TfrmChangeT(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr,
                std::function<std::string()> today = currentDate());
    TransferModel& model() { return model_; }

protected:
    void showCurrent() override;
    void clearFields() override;
    void onChange() override;
    void onSave() override;
    QWidget* firstField() const override { return date_; }

private:
    void showInput(const TransferInput& in);

    TfrmDM& dm_;
    Prompter& prompter_;
    TransferModel model_;
    DateEdit* date_;
    NameCombo* from_;
    NameCombo* to_;
    MoneyEdit* amount_;
    NameCombo* member_;
    QLineEdit* remark_;
    FieldWidgets<TransferField> widgets_;
};

using TfrmChangeT_Q = RecordFilterDialog;

}  // namespace fennory::ui
