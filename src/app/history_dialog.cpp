#include "app/history_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

TfrmHistory::TfrmHistory(Database& db, History& history, std::function<std::string()> book,
                         Prompter& prompter, std::function<void()> changed, QWidget* parent)
    : QDialog(parent),
      model_(db, history, std::move(book)),
      prompter_(prompter),
      changed_(std::move(changed)),
      grid_(withName("grid", new RecordGrid)),
      step_(withName("stepButton", new QPushButton(QStringLiteral("撤销到此处（&U）")))) {
    setWindowTitle(QStringLiteral("操作记录"));
    auto* note = withName("note", new QLabel(qs(HistoryListModel::kNote)));
    note->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("关闭（&C）"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(step_);
    buttons->addWidget(close);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_, 1);
    outer->addWidget(note);
    outer->addLayout(buttons);

    connect(step_, &QPushButton::clicked, this, guarded(this, &TfrmHistory::onStep));
    connect(close, &QPushButton::clicked, this, guarded([this] { accept(); }));
    connect(grid_, &QAbstractItemView::doubleClicked, this, guarded(this, &TfrmHistory::onStep));
    model_.refresh();
    showModel();
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded([this] { followGrid(); }));
    resize(720, 460);
}

void TfrmHistory::showModel() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(HistoryColumn::Time), 150);
    grid_->setColumnWidth(static_cast<int>(HistoryColumn::What), 240);
    if (const int row = model_.currentIndex(); row >= 0) {
        grid_->selectRow(row);
    }
    followGrid();
}

// The row the user is on is the model's current one; the button says which
// way it goes.
void TfrmHistory::followGrid() {
    const int row = grid_->currentRowIndex();
    if (row >= 0) {
        model_.setCurrentId(
            model_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row)));
    }
    const auto step = model_.stepToCurrent();
    step_->setEnabled(step.has_value() && step->count > 0);
    step_->setText(step && !step->undo ? QStringLiteral("重做到此处（&R）")
                                       : QStringLiteral("撤销到此处（&U）"));
}

void TfrmHistory::onStep() {
    const auto step = model_.stepToCurrent();
    if (!step || step->count == 0 ||
        !prompter_.ask(qs(step->question),
                       step->undo ? QStringLiteral("撤销") : QStringLiteral("重做"))) {
        return;
    }
    model_.goToCurrent();
    showModel();
    if (changed_) {
        changed_();
    }
}

}  // namespace fennory::ui
