#pragma once
// A bank statement's columns: BankLayoutDialog names them for a statement of
// an unknown layout; BankLayoutsDialog "对账单格式" lists the saved layouts to
// change or delete.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>

#include <string>
#include <vector>

#include "core/database.h"
#include "core/ui/prompter.h"
#include "import/bills.h"

namespace fennory::ui {

// The columns of a bank's statement, named once.
class BankLayoutDialog : public QDialog {
    Q_OBJECT
public:
    BankLayoutDialog(const std::vector<std::string>& header, Prompter& prompter,
                     QWidget* parent = nullptr);
    // The columns of a layout saved before, to change it.
    void preset(const BankLayout& l);
    // In the order of bankLayoutFields().
    QComboBox* column(int i) const { return columns_.at(static_cast<std::size_t>(i)); }
    BankLayout layout() const;

private:
    void onSave();
    Prompter& prompter_;
    QLineEdit* name_;
    std::vector<QComboBox*> columns_;
    QCheckBox* positiveIsOut_;
};

class BankLayoutsDialog : public QDialog {
    Q_OBJECT
public:
    BankLayoutsDialog(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    void onChange();
    void onDelete();

private:
    void reload();
    Database& db_;
    Prompter& prompter_;
    std::vector<BankLayout> layouts_;
    QListWidget* list_;
};

}  // namespace fennory::ui
