// The plan lists: 查看计划, 执行计划 and the due plans at start-up.
#include "plans/ui/plan_screens.h"
#include "core/field_limits.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "core/ui/record_screen.h"
#include "plans/ui/plan_parts.h"

namespace fennory::ui {
using namespace plan_parts;

// ---- 查看计划 and 执行计划 ----

PlanListScreen::PlanListScreen(TfrmDM& dm, Prompter& prompter, Purpose purpose, FileOpener opener,
                               QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      purpose_(purpose),
      opener_(std::move(opener)),
      model_(dm),
      kinds_(withName("kinds", new PlanKindButtons)),
      query_(withName("queryButton", new QPushButton(QStringLiteral("查询")))),
      action_(withName("actionButton",
                       new QPushButton(purpose == Purpose::View ? QStringLiteral("Excel")
                                                                : QStringLiteral("执行")))),
      grid_(withName("grid", new RecordGrid)),
      count_(withName("countLabel", new QLabel)),
      total_(withName("totalLabel", new QLabel)),
      menu_(withName("contextMenu", new QMenu(this))) {
    setWindowTitle(purpose == Purpose::View ? QStringLiteral("查看计划")
                                            : QStringLiteral("执行计划"));
    // Unlike the record filters, choosing a value does not tick its box.
    form_ = new CriteriaForm(dm_, QStringLiteral("查询条件"), planCriteria(),
                             PlanListModel::initialFilter(startupDate(dm_)).criteria, nullptr,
                             {.tickOnChange = false, .head = kinds_});

    std::vector<QWidget*> buttons{query_, action_};
    if (purpose_ == Purpose::Execute) {
        progress_ = withName("progressBar", new QProgressBar);
        progress_->setValue(0);
    }
    layOutQueryScreen(this, {.criteria = form_,
                             .buttons = buttons,
                             .body = grid_,
                             .totals = {count_, total_},
                             .underCriteria = progress_});

    action_->setEnabled(false);
    grid_->setTable(model_.rows(), model_.hidden());
    showTotals(model_, count_, total_);

    auto showKind = [this](const PlanKind& k) {
        form_->offer(Criterion::Name, u8(k.nameCaption), (dm_.*k.names)());
    };
    showKind(kinds_->kind());
    connect(kinds_, &PlanKindButtons::chosen, this, guarded([this, showKind](const PlanKind& k) {
                showKind(k);
                onQuery();
            }));
    connect(query_, &QPushButton::clicked, this, guarded(this, &PlanListScreen::onQuery));
    connect(action_, &QPushButton::clicked, this,
            guarded(this, purpose_ == Purpose::View ? &PlanListScreen::onExcel
                                                    : &PlanListScreen::onExecute));
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, guarded([this](const QPoint& at) {
                if (!menu_->isEmpty()) {
                    menu_->popup(grid_->viewport()->mapToGlobal(at));
                }
            }));
}

PlanFilter PlanListScreen::filter() const {
    return {&kinds_->kind(), form_->criteria()};
}

void PlanListScreen::onQuery() {
    model_.setFilter(filter());
    if (purpose_ == Purpose::View && menu_->isEmpty()) {
        menu_->addAction(QStringLiteral("删除选中计划 &D"), this,
                         guarded(this, &PlanListScreen::deleteCurrent));
        menu_->addAction(QStringLiteral("全部删除 &A"), this,
                         guarded(this, &PlanListScreen::deleteAll));
    }
    action_->setEnabled(true);
    reload();
}

void PlanListScreen::reload() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(PlanColumn::Remark), 200);
    showTotals(model_, count_, total_);
}

void PlanListScreen::deleteCurrent() {
    const int row = grid_->currentRowIndex();
    if (model_.rows().empty() || row < 0) {
        return;
    }
    // The grid may be sorted by a title: its own rows say which plan it is.
    model_.remove(model_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row)));
    prompter_.info(QStringLiteral("数据删除成功！"));
    reload();
}

void PlanListScreen::deleteAll() {
    if (!prompter_.ask(QStringLiteral("确认要全部删除吗？该删除将不可恢复！"),
                       QStringLiteral("删除"))) {
        return;
    }
    model_.removeAllListed();
    prompter_.info(QStringLiteral("数据删除成功！"));
    reload();
}

void PlanListScreen::onExcel() {
    lastExport_ = exportSheet(model_.sheet(), dm_.session(), "计划表", prompter_, opener_);
}

void PlanListScreen::onExecute() {
    executeWithProgress(model_, dm_, progress_, prompter_);
    reload();
}

// ---- 到今天未执行的计划 ----

TfrmPlan_Now::TfrmPlan_Now(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm),
      grid_(withName("grid", new RecordGrid)),
      count_(withName("countLabel", new QLabel)),
      total_(withName("totalLabel", new QLabel)),
      execute_(withName("executeButton", new QPushButton(QStringLiteral("执行")))),
      progress_(withName("progressBar", new QProgressBar)) {
    setWindowTitle(QStringLiteral("到今天未执行的计划"));
    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(totalsRow(count_, total_), 1);
    buttons->addWidget(execute_);
    buttons->addWidget(exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_, 1);
    outer->addLayout(buttons);
    outer->addWidget(progress_);
    progress_->setValue(0);
    resize(860, 420);

    model_.setDue(startupDate(dm_));
    reload();
    execute_->setDefault(true);
    connect(execute_, &QPushButton::clicked, this, guarded(this, &TfrmPlan_Now::onExecute));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPlan_Now::reload() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(PlanColumn::Remark), 160);
    showTotals(model_, count_, total_);
    execute_->setEnabled(model_.count() > 0);
}

void TfrmPlan_Now::onExecute() {
    const Executed r = executeWithProgress(model_, dm_, progress_, prompter_);
    if (r == Executed::All) {
        accept();
        return;
    }
    reload();
}

}  // namespace fennory::ui
