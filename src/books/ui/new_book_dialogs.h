#pragma once
// Creating books: the first-book dialog that starts the wizard, and the
// further-book dialog that copies reference data from an existing book.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "books/book_creation.h"
#include "core/data_module.h"
#include "core/ui/book_host.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

// The group "新账簿信息" both dialogs share.
class NewBookFields : public QGroupBox {
    Q_OBJECT
public:
    explicit NewBookFields(QWidget* parent = nullptr);
    void setBookNum(const BookNum& n);
    NewBookInput input() const;
    void focusField(BookField field);

    QLineEdit* name() const { return name_; }
    QLineEdit* description() const { return description_; }
    QLabel* count() const { return count_; }

private:
    QLabel* count_;
    QLineEdit* name_;
    QLineEdit* password_;
    QLineEdit* confirm_;
    QLineEdit* description_;
};

class TfrmNewBook : public QDialog {
    Q_OBJECT
public:
    TfrmNewBook(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    QCheckBox* defaultBox(int i) const { return defaults_[static_cast<std::size_t>(i)]; }
    QPushButton* nextButton() const { return next_; }

private:
    void onNext();

    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
    NewBookFields* fields_;
    std::array<QCheckBox*, 3> defaults_{};
    QPushButton* next_;
};

class TfrmNewBook1 : public QDialog {
    Q_OBJECT
public:
    TfrmNewBook1(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent = nullptr);
    QComboBox* sourceBook(int group) const { return groups_[static_cast<std::size_t>(group)].book; }
    QRadioButton* choice(int group, CopyChoice c) const;

private:
    struct Group {
        QComboBox* book = nullptr;
        QRadioButton* fromBook = nullptr;
        QRadioButton* defaults = nullptr;
        QRadioButton* empty = nullptr;
    };
    void onSave();

    TfrmDM& dm_;
    Prompter& prompter_;
    BookHost& host_;
    NewBookFields* fields_;
    std::array<Group, kCopyGroupCount> groups_{};
    QPushButton* save_;
};

}  // namespace fennory::ui
