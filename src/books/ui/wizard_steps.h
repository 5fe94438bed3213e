#pragma once
// The wizard's member and account steps: record screens with a last button
// that leads on.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/data_module.h"
#include "core/ui/book_host.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {

// A wizard step: add, save, cancel and delete, and a last button that becomes
// available after the first save or cancel.
class WizardStep : public RecordScreen {
    Q_OBJECT
public:
    WizardStep(TfrmDM& dm, Prompter& prompter, const QString& lastCaption, QWidget* parent);
    QPushButton* nextButton() const { return next_; }
    void refreshStates() override;
    virtual void reload() = 0;

protected:
    void onCancel() override;
    void onDelete() override;
    // After a save: back to browsing with the new row current.
    void saved();
    virtual void removeRow(std::int64_t id) = 0;
    // The name field: a row without a name is not deleted.
    virtual QLineEdit* nameWidget() const = 0;

    TfrmDM& dm_;
    Prompter& prompter_;

private:
    QPushButton* next_;
    bool nextAllowed_ = false;
};

class MemberStep : public WizardStep {
    Q_OBJECT
public:
    MemberStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QLineEdit* nameField() const { return name_; }
    QLineEdit* relationField() const { return relation_; }
    DateEdit* birthdayPicker() const { return birthday_->picker(); }
    QLineEdit* remarkField() const { return remark_; }
    void reload() override;

protected:
    void showRow(int row) override;
    void onAdd() override;
    void onSave() override;
    void onCancel() override;
    void removeRow(std::int64_t id) override;
    QLineEdit* nameWidget() const override { return name_; }

private:
    QLineEdit* name_;
    QLineEdit* relation_;
    BirthdayField* birthday_;
    QLineEdit* remark_;
};

class AccountStep : public WizardStep {
    Q_OBJECT
public:
    AccountStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QComboBox* typeField() const { return type_; }
    QComboBox* memberField() const { return member_; }
    QLineEdit* nameField() const { return name_; }
    MoneyEdit* amountField() const { return amount_; }
    QLineEdit* remarkField() const { return remark_; }
    QPushButton* finishButton() const { return nextButton(); }
    void reload() override;

protected:
    void showRow(int row) override;
    void onAdd() override;
    void onSave() override;
    void removeRow(std::int64_t id) override;
    QLineEdit* nameWidget() const override { return name_; }

private:
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    MoneyEdit* amount_;
    QLineEdit* remark_;
};

// "家庭成员管理": at least one member, then the accounts step.
class TfrmNewF : public QDialog {
    Q_OBJECT
public:
    TfrmNewF(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    MemberStep* step() const { return step_; }

private:
    void onNext();
    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
    MemberStep* step_;
};

// "账户初始金额": at least one account, then the open-book dialog.
class TfrmNewA : public QDialog {
    Q_OBJECT
public:
    TfrmNewA(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    AccountStep* step() const { return step_; }

private:
    void onFinish();
    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
    AccountStep* step_;
};

}  // namespace fennory::ui
