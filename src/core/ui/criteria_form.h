#pragma once
// The criteria group of a query or list screen, built from its criteria
// table: a tick box and an input per criterion, a date span on a row of its
// own, the rest two to a row. Extra boxes (grouping, sort) join the grid.
// Widgets are named for tests and for screens that preset a criterion:
// the tick box "<name>Box", the input "<name>" ("from" and "to" for dates).

#include <QGroupBox>

#include <vector>

#include "core/criteria.h"
#include "core/data_module.h"
#include "core/ui/inputs.h"

class QGridLayout;

namespace fennory::ui {

// The object name of a criterion's input: "date", "name", "account", ...
QString criterionName(Criterion c);

// How a form lays out and behaves.
struct FormShape {
    int columns = 2;           // criteria to a row
    bool tickOnChange = true;  // the user changing an input ticks its box
    QWidget* head = nullptr;   // a row above the criteria (the plan kinds)
};

// The frame every query screen shares: its criteria with the buttons in a
// column beside them, the body (a grid, a splitter) under them, and the totals
// in a row at the bottom. "退出" closes the screen; it is made here.
struct QueryFrame {
    QWidget* criteria;
    std::vector<QWidget*> buttons;  // top to bottom, "退出" after them
    QWidget* body;
    std::vector<QWidget*> totals;
    QWidget* underCriteria = nullptr;  // a progress bar across the screen
};
void layOutQueryScreen(QWidget* screen, const QueryFrame& frame);

// "排序条件：" with its keys and direction, a box for a form's last row.
QGroupBox* sortGroup(QComboBox* keys, QComboBox* direction);

class CriteriaForm : public QGroupBox {
    Q_OBJECT
public:
    CriteriaForm(TfrmDM& dm, const QString& title, const CriteriaTable& table,
                 const Criteria& start, QWidget* parent = nullptr, FormShape shape = {});

    // What the form holds now.
    Criteria criteria() const;
    // Ticks a criterion and shows `text` in it (a list picks it if offered).
    void preset(Criterion c, const std::string& text);

    // Puts the cursor in a criterion's input (a span's first date).
    void focus(Criterion c);
    // A list criterion offers other names under another caption (the plans'
    // name follows their kind).
    void offer(Criterion c, const QString& caption, const std::vector<std::string>& names);

    // A box that is not a criterion: on a row of its own or in the next cell.
    void addBox(QWidget* box, bool wholeRow = false);
    QGridLayout* grid() const { return grid_; }

private:
    struct Entry {
        const CriterionDef* def;
        CriteriaBox* box;
        QWidget* input;
        DateEdit* to = nullptr;
    };
    CriteriaBox* build(TfrmDM& dm, const CriterionDef& d, const CriterionValue& start, Entry& e);

    CriteriaTable table_;
    std::vector<Entry> entries_;
    QGridLayout* grid_;
    FormShape shape_;
    int row_ = 0, col_ = 0;
};

}  // namespace fennory::ui
