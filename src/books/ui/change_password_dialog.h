#pragma once
// TfrmChangePass "修改密码".

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

class TfrmChangePass : public QDialog {
    Q_OBJECT
public:
    TfrmChangePass(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);

private:
    void onSave();
    TfrmDM& dm_;
    Prompter& prompter_;
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* confirm_;
    QPushButton* save_;
};

}  // namespace fennory::ui
