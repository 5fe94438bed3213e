#pragma once
// TfrmSBasc: the edition.

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

class TfrmSBasc : public QDialog {
    Q_OBJECT
public:
    TfrmSBasc(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent = nullptr);

private:
    void onSave();
    TfrmDM& dm_;
    Prompter& prompter_;
    EndProgram end_;
    QRadioButton* pc_;
    QRadioButton* usb_;
    QPushButton* save_;
};

}  // namespace fennory::ui
