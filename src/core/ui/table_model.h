#pragma once
// A Qt model over a loaded Table: money as display text, title-click sorting in
// memory (ascending first with a red bold title, descending next with a blue
// bold title).

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include "core/table.h"

namespace fennory::ui {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(QObject* parent = nullptr);

    void setTable(Table table);
    const Table& table() const { return table_; }
    // An empty row at the end, where a new record is being entered.
    void appendBlankRow();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The next order a click on the title gives: ascending first, then turns.
    void sortByTitleClick(int column);
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

private:
    Table table_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// A read-only list view for a TableModel, with fixed row heights so that a
// hundred thousand rows open at once.
class RecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordGrid(QWidget* parent = nullptr);
    TableModel* tableModel() const { return model_; }
    void setTable(Table table, const std::vector<int>& hidden = {});
    void setColumnWidthByName(const std::string& name, int width);
    int currentRowIndex() const;
    // Whether a click on a column title sorts the loaded rows.
    void setTitleSorting(bool on) { titleSorting_ = on; }

private:
    TableModel* model_;
    bool titleSorting_ = true;
};

}  // namespace fennory::ui
