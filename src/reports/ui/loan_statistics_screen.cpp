#include "reports/ui/loan_statistics_screen.h"

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
// ---- 债务债权统计表 ----

TfrmPage2::TfrmPage2(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      stats_(dm),
      criteria_(new CriteriaForm(dm, QStringLiteral("统计条件"), statCriteria("日        期"),
                                 LoanStats::initialFilter(today(dm)))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      debts_(withName("debtGrid", new RecordGrid)),
      credits_(withName("creditGrid", new RecordGrid)) {
    setWindowTitle(QStringLiteral("债务债权统计表"));
    auto* body = new QWidget;
    auto* panes = new QHBoxLayout(body);
    panes->setContentsMargins(0, 0, 0, 0);
    for (auto [title, grid] : {std::pair{"债务", debts_}, {"债权", credits_}}) {
        auto* pane = new QGroupBox(QString::fromUtf8(title));
        auto* v = new QVBoxLayout(pane);
        v->addWidget(grid);
        panes->addWidget(pane);
    }
    layOutQueryScreen(this, {.criteria = criteria_, .buttons = {run_, excel_}, .body = body});
    setScreenDefault(this, run_);
    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &TfrmPage2::onRun));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &TfrmPage2::onExcel));
}

void TfrmPage2::onRun() {
    stats_.run(criteria_->criteria());
    debts_->setTable(stats_.debts().rows);
    credits_->setTable(stats_.credits().rows);
    excel_->setEnabled(true);
}

void TfrmPage2::onExcel() {
    exportAs(stats_.sheet(), "债务债权统计表");
}

}  // namespace fennory::ui
