#pragma once
// TfrmBackup "数据备份".

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
#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

// Asks for a folder or a file; "" when the user gave up. Tests answer themselves.
using PathChooser = std::function<QString(QWidget* parent)>;
PathChooser backupFolderChooser();
PathChooser backupFileChooser();

class TfrmBackup : public QDialog {
    Q_OBJECT
public:
    TfrmBackup(TfrmDM& dm, Prompter& prompter, PathChooser chooser = backupFolderChooser(),
               QWidget* parent = nullptr);

private:
    void onBackup();
    TfrmDM& dm_;
    Prompter& prompter_;
    PathChooser chooser_;
    QLineEdit* path_;
    QPushButton* choose_;
    QPushButton* backup_;
};

}  // namespace fennory::ui
