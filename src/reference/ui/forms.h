#pragma once
// The member form and the account form, shared by the reference screens and
// the first-book wizard's steps.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/accounts.h"
#include "reference/family.h"

namespace fennory::ui {

class MemberForm : public QObject {
    Q_OBJECT
public:
    // Lays the fields out in the group; the remark takes remarkBytes of GBK.
    MemberForm(QGroupBox* group, std::size_t remarkBytes);

    // The current member, browsing: the birthday as stored text.
    void showMember(const FamilyModel& model);
    void clear();  // a new member
    void startEditing(const FamilyModel& model);
    MemberInput input() const;
    void focus(MemberField f) const { widgets_.focus(f); }
    // "保存": the model saves what the form holds; a refusal is shown and its
    // field focused. True when saved.
    bool save(FamilyModel& model, Prompter& prompter);

    QLineEdit* name() const { return name_; }
    QLineEdit* relation() const { return relation_; }
    BirthdayField* birthday() const { return birthday_; }
    QLineEdit* remark() const { return remark_; }

private:
    QLineEdit* name_;
    QLineEdit* relation_;
    BirthdayField* birthday_;
    QLineEdit* remark_;
    FieldWidgets<MemberField> widgets_;
};

class AccountForm : public QObject {
    Q_OBJECT
public:
    AccountForm(QGroupBox* group, const char* amountCaption, std::size_t remarkBytes);

    void showAccount(const AccountsModel& model);
    // A new account: the types and members to choose from, nothing chosen.
    void clear(const std::vector<std::string>& types, const std::vector<std::string>& members,
               const QString& amount);
    AccountInput input() const;
    void focus(AccountField f) const { widgets_.focus(f); }
    bool save(AccountsModel& model, Prompter& prompter);

    QComboBox* type() const { return type_; }
    QComboBox* member() const { return member_; }
    QLineEdit* name() const { return name_; }
    MoneyEdit* amount() const { return amount_; }
    QLineEdit* remark() const { return remark_; }

private:
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    MoneyEdit* amount_;
    QLineEdit* remark_;
    FieldWidgets<AccountField> widgets_;
};

}  // namespace fennory::ui
