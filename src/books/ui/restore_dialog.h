#pragma once
// TfrmRecover "数据恢复".

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
#include "books/ui/backup_dialog.h"
#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

class TfrmRecover : public QDialog {
    Q_OBJECT
public:
    // `restored` runs after the data file was replaced: the book may be gone.
    TfrmRecover(TfrmDM& dm, Prompter& prompter, std::function<void()> restored,
                PathChooser chooser = backupFileChooser(), QWidget* parent = nullptr);

private:
    void onRestore();
    TfrmDM& dm_;
    Prompter& prompter_;
    std::function<void()> restored_;
    PathChooser chooser_;
    QLineEdit* path_;
    QListWidget* snapshots_;
    QPushButton* choose_;
    QPushButton* restore_;
};

}  // namespace fennory::ui
