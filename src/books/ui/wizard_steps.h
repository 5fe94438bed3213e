#pragma once
// The wizard's member and account steps: the reference screens' forms in a
// record screen with a last button that leads on.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "books/wizard.h"
#include "core/data_module.h"
#include "core/ui/book_host.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/ui/forms.h"

namespace fennory::ui {

// A wizard step: add, save, cancel and delete, and a last button that becomes
// available after the first save or cancel.
class WizardStep : public RecordScreen {
    Q_OBJECT
public:
    WizardStep(ScreenModelBase& model, WizardStepKind kind, Prompter& prompter,
               const QString& lastCaption, QWidget* parent);
    QPushButton* nextButton() const { return next_; }
    void refreshStates() override;
    // The last button's check: at least one row.
    CheckResult checkNext() const { return gate_.checkNext(screenModel()); }

protected:
    void onCancel() override;
    // After a save: back to browsing with the new row current.
    void saved();
    CheckResult namedRow(const QLineEdit* name) const {
        return hasCurrentRow() && !name->text().isEmpty() ? CheckResult::pass()
                                                          : CheckResult::nothingToDo();
    }

    Prompter& prompter_;

private:
    QPushButton* next_;
    WizardGate gate_;
};

class MemberStep : public WizardStep {
    Q_OBJECT
public:
    MemberStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QLineEdit* nameField() const { return form_->name(); }
    QLineEdit* relationField() const { return form_->relation(); }
    DateEdit* birthdayPicker() const { return form_->birthday()->picker(); }
    QLineEdit* remarkField() const { return form_->remark(); }

protected:
    void showCurrent() override { form_->showMember(model_); }
    void clearFields() override { form_->clear(); }
    void onSave() override;
    QWidget* firstField() const override { return form_->name(); }
    // A row without a name is not deleted.
    CheckResult checkRemove() const override { return namedRow(form_->name()); }

private:
    FamilyModel model_;
    MemberForm* form_;
};

class AccountStep : public WizardStep {
    Q_OBJECT
public:
    AccountStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QComboBox* memberField() const { return form_->member(); }
    QLineEdit* nameField() const { return form_->name(); }
    MoneyEdit* amountField() const { return form_->amount(); }
    QLineEdit* remarkField() const { return form_->remark(); }
    QPushButton* finishButton() const { return nextButton(); }

protected:
    void showCurrent() override { form_->showAccount(model_); }
    void clearFields() override;
    void onSave() override;
    QWidget* firstField() const override { return form_->type(); }
    CheckResult checkRemove() const override { return namedRow(form_->name()); }

private:
    AccountsModel model_;
    AccountForm* form_;
};

// A wizard page around one step: the hint, the framed step, and the check of
// its last button before the next page appears.
class WizardPage : public QDialog {
    Q_OBJECT
protected:
    WizardPage(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent);
    void setUp(WizardStep* step, const char* caption, const char* hint, const char* groupTitle);
    // The next page, once the step has what it needs; this page is hidden by then.
    virtual void leadOn() = 0;

    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
};

// "家庭成员管理": at least one member, then the accounts step.
class TfrmNewF : public WizardPage {
    Q_OBJECT
public:
    TfrmNewF(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    MemberStep* step() const { return step_; }

private:
    void leadOn() override;
    MemberStep* step_;
};

// "账户初始金额": at least one account, then the open-book dialog.
class TfrmNewA : public WizardPage {
    Q_OBJECT
public:
    TfrmNewA(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    AccountStep* step() const { return step_; }

private:
    void leadOn() override;
    AccountStep* step_;
};

}  // namespace fennory::ui
