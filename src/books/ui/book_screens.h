#pragma once
// The books as a whole: TfrmB_Manage "账簿管理" with the rename dialog
// TfrmB_M, and TfrmChangePass "修改密码".

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

// Ends the program without the closing question, so that the next start
// reads what was just saved.
using EndProgram = std::function<void()>;

class TfrmB_Manage : public QWidget {
    Q_OBJECT
public:
    TfrmB_Manage(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent = nullptr);
    BookListModel& model() { return model_; }

    void onDelete();
    void onRename();

private:
    void showModel();
    void moveTo(int row);

    TfrmDM& dm_;
    Prompter& prompter_;
    EndProgram end_;
    BookListModel model_;
    RecordGrid* grid_;
    QPushButton* delete_;
    QMenu* menu_;
};

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
