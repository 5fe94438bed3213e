#pragma once
// "预算设置": what each category may cost in each month of a year; and
// "预算执行表": how a month, a quarter or a year runs against it.

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QWidget>

#include <functional>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "plans/budget_report.h"
#include "plans/budgets.h"
#include "reporting/ui/query_screen.h"

namespace fennory::ui {

class TfrmBudget : public QWidget {
    Q_OBJECT
public:
    TfrmBudget(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);
    BudgetYear& model() { return model_; }
    QTableWidget* grid() const { return grid_; }

    void onCopyLastYear();

private:
    void showKindYear();
    void fill();
    void onEdited(QTableWidgetItem* item);

    TfrmDM& dm_;
    Prompter& prompter_;
    BudgetYear model_;
    QRadioButton* expense_;
    QRadioButton* income_;
    QSpinBox* year_;
    QPushButton* copy_;
    QTableWidget* grid_;
    bool filling_ = false;
};

class TfrmBudgetReport : public QueryScreen {
    Q_OBJECT
public:
    TfrmBudgetReport(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    BudgetReportModel& model() { return model_; }
    RecordGrid* grid() const { return grid_; }
    QChart* chart() const { return chart_->chart(); }
    QLabel* paceLabel() const { return pace_; }

    void onRun();
    void onExcel();
    void onPrint();

private:
    void offerIndexes();
    void drawBars();

    BudgetReportModel model_;
    QRadioButton* expense_;
    QRadioButton* income_;
    QSpinBox* year_;
    QComboBox* period_;
    QComboBox* index_;
    QPushButton* run_;
    QPushButton* excel_;
    QPushButton* print_;
    RecordGrid* grid_;
    QChartView* chart_;
    QLabel* pace_;
};

}  // namespace fennory::ui
