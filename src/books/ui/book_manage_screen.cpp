#include "books/ui/book_manage_screen.h"
#include "core/field_limits.h"

#include <QApplication>

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "books/backup.h"
#include "books/ui/book_parts.h"
#include "books/ui/book_rename_dialog.h"
#include "core/book_checks.h"
#include "core/dates.h"
#include "core/errors.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
using namespace book_parts;

TfrmB_Manage::TfrmB_Manage(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      end_(std::move(end)),
      model_(dm),
      grid_(withName("grid", new RecordGrid)),
      delete_(withName("deleteButton", new QPushButton(QStringLiteral("删除（&D）")))),
      menu_(withName("contextMenu", new QMenu(this))) {
    setWindowTitle(QStringLiteral("账簿管理"));
    auto* top = new QHBoxLayout;
    // The navigator: first, prior, next, last.
    const std::pair<const char*, const char*> steps[] = {
        {"|<", "第一条"}, {"<", "上一条"}, {">", "下一条"}, {">|", "最后一条"}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(u8(steps[i].first));
        b->setToolTip(u8(steps[i].second));
        b->setFixedWidth(36);
        connect(b, &QPushButton::clicked, this, guarded([this, i] {
                    const int n = static_cast<int>(model_.rows().size());
                    const int at = grid_->currentRowIndex();
                    moveTo(i == 0 ? 0 : i == 1 ? at - 1 : i == 2 ? at + 1 : n - 1);
                }));
        top->addWidget(b);
    }
    auto* exit = new QPushButton(QStringLiteral("退出（&X）"));
    top->addWidget(delete_);
    top->addWidget(exit);
    top->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(grid_, 1);

    menu_->addAction(QStringLiteral("修改 &M"), this, guarded(this, &TfrmB_Manage::onRename));
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, guarded([this](const QPoint& at) {
                menu_->popup(grid_->viewport()->mapToGlobal(at));
            }));
    connect(delete_, &QPushButton::clicked, this, guarded(this, &TfrmB_Manage::onDelete));
    connect(exit, &QPushButton::clicked, this, guarded([this] { closeScreen(this); }));
    model_.refresh();
    showModel();
}

void TfrmB_Manage::showModel() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(BookListColumn::Name), 140);
    moveTo(model_.currentIndex());
}

void TfrmB_Manage::moveTo(int row) {
    const int n = static_cast<int>(model_.rows().size());
    if (n == 0) {
        return;
    }
    row = std::clamp(row, 0, n - 1);
    grid_->selectRow(row);
}

void TfrmB_Manage::onDelete() {
    const int row = grid_->currentRowIndex();
    if (row < 0 || model_.rows().empty()) {
        return;
    }
    const std::int64_t id =
        model_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row));
    const std::string book =
        cellText(grid_->tableModel()->table(), static_cast<std::size_t>(row), BookListColumn::Name);
    if (book == dm_.book()) {
        prompter_.warn(QStringLiteral("不能删除当前打开账簿！"));
        return;
    }
    if (!prompter_.ask(QStringLiteral("确认要删除吗？该删除将将删除该账簿所有记账数据！"),
                       QStringLiteral("删除"))) {
        return;
    }
    model_.removeBook(id);
    showModel();
}

void TfrmB_Manage::onRename() {
    const int row = grid_->currentRowIndex();
    if (row < 0 || model_.rows().empty()) {
        return;
    }
    TfrmB_M dialog(
        dm_, prompter_,
        cellText(grid_->tableModel()->table(), static_cast<std::size_t>(row), BookListColumn::Name),
        this);
    if (dialog.exec() == QDialog::Accepted && end_) {
        end_();
    }
}

}  // namespace fennory::ui
