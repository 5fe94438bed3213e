#pragma once
// TfrmB_Manage "账簿管理": the books as a whole, renamed and deleted.

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

}  // namespace fennory::ui
