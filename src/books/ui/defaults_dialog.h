#pragma once
// TfrmMRX: the defaults a new record starts with.

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
    std::array<QCheckBox*, 9> flags_{};
    QPushButton* save_;
};

}  // namespace fennory::ui
