#pragma once
// TfrmPage1 "收支统计表": income and expenses grouped and summed side by side.

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
#include "reports/statistics.h"

namespace fennory::ui {

class TfrmPage1 : public QueryScreen {
    Q_OBJECT
public:
    TfrmPage1(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    IncomeExpenseStats& stats() { return stats_; }
    RecordGrid* incomeGrid() const { return grids_[0]; }
    RecordGrid* expenseGrid() const { return grids_[1]; }
    QLabel* countLabel(int side) const { return counts_[static_cast<std::size_t>(side)]; }
    QLabel* sumLabel(int side) const { return sums_[static_cast<std::size_t>(side)]; }

    void onRun();
    void onExcel();

private:
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
};

}  // namespace fennory::ui
