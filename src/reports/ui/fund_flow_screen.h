#pragma once
// TfrmPage3 "资金流动日志" and its edit dialog TfrmPage3_M "修改日志".

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

#include <optional>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "reporting/ui/export.h"
#include "reporting/ui/query_screen.h"
#include "reports/fund_flow.h"

namespace fennory::ui {

class TfrmPage3 : public QueryScreen {
    Q_OBJECT
public:
    TfrmPage3(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr,
              const FundFlowPreset& preset = {});

    // A window of its own beside the screen that opened it.
    static TfrmPage3* openWindow(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent,
                                 const FundFlowPreset& preset);

    FundFlowLog& log() { return log_; }
    // The grid's context menu; empty until the first query.

    void onQuery();
    void onExcel();
    void onPrint();
    void deleteCurrent();
    void deleteAll();
    void editCurrent();
    void recalculate();

private:
    FundFlowCriteria criteria() const;
    void reload();
    std::int64_t currentEntryId() const;

    FundFlowLog log_;
    CriteriaForm* criteria_;
    QCheckBox* sortBox_;
    QComboBox* sort_;
    QPushButton* query_;
    QPushButton* excel_;
    QPushButton* print_;
    RecordGrid* grid_;
    QLabel* totals_;
    QMenu* menu_;
};

class TfrmPage3_M : public QDialog {
    Q_OBJECT
public:
    TfrmPage3_M(TfrmDM& dm, Prompter& prompter, FundFlowLog& log, const FlowEdit& entry,
                QWidget* parent = nullptr);

private:
    void onSave();
    Prompter& prompter_;
    FundFlowLog& log_;
    FlowEdit entry_;
    DateEdit* date_;
    QLineEdit* kind_;
    QLineEdit* remark_;
    QLineEdit* in_;
    QLineEdit* out_;
    QComboBox* account_;
    QComboBox* member_;
    QPushButton* save_;
};

}  // namespace fennory::ui
