#pragma once
// The name-list screens: one implementation, four configurations.

#include <QLineEdit>
#include <QMenu>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/name_lists.h"

namespace fennory::ui {

class NameListScreen : public RecordScreen {
    Q_OBJECT
public:
    NameListScreen(TfrmDM& dm, Prompter& prompter, const NameListKind& kind,
                   QWidget* parent = nullptr);
    NameListModel& model() { return model_; }
    QMenu* contextMenu() const { return gridMenu(); }

protected:
    void showCurrent() override;
    void clearFields() override;
    void onSave() override;
    QWidget* firstField() const override { return name_; }

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    NameListModel model_;
    QLineEdit* name_;
    QLineEdit* remark_;
};

class TfrmIn_Manage : public NameListScreen {
    Q_OBJECT
public:
    TfrmIn_Manage(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : NameListScreen(dm, p, incomeKinds(), parent) {}
};

class TfrmOut_Manage : public NameListScreen {
    Q_OBJECT
public:
    TfrmOut_Manage(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : NameListScreen(dm, p, expenseKinds(), parent) {}
};

class TfrmT_Manage : public NameListScreen {
    Q_OBJECT
public:
    TfrmT_Manage(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : NameListScreen(dm, p, investmentKinds(), parent) {}
};

class TfrmP_Manage : public NameListScreen {
    Q_OBJECT
public:
    TfrmP_Manage(TfrmDM& dm, Prompter& p, QWidget* parent = nullptr)
        : NameListScreen(dm, p, contactsList(), parent) {}
};

}  // namespace fennory::ui
