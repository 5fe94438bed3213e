#pragma once
// TfrmInTable "收入" and TfrmOutTable "支出": one screen, two configurations,
// with their filter dialogs TfrmInTable_Q "收入查询" and TfrmOutTable_Q "支出查询".

#include <QDialog>
#include <QLineEdit>

#include "bookkeeping/entries.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

class EntryScreen : public BookkeepingScreen {
    Q_OBJECT
public:
    EntryScreen(TfrmDM& dm, Prompter& prompter, const EntryKind& kind, QWidget* parent = nullptr,
                std::function<std::string()> today = currentDate());
    EntryModel& model() { return model_; }
    DateEdit* dateField() const { return date_; }
    NameCombo* nameField() const { return name_; }
    MoneyEdit* amountField() const { return amount_; }
    NameCombo* accountField() const { return account_; }
    NameCombo* memberField() const { return member_; }
    QLineEdit* remarkField() const { return remark_; }

protected:
    void showCurrent() override;
    void clearFields() override;
    void onChange() override;
    void onSave() override;
    bool runFilter() override;
    QWidget* firstField() const override { return date_; }

private:
    void showInput(const EntryInput& in);

    TfrmDM& dm_;
    Prompter& prompter_;
    EntryModel model_;
    DateEdit* date_;
    NameCombo* name_;
    MoneyEdit* amount_;
    NameCombo* account_;
    NameCombo* member_;
    QLineEdit* remark_;
    FieldWidgets<EntryField> widgets_;
};

class TfrmInTable : public EntryScreen {
    Q_OBJECT
public:
    TfrmInTable(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : EntryScreen(dm, p, incomeEntry(), parent) {}
};

class TfrmOutTable : public EntryScreen {
    Q_OBJECT
public:
    TfrmOutTable(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : EntryScreen(dm, p, expenseEntry(), parent) {}
};

// The filter dialogs of the twins.
using TfrmInTable_Q = RecordFilterDialog;
using TfrmOutTable_Q = RecordFilterDialog;

}  // namespace fennory::ui
