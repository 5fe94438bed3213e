#pragma once
// TfrmPage2 "债务债权统计表": what is owed and owing, by party.

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

class TfrmPage2 : public QueryScreen {
    Q_OBJECT
public:
    TfrmPage2(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    LoanStats& stats() { return stats_; }

    void onRun();
    void onExcel();

private:
    LoanStats stats_;
    CriteriaForm* criteria_;
    QPushButton* run_;
    QPushButton* excel_;
    RecordGrid* debts_;
    RecordGrid* credits_;
};

// The monthly or yearly report, as its PeriodKind says.

}  // namespace fennory::ui
