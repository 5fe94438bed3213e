#pragma once
// The books as a whole and the preferences: TfrmB_Manage "账簿管理" with the
// rename dialog TfrmB_M, TfrmChangePass "修改密码", TfrmBackup "数据备份",
// TfrmRecover "数据恢复", TfrmMRX (defaults), TfrmSZ_PX (orders), TfrmSBasc (edition).

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

class TfrmMRX : public QDialog {
    Q_OBJECT
public:
    TfrmMRX(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);
    QComboBox* list(DefaultName which) const { return lists_[static_cast<std::size_t>(which)]; }
    QCheckBox* emptyBox(DefaultName which) const {
        return empties_[static_cast<std::size_t>(which)];
    }
    // 只显示本月收入 ... 只显示未收投资, then 打开软件播放计划提醒音乐, 弹出今日计划
    QCheckBox* flag(int i) const { return flags_.at(static_cast<std::size_t>(i)); }

private:
    void onSave();
    TfrmDM& dm_;
    Prompter& prompter_;
    std::array<QComboBox*, 6> lists_{};
    std::array<QCheckBox*, 6> empties_{};
    std::array<QCheckBox*, 8> flags_{};
    QPushButton* save_;
};

class TfrmSZ_PX : public QDialog {
    Q_OBJECT
public:
    TfrmSZ_PX(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent = nullptr);
    // Code 1..5 of the lists, 1..4 of the record lists.
    QRadioButton* listOrder(int code) const {
        return lists_.at(static_cast<std::size_t>(code - 1));
    }
    QRadioButton* recordOrder(int code) const {
        return records_.at(static_cast<std::size_t>(code - 1));
    }

private:
    void onSave();
    TfrmDM& dm_;
    Prompter& prompter_;
    EndProgram end_;
    std::array<QRadioButton*, 5> lists_{};
    std::array<QRadioButton*, 4> records_{};
    QPushButton* save_;
};

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
