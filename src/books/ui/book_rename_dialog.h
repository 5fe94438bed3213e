#pragma once
// TfrmB_M: a book renamed.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <functional>

#include "books/book_management.h"
#include "books/preferences.h"
#include "books/ui/book_parts.h"
#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

class TfrmB_M : public QDialog {
    Q_OBJECT
public:
    TfrmB_M(TfrmDM& dm, Prompter& prompter, const std::string& book, QWidget* parent = nullptr);

private:
    void onSave();
    TfrmDM& dm_;
    Prompter& prompter_;
    std::string book_;
    QLineEdit* name_;
    QPushButton* save_;
};

}  // namespace fennory::ui
