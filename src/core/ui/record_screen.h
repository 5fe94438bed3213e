#pragma once
// The shared design of record and name-list screens: a read-only grid, a group
// of fields bound to the current record, a navigator and the button row. The
// screen model decides the mode, the current record and the button states;
// this view shows them and forwards clicks.

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <map>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

// Which widget a failed check of a form focuses: one table per view.
template <class Field>
class FieldWidgets {
public:
    FieldWidgets(std::initializer_list<std::pair<const Field, QWidget*>> widgets)
        : widgets_(widgets) {}
    void focus(Field f) const {
        auto it = widgets_.find(f);
        if (it != widgets_.end() && it->second) {
            it->second->setFocus();
        }
    }

private:
    std::map<Field, QWidget*> widgets_;
};

// A grey hint beside a field.
QLabel* hintLabel(const char* text, QWidget* parent = nullptr);

class RecordScreen : public QWidget {
    Q_OBJECT
public:
    enum Button { kAdd, kChange, kSave, kCancel, kDelete, kExit, kButtonCount };

    RecordScreen(ScreenModelBase& model, Prompter& prompter, QWidget* parent = nullptr);

    RecordGrid* grid() const { return grid_; }
    QGroupBox* fieldGroup() const { return fields_; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    QToolButton* navigator(int i) const { return nav_[static_cast<std::size_t>(i)]; }
    // Extra buttons of a screen go at the end of the row.
    void addButton(QPushButton* b);

    bool hasCurrentRow() const { return model_.hasCurrent(); }
    std::int64_t currentId() const { return model_.currentId(); }
    RecordMode mode() const { return model_.mode(); }

    // Reads the list again and shows it, the current record kept current.
    void Ref();
    // Makes a listed record current (after an undo, say); nothing otherwise.
    void makeCurrent(std::int64_t id);
    // Shows the model as it is now: the rows, the current record, the fields
    // and the buttons.
    void showModel();
    // The grid's context menu; it is connected once, here.
    QMenu* gridMenu() const { return menu_; }
    QAction* menuAction(const QString& caption) const;

    // Enables the controls as the model says; screens add their own rules.
    virtual void refreshStates();

protected:
    // Show the current record in the fields (blank without one); called only
    // while browsing, never over what the user is typing.
    virtual void showCurrent() {}
    // Empty the fields for a new record.
    virtual void clearFields() {}
    virtual void onAdd();
    virtual void onChange();
    virtual void onSave() {}
    // Drops what was typed: back to browsing, the fields showing the record.
    virtual void onCancel();
    // Deletes the current record after the check and the question.
    virtual void onDelete();
    // Whether the current record may be deleted; a message says why not.
    virtual CheckResult checkRemove() const;
    // Closes the screen: its frame when it is a child window.
    virtual void onExit();
    // The field that takes the focus when entry starts.
    virtual QWidget* firstField() const { return nullptr; }

    QVBoxLayout* outer() const { return outer_; }
    ScreenModelBase& screenModel() const { return model_; }

private:
    void move(int to);
    void selectCurrent();
    void keepEntryRowSelected();

    ScreenModelBase& model_;
    Prompter& prompter_;
    RecordGrid* grid_;
    QGroupBox* fields_;
    QHBoxLayout* buttonRow_;
    QVBoxLayout* outer_;
    std::array<QToolButton*, 4> nav_{};
    std::array<QPushButton*, kButtonCount> buttons_{};
    QMenu* menu_;
    bool selecting_ = false;
};

// One of a pair of twin record screens, given its kind: the twins' screen
// constructed on the kind `kind()` returns (income or expenses, debts or credits).
template <class Screen, auto kind>
class TwinScreen : public Screen {
public:
    TwinScreen(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr)
        : Screen(dm, prompter, kind(), parent) {}
};

}  // namespace fennory::ui
