#pragma once
// The wizard's member and account steps: record screens with a next button.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "core/data_module.h"
#include "core/ui/book_host.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {

class MemberStep : public RecordScreen {
    Q_OBJECT
  public:
    MemberStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QLineEdit* nameField() const { return name_; }
    QLineEdit* relationField() const { return relation_; }
    DateEdit* birthdayPicker() const { return picker_; }
    QLineEdit* remarkField() const { return remark_; }
    QPushButton* nextButton() const { return next_; }
    void reload();
    void refreshStates() override;

  signals:
    void nextClicked();

  protected:
    void showRow(int row) override;
    void onAdd() override;
    void onSave() override;
    void onCancel() override;
    void onDelete() override;

  private:
    TfrmDM& dm_;
    Prompter& prompter_;
    QLineEdit* name_;
    QLineEdit* relation_;
    QStackedWidget* birthday_;
    QLineEdit* birthdayText_;
    DateEdit* picker_;
    QLineEdit* remark_;
    QPushButton* next_;
    bool nextAllowed_ = false;
};

class AccountStep : public RecordScreen {
    Q_OBJECT
  public:
    AccountStep(TfrmDM& dm, Prompter& prompter, QWidget* parent);
    QComboBox* typeField() const { return type_; }
    QComboBox* memberField() const { return member_; }
    QLineEdit* nameField() const { return name_; }
    MoneyEdit* amountField() const { return amount_; }
    QLineEdit* remarkField() const { return remark_; }
    QPushButton* finishButton() const { return finish_; }
    void reload();
    void refreshStates() override;

  protected:
    void showRow(int row) override;
    void onAdd() override;
    void onSave() override;
    void onCancel() override;
    void onDelete() override;

  private:
    TfrmDM& dm_;
    Prompter& prompter_;
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    MoneyEdit* amount_;
    QLineEdit* remark_;
    QPushButton* finish_;
    bool finishAllowed_ = false;
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
