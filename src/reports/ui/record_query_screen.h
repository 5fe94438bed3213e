#pragma once
// The record query screens, one screen given a QueryKind: TfrmP_In, TfrmP_Out,
// TfrmP_A, TfrmP_B, TfrmP_D, TfrmTZ_Qu and TfrmA_Q.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <vector>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "reporting/ui/export.h"
#include "reporting/ui/query_screen.h"
#include "reports/record_query.h"

namespace fennory::ui {

class RecordQueryScreen : public QueryScreen {
    Q_OBJECT
public:
    RecordQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const QueryKind& kind,
                      QWidget* parent = nullptr);

    RecordQuery& query() { return query_; }
    QLabel* totalLabel(int i) const { return labels_.at(static_cast<std::size_t>(i)); }

    // The main window's pictures: the first criterion set to `text`, ticked, and run.
    void presetAndQuery(const QString& text);

    void onQuery();
    void onExcel();
    void onPrint();
    void showDetail(int row);

private:
    void showTotals();

    RecordQuery query_;
    CriteriaForm* form_ = nullptr;
    QComboBox* sort_ = nullptr;
    QComboBox* direction_ = nullptr;
    QPushButton* run_;
    QPushButton* excel_;
    QPushButton* print_ = nullptr;
    RecordGrid* grid_;
    RecordGrid* detail_ = nullptr;
    std::vector<QLabel*> labels_;
};

using TfrmP_In = KindScreen<RecordQueryScreen, incomeQuery>;
using TfrmP_Out = KindScreen<RecordQueryScreen, expenseQuery>;
using TfrmP_A = KindScreen<RecordQueryScreen, transferQuery>;
using TfrmP_B = KindScreen<RecordQueryScreen, debtQuery>;
using TfrmP_D = KindScreen<RecordQueryScreen, creditQuery>;
using TfrmTZ_Qu = KindScreen<RecordQueryScreen, investmentQuery>;
using TfrmA_Q = KindScreen<RecordQueryScreen, accountQuery>;

}  // namespace fennory::ui
