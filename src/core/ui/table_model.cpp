#include "core/ui/table_model.h"
#include "core/ui/guard.h"

#include <QBrush>
#include <QFont>

#include <algorithm>
#include <numeric>

namespace fennory::ui {

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::setTable(Table table) {
    beginResetModel();
    table_ = std::move(table);
    sortColumn_ = -1;
    endResetModel();
}

void TableModel::appendBlankRow() {
    int at = rowCount();
    beginInsertRows({}, at, at);
    table_.rows.emplace_back(table_.columns.size(), Value{Null{}});
    endInsertRows();
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Value& v =
        table_
            .rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(
            table_.displayText(static_cast<std::size_t>(index.row()), index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        bool number = std::holds_alternative<Money>(v) || std::holds_alternative<std::int64_t>(v);
        return QVariant::fromValue(Qt::Alignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                                        : Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, o, role);
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(table_.columns[static_cast<std::size_t>(section)]);
    }
    if (section == sortColumn_) {
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::ForegroundRole) {
            return QBrush(sortOrder_ == Qt::AscendingOrder ? Qt::red : Qt::blue);
        }
    }
    return {};
}

void TableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    emit layoutAboutToBeChanged();
    sortRows(table_, column, order == Qt::AscendingOrder);
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutChanged();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void TableModel::sortByTitleClick(int column) {
    Qt::SortOrder next = (column == sortColumn_ && sortOrder_ == Qt::AscendingOrder)
                             ? Qt::DescendingOrder
                             : Qt::AscendingOrder;
    sort(column, next);
}

RecordGrid::RecordGrid(QWidget* parent) : QTableView(parent), model_(new TableModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setToolTip(QStringLiteral("亲，鼠标右键 有惊喜哟！"));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, guarded([this](int section) {
                if (titleSorting_) {
                    model_->sortByTitleClick(section);
                }
            }));
}

void RecordGrid::setTable(Table table, const std::vector<int>& hidden) {
    // A reload of the same columns keeps their widths, the user's included.
    std::vector<int> widths;
    if (static_cast<int>(table.columns.size()) == model_->columnCount()) {
        for (int c = 0; c < model_->columnCount(); ++c) {
            widths.push_back(columnWidth(c));
        }
    }
    model_->setTable(std::move(table));
    for (std::size_t c = 0; c < widths.size(); ++c) {
        if (widths[c] > 0) {  // a hidden column reads as 0 wide
            setColumnWidth(static_cast<int>(c), widths[c]);
        }
    }
    for (int c = 0; c < model_->columnCount(); ++c) {
        setColumnHidden(c, std::find(hidden.begin(), hidden.end(), c) != hidden.end());
    }
    if (model_->rowCount() > 0) {
        selectRow(0);
    }
}

void RecordGrid::setColumnWidthByName(const std::string& name, int width) {
    int c = model_->table().column(name);
    if (c >= 0) {
        setColumnWidth(c, width);
    }
}

int RecordGrid::currentRowIndex() const {
    QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

}  // namespace fennory::ui
