#include "reports/ui/statistics_screen.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "reporting/ui/report_preview.h"
#include "reports/ui/report_parts.h"

namespace fennory::ui {
using namespace report_parts;
// ---- 收支统计表 ----

TfrmPage1::TfrmPage1(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      stats_(dm),
      criteria_(new CriteriaForm(dm, QStringLiteral("统计条件"), statCriteria("收支日期"),
                                 IncomeExpenseStats::initialCriteria(today(dm)).filter)),
      group_(withName("groupList", pickList(statGroupCaptions()))),
      sortBox_(nullptr),
      sort_(withName("sortList", pickList(statSortCaptions()))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))) {
    setWindowTitle(QStringLiteral("收支统计表"));
    // The grouping applies whether or not its box is ticked.
    auto* byGroup = new CriteriaBox(QStringLiteral("统计的项"), group_);
    byGroup->setTicked(true);
    auto* bySort = new CriteriaBox(QStringLiteral("排        序"), sort_);
    bySort->setTicked(true);
    sortBox_ = withName("sortBox", bySort->box());

    criteria_->addBox(byGroup);
    criteria_->addBox(bySort);

    auto* body = new QWidget;
    auto* panes = new QHBoxLayout(body);
    panes->setContentsMargins(0, 0, 0, 0);
    const char* titles[2] = {"收入", "支出"};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* pane = new QGroupBox(QString::fromUtf8(titles[i]));
        auto* v = new QVBoxLayout(pane);
        grids_[i] = new RecordGrid;
        counts_[i] = new QLabel(QStringLiteral("笔数："));
        sums_[i] = new QLabel(QStringLiteral("合计金额："));
        v->addWidget(grids_[i], 1);
        auto* labels = new QHBoxLayout;
        labels->addWidget(counts_[i]);
        labels->addStretch(1);
        labels->addWidget(sums_[i]);
        v->addLayout(labels);
        panes->addWidget(pane);
    }
    layOutQueryScreen(this, {.criteria = criteria_, .buttons = {run_, excel_}, .body = body});

    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &TfrmPage1::onRun));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &TfrmPage1::onExcel));
}

void TfrmPage1::onRun() {
    StatCriteria c;
    c.filter = criteria_->criteria();
    c.group = static_cast<StatGroup>(group_->currentIndex());
    c.sorted = sortBox_->isChecked();
    c.sort = static_cast<StatSort>(sort_->currentIndex());
    stats_.run(c);
    const StatSide* sides[2] = {&stats_.income(), &stats_.expense()};
    for (std::size_t i = 0; i < 2; ++i) {
        grids_[i]->setTable(sides[i]->rows);
        grids_[i]->setColumnWidth(static_cast<int>(StatColumn::Group), 150);
        counts_[i]->setText(QStringLiteral("笔数：%1").arg(sides[i]->count));
        sums_[i]->setText(QStringLiteral("合计金额：") + moneyOrNothing(sides[i]->sum));
    }
    excel_->setEnabled(true);
}

void TfrmPage1::onExcel() {
    exportAs(stats_.sheet(), "收支统计表");
}

}  // namespace fennory::ui
