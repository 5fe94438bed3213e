#pragma once
// TfrmJZCS "修改记账次数" and TfrmPY (pinyin code) for one row of a name table.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "core/data_module.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

class TfrmJZCS : public QDialog {
    Q_OBJECT
public:
    // caption: the row's name + " 的记账次数"; saved reloads the opening screen.
    TfrmJZCS(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
             const QString& caption, std::int64_t count, std::function<void()> saved,
             QWidget* parent = nullptr);
    QLineEdit* countField() const { return count_; }
    QPushButton* saveButton() const { return save_; }

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    std::string table_;
    std::int64_t id_;
    std::function<void()> saved_;
    QLineEdit* count_;
    QPushButton* save_;
};

class TfrmPY : public QDialog {
    Q_OBJECT
public:
    // caption: the row's name + " 拼音码 修改", for the window and its group.
    TfrmPY(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
           const QString& caption, const QString& code, std::function<void()> saved,
           QWidget* parent = nullptr);
    QLineEdit* codeField() const { return code_; }
    QPushButton* saveButton() const { return save_; }

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    std::string table_;
    std::int64_t id_;
    std::function<void()> saved_;
    QLineEdit* code_;
    QPushButton* save_;
};

}  // namespace fennory::ui
