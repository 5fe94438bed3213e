#pragma once
// The statistics screens: TfrmPage1 "收支统计表", TfrmPage2 "债务债权统计表",
// the monthly and yearly reports TfrmSZ_M / TfrmSZ_Y (one screen, two kinds),
// and the movement queries TfrmBR_Q / TfrmDR_Q / TfrmTR_Q (one screen, three kinds).

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "reporting/ui/export.h"
#include "reports/movement_query.h"
#include "reports/period_report.h"
#include "reports/statistics.h"

namespace fennory::ui {

class TfrmPage1 : public QWidget {
    Q_OBJECT
public:
    TfrmPage1(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    IncomeExpenseStats& stats() { return stats_; }
    RecordGrid* incomeGrid() const { return grids_[0]; }
    RecordGrid* expenseGrid() const { return grids_[1]; }
    QLabel* countLabel(int side) const { return counts_[static_cast<std::size_t>(side)]; }
    QLabel* sumLabel(int side) const { return sums_[static_cast<std::size_t>(side)]; }
    QString lastExport() const { return lastExport_; }

    void onRun();
    void onExcel();

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    IncomeExpenseStats stats_;
    CriteriaForm* criteria_;
    QComboBox* group_;
    QCheckBox* sortBox_;
    QComboBox* sort_;
    QPushButton* run_;
    QPushButton* excel_;
    std::array<RecordGrid*, 2> grids_{};
    std::array<QLabel*, 2> counts_{};
    std::array<QLabel*, 2> sums_{};
    QString lastExport_;
};

class TfrmPage2 : public QWidget {
    Q_OBJECT
public:
    TfrmPage2(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    LoanStats& stats() { return stats_; }
    QString lastExport() const { return lastExport_; }

    void onRun();
    void onExcel();

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    LoanStats stats_;
    CriteriaForm* criteria_;
    QPushButton* run_;
    QPushButton* excel_;
    RecordGrid* debts_;
    RecordGrid* credits_;
    QString lastExport_;
};

// The monthly or yearly report, as its PeriodKind says.
class PeriodReportScreen : public QWidget {
    Q_OBJECT
public:
    PeriodReportScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const PeriodKind& kind,
                       QWidget* parent = nullptr);
    PeriodReport& report() { return report_; }
    // 数量, 收入合计, 收入笔数, 支出合计, 支出笔数, 结余合计
    QLabel* totalLabel(int i) const { return totals_.at(static_cast<std::size_t>(i)); }
    QString lastExport() const { return lastExport_; }

    void onRun();
    void onExcel();
    void onPrint();

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    PeriodReport report_;
    CriteriaForm* criteria_;
    QPushButton* run_;
    QPushButton* excel_;
    QPushButton* print_;
    QProgressBar* progress_;
    RecordGrid* grid_;
    std::array<QLabel*, 6> totals_{};
    QString lastExport_;
};

class TfrmSZ_M : public PeriodReportScreen {
    Q_OBJECT
public:
    TfrmSZ_M(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : PeriodReportScreen(dm, prompter, std::move(opener), monthlyReport(), parent) {}
};

class TfrmSZ_Y : public PeriodReportScreen {
    Q_OBJECT
public:
    TfrmSZ_Y(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : PeriodReportScreen(dm, prompter, std::move(opener), yearlyReport(), parent) {}
};

// A query of repayments, collections or returns, as its MovementKind says.
class MovementQueryScreen : public QWidget {
    Q_OBJECT
public:
    MovementQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const MovementKind& kind,
                        QWidget* parent = nullptr);
    MovementQuery& query() { return query_; }
    QString lastExport() const { return lastExport_; }

    void onQuery();
    void onExcel();

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    MovementQuery query_;
    CriteriaForm* criteria_;
    QComboBox* sort_;
    QComboBox* direction_;
    QPushButton* run_;
    QPushButton* excel_;
    RecordGrid* grid_;
    QLabel* count_;
    QLabel* total_;
    QString lastExport_;
};

class TfrmBR_Q : public MovementQueryScreen {
    Q_OBJECT
public:
    TfrmBR_Q(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : MovementQueryScreen(dm, prompter, std::move(opener), repaymentQuery(), parent) {}
};

class TfrmDR_Q : public MovementQueryScreen {
    Q_OBJECT
public:
    TfrmDR_Q(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : MovementQueryScreen(dm, prompter, std::move(opener), collectionQuery(), parent) {}
};

class TfrmTR_Q : public MovementQueryScreen {
    Q_OBJECT
public:
    TfrmTR_Q(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : MovementQueryScreen(dm, prompter, std::move(opener), returnQuery(), parent) {}
};

}  // namespace fennory::ui
