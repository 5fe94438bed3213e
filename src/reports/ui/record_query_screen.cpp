#include "reports/ui/record_query_screen.h"
#include "core/field_limits.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "reporting/ui/report_preview.h"

namespace fennory::ui {
RecordQueryScreen::RecordQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                     const QueryKind& kind, QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      query_(dm, kind),
      run_(withName("queryButton", new QPushButton(QStringLiteral("查询")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      grid_(withName("grid", new RecordGrid)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    const std::string today = dm.session().startDay();

    form_ = new CriteriaForm(dm, QStringLiteral("查询条件"), kind.criteria,
                             query_.initialCriteria(today));
    if (!kind.sortKeys.empty()) {
        std::vector<std::string> keys;
        for (const auto& [caption, column] : kind.sortKeys) {
            keys.emplace_back(caption);
        }
        sort_ = withName("sortList", pickList(keys));
        direction_ = withName("directionList", pickList({"升序", "降序"}));
        form_->addBox(sortGroup(sort_, direction_), true);
    }

    std::vector<QWidget*> buttons{run_, excel_};
    if (*kind.layoutName != '\0') {
        print_ = withName("printButton", new QPushButton(QStringLiteral("打印")));
        buttons.push_back(print_);
        print_->setEnabled(false);
        connect(print_, &QPushButton::clicked, this, guarded(this, &RecordQueryScreen::onPrint));
    }
    std::vector<QWidget*> labels;
    for (std::size_t i = 0; i <= kind.totalLabels.size(); ++i) {
        labels_.push_back(new QLabel);
        labels.push_back(labels_.back());
    }
    QWidget* body = grid_;
    if (*kind.detailSql != '\0') {
        // The detail records of the row clicked, under a movable splitter.
        detail_ = withName("detailGrid", new RecordGrid);
        auto* split = new QSplitter(Qt::Vertical);
        split->addWidget(grid_);
        split->addWidget(detail_);
        split->setStretchFactor(0, 3);
        split->setStretchFactor(1, 1);
        body = split;
        connect(grid_, &QAbstractItemView::clicked, this,
                guarded([this](const QModelIndex& at) { showDetail(at.row()); }));
    }
    layOutQueryScreen(this,
                      {.criteria = form_, .buttons = buttons, .body = body, .totals = labels});

    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &RecordQueryScreen::onQuery));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &RecordQueryScreen::onExcel));
}

void RecordQueryScreen::onQuery() {
    query_.run(form_->criteria(), sort_ ? sort_->currentIndex() : 0,
               direction_ && direction_->currentIndex() == 1);
    grid_->setTable(query_.rows(), query_.hiddenColumns());
    showTotals();
    excel_->setEnabled(true);
    if (print_) {
        print_->setEnabled(true);
    }
}

void RecordQueryScreen::showTotals() {
    const std::vector<std::string> texts = query_.totalTexts();
    for (std::size_t i = 0; i < labels_.size() && i < texts.size(); ++i) {
        labels_[i]->setText(QString::fromStdString(texts[i]));
    }
}

void RecordQueryScreen::presetAndQuery(const QString& text) {
    form_->preset(query_.kind().criteria.front().id, ss(text));
    onQuery();
}

void RecordQueryScreen::showDetail(int row) {
    if (!detail_ || row < 0 || query_.rows().empty()) {
        return;
    }
    // The grid may be sorted by a title: its own rows say which record it is.
    const std::int64_t id =
        query_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row));
    detail_->setTable(query_.detail(id));
}

void RecordQueryScreen::onExcel() {
    exportAs(query_.sheet(), query_.kind().sheetName);
}

void RecordQueryScreen::onPrint() {
    const Table rows = query_.printRows(sort_ ? sort_->currentIndex() : 0,
                                        direction_ && direction_->currentIndex() == 1);
    showReportPreview(
        query_.printLayout(), rows, prompter_, [this] { onExcel(); }, this);
}

}  // namespace fennory::ui
