#pragma once
// The monthly and yearly reports TfrmSZ_M / TfrmSZ_Y: one screen, two kinds.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include <array>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "reporting/ui/export.h"
#include "reporting/ui/query_screen.h"
#include "reports/period_report.h"

namespace fennory::ui {

class PeriodReportScreen : public QueryScreen {
    Q_OBJECT
public:
    PeriodReportScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const PeriodKind& kind,
                       QWidget* parent = nullptr);
    PeriodReport& report() { return report_; }
    // 数量, 收入合计, 收入笔数, 支出合计, 支出笔数, 结余合计
    QLabel* totalLabel(int i) const { return totals_.at(static_cast<std::size_t>(i)); }

    void onRun();
    void onExcel();
    void onPrint();

private:
    PeriodReport report_;
    CriteriaForm* criteria_;
    QPushButton* run_;
    QPushButton* excel_;
    QPushButton* print_;
    QProgressBar* progress_;
    RecordGrid* grid_;
    std::array<QLabel*, 6> totals_{};
};

using TfrmSZ_M = KindScreen<PeriodReportScreen, monthlyReport>;
using TfrmSZ_Y = KindScreen<PeriodReportScreen, yearlyReport>;

// A query of repayments, collections or returns, as its MovementKind says.

}  // namespace fennory::ui
