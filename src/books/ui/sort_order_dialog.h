#pragma once
// TfrmSZ_PX: the order of the name lists.

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

}  // namespace fennory::ui
