#pragma once
// The record screens whose form has a date, a category or contact, an amount,
// an account, a member and a remark: income, expense, debts, credits and
// investments. The form, its new and change states and its save are here once.

#include "bookkeeping/record_list.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

// What tells the forms apart.
struct FormLabels {
    QString group;
    QString dateLabel = QStringLiteral("日        期：");
    QString nameLabel;
    QString amountLabel;
    const char* nameTable;  // the list the name comes from, for the type-ahead
    const char* nameColumn;
    std::vector<std::string> names;
    // A new record keeps the date the picker last had (else the model's).
    bool keepPickerDate = false;
};

class RecordFormScreen : public BookkeepingScreen {
    Q_OBJECT
public:
    RecordFormScreen(TfrmDM& dm, ScreenModelBase& model, ListedRecords& list, EditedRecords& edited,
                     Prompter& prompter, const FormLabels& labels, const std::string& today,
                     QWidget* parent);

protected:
    void showCurrent() override { showInput(edited_.currentInput()); }
    void clearFields() override;
    void onChange() override;
    void onSave() override;
    QWidget* firstField() const override { return date_; }
    // What follows a save that passed, once the list shows it.
    virtual void afterSave() {}

    TfrmDM& dm_;
    Prompter& prompter_;

private:
    void showInput(const RecordInput& in);

    EditedRecords& edited_;
    bool keepPickerDate_;
    DateEdit* date_;
    NameCombo* name_;
    MoneyEdit* amount_;
    NameCombo* account_;
    NameCombo* member_;
    QLineEdit* remark_;
    FieldWidgets<RecordField> widgets_;
};

}  // namespace fennory::ui
