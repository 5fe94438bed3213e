#pragma once
// The shared design of record and name-list screens: a read-only grid, a group
// of fields bound to the current row, a navigator and the button row, with the
// browse, new and change states.

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include <array>

#include "core/record_state.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

class RecordScreen : public QWidget {
    Q_OBJECT
public:
    enum Button { kAdd, kChange, kSave, kCancel, kDelete, kExit, kButtonCount };

    explicit RecordScreen(QWidget* parent = nullptr);

    RecordGrid* grid() const { return grid_; }
    QGroupBox* fieldGroup() const { return fields_; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    QToolButton* navigator(int i) const { return nav_[static_cast<std::size_t>(i)]; }
    // Extra buttons of a screen go at the end of the row.
    void addButton(QPushButton* b);

    // The current row's value of a column as stored text ("" without a row),
    // and its ID column (0 without a row).
    std::string currentText(const std::string& column) const;
    std::int64_t currentId() const;
    bool hasCurrentRow() const { return grid_->currentRowIndex() >= 0; }

    // Loads the grid; the fields follow its current row (or go blank).
    void showTable(Table table, const std::vector<std::string>& hidden);
    // The grid's context menu, created on first use.
    QMenu* gridMenu();

    RecordMode mode() const { return mode_; }
    void setMode(RecordMode m);
    // Enables the controls as the state says; screens add their own rules.
    virtual void refreshStates();

protected:
    // The current row changed (-1: none); show its values in the fields.
    virtual void showRow(int row) { (void)row; }
    virtual void onAdd() {}
    virtual void onChange() {}
    virtual void onSave() {}
    // Drops what was typed: back to browsing, the fields showing the current row.
    virtual void onCancel();
    virtual void onDelete() {}
    // Closes the screen: its frame when it is a child window.
    virtual void onExit();

    QVBoxLayout* outer() const { return outer_; }

private:
    void move(int to);

    RecordGrid* grid_;
    QGroupBox* fields_;
    QHBoxLayout* buttonRow_;
    QVBoxLayout* outer_;
    std::array<QToolButton*, 4> nav_{};
    std::array<QPushButton*, kButtonCount> buttons_{};
    QMenu* menu_ = nullptr;
    RecordMode mode_ = RecordMode::Browse;
};

}  // namespace fennory::ui
