#pragma once
// The movement queries TfrmBR_Q / TfrmDR_Q / TfrmTR_Q: repayments, collections and returns, one
// screen, three kinds.

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
#include "reports/movement_query.h"

namespace fennory::ui {

class MovementQueryScreen : public QueryScreen {
    Q_OBJECT
public:
    MovementQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, const MovementKind& kind,
                        QWidget* parent = nullptr);
    MovementQuery& query() { return query_; }

    void onQuery();
    void onExcel();

private:
    MovementQuery query_;
    CriteriaForm* criteria_;
    QComboBox* sort_;
    QComboBox* direction_;
    QPushButton* run_;
    QPushButton* excel_;
    RecordGrid* grid_;
    QLabel* count_;
    QLabel* total_;
};

using TfrmBR_Q = KindScreen<MovementQueryScreen, repaymentQuery>;
using TfrmDR_Q = KindScreen<MovementQueryScreen, collectionQuery>;
using TfrmTR_Q = KindScreen<MovementQueryScreen, returnQuery>;

}  // namespace fennory::ui
