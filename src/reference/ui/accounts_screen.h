#pragma once
// TfrmA_Manage "账户管理", with TfrmA_M "修改账户" and TfrmA_TZ "调整账户余额".

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "core/data_module.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/accounts.h"
#include "reference/ui/forms.h"
#include "reporting/ui/export.h"

namespace fennory::ui {

class TfrmA_Manage : public RecordScreen {
    Q_OBJECT
public:
    TfrmA_Manage(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);

    AccountsModel& model() { return model_; }
    QComboBox* memberField() const { return form_->member(); }
    QLineEdit* nameField() const { return form_->name(); }
    MoneyEdit* balanceField() const { return form_->amount(); }
    QLineEdit* remarkField() const { return form_->remark(); }
    QMenu* contextMenu() const { return gridMenu(); }

    void adjustBalance();
    void editAccount();

protected:
    void showCurrent() override { form_->showAccount(model_); }
    void clearFields() override;
    void onSave() override;
    CheckResult checkRemove() const override { return model_.checkRemoveCurrent(); }
    QWidget* firstField() const override { return form_->type(); }

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    AccountsModel model_;
    AccountForm* form_;
};

class TfrmA_M : public QDialog {
    Q_OBJECT
public:
    TfrmA_M(AccountsModel& model, Prompter& prompter, QWidget* parent = nullptr);

private:
    void onSave();
    AccountsModel& model_;
    Prompter& prompter_;
    AccountsModel::Edit current_;
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    QLineEdit* remark_;
    QPushButton* save_;
    FieldWidgets<AccountField> widgets_;
};

class TfrmA_TZ : public QDialog {
    Q_OBJECT
public:
    TfrmA_TZ(AccountsModel& model, Prompter& prompter, QWidget* parent = nullptr);

private:
    void onSave();
    AccountsModel& model_;
    Prompter& prompter_;
    AccountsModel::Adjust account_;
    QLineEdit* real_;
    QPushButton* save_;
};

}  // namespace fennory::ui
