#include "reports/ui/period_report_screen.h"

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
// ---- 收支月报表 and 收支年报表 ----

PeriodReportScreen::PeriodReportScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                       const PeriodKind& kind, QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      report_(dm, kind),
      criteria_(new CriteriaForm(dm, QStringLiteral("查询条件"), statCriteria("统计日期"),
                                 report_.initialFilter(today(dm)))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      print_(withName("printButton", new QPushButton(QStringLiteral("打印")))),
      progress_(withName("progressBar", new QProgressBar)),
      grid_(withName("grid", new RecordGrid)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    progress_->setMaximumHeight(8);
    progress_->setTextVisible(false);
    progress_->setValue(0);

    std::vector<QWidget*> labels;
    for (QLabel*& label : totals_) {
        label = new QLabel;
        labels.push_back(label);
    }
    layOutQueryScreen(this, {.criteria = criteria_,
                             .buttons = {run_, excel_, print_},
                             .body = grid_,
                             .totals = labels,
                             .underCriteria = progress_});
    excel_->setEnabled(false);
    print_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &PeriodReportScreen::onRun));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &PeriodReportScreen::onExcel));
    connect(print_, &QPushButton::clicked, this, guarded(this, &PeriodReportScreen::onPrint));
}

void PeriodReportScreen::onRun() {
    const CheckResult r =
        report_.run(criteria_->criteria(), [this](std::size_t done, std::size_t total) {
            progress_->setRange(0, static_cast<int>(total));
            progress_->setValue(static_cast<int>(done));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        criteria_->focus(Criterion::Date);
        return;
    }
    grid_->setTable(report_.table());
    const PeriodTotals& t = report_.totals();
    const QString texts[6] = {
        QStringLiteral("数量：%1").arg(t.periods),
        QStringLiteral("收入合计：") + u8(t.incomeSum.toDisplay()),
        QStringLiteral("收入笔数：%1").arg(t.incomeCount),
        QStringLiteral("支出合计：") + u8(t.expenseSum.toDisplay()),
        QStringLiteral("支出笔数：%1").arg(t.expenseCount),
        QStringLiteral("结余合计：") + u8(t.balance.toDisplay()),
    };
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        totals_[i]->setText(texts[i]);
    }
    excel_->setEnabled(true);
    print_->setEnabled(true);
}

void PeriodReportScreen::onExcel() {
    exportAs(report_.sheet(), report_.kind().caption);
}

void PeriodReportScreen::onPrint() {
    showReportPreview(
        report_.printLayout(), report_.printRows(), prompter_, [this] { onExcel(); }, this);
}

}  // namespace fennory::ui
