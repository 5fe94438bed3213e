#pragma once
// The plan screens: TfrmPlan_New "新建计划"; TfrmPlan_V "查看计划" and
// TfrmPlan_EX "执行计划", one screen in two configurations; TfrmPlan_Now
// "到今天未执行的计划", the due plans of the start-up date.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QWidget>

#include <array>

#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "plans/plans.h"
#include "reporting/ui/export.h"

namespace fennory::ui {

// One pick-only list per kind of plan, shown one at a time under a label or a
// tick box whose caption follows the kind; each list keeps its own choice.
class PlanNamePicker : public QStackedWidget {
    Q_OBJECT
public:
    PlanNamePicker(TfrmDM& dm, bool withDefaults, QWidget* parent = nullptr);
    void show(const PlanKind& kind);
    QComboBox* list(const PlanKind& kind) const;
    QComboBox* current() const;

private:
    std::vector<QComboBox*> lists_;
};

// The kind radio buttons, left to right as planKinds() orders them.
class PlanKindButtons : public QWidget {
    Q_OBJECT
public:
    explicit PlanKindButtons(QWidget* parent = nullptr);
    const PlanKind& kind() const;
    QRadioButton* button(const QString& kind) const;
signals:
    void chosen(const PlanKind& kind);

private:
    QButtonGroup* group_;
};

class TfrmPlan_New : public QDialog {
    Q_OBJECT
public:
    TfrmPlan_New(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);

    QRadioButton* repeatButton(Repeat r) const;

    void onSave();

private:
    QWidget* repeatGroup();
    RepeatRule rule() const;

    TfrmDM& dm_;
    Prompter& prompter_;
    PlanKindButtons* kinds_;
    QLabel* nameLabel_;
    PlanNamePicker* names_;
    QLineEdit* amount_;
    QComboBox* account_;
    QComboBox* member_;
    QLineEdit* remark_;
    QButtonGroup* repeats_;
    QSpinBox* everyDays_;
    QSpinBox* monthlyDay_;
    QSpinBox* yearlyMonth_;
    QSpinBox* yearlyDay_;
    QSpinBox* everyMonths_;
    QSpinBox* everyMonthsDay_;
    DateEdit* start_;
    DateEdit* end_;
    QPushButton* save_;
};

// The viewing and the execution screen: criteria, the list and its totals;
// the first deletes and exports, the second executes.
class PlanListScreen : public QWidget {
    Q_OBJECT
public:
    enum class Purpose { View, Execute };
    PlanListScreen(TfrmDM& dm, Prompter& prompter, Purpose purpose, FileOpener opener = {},
                   QWidget* parent = nullptr);

    PlanListModel& model() { return model_; }
    // "Excel" on the viewing screen, "执行" on the execution screen.
    QString lastExport() const { return lastExport_; }

    void onQuery();
    void deleteCurrent();
    void deleteAll();
    void onExcel();
    void onExecute();

private:
    PlanFilter filter() const;
    void reload();

    TfrmDM& dm_;
    Prompter& prompter_;
    Purpose purpose_;
    FileOpener opener_;
    PlanListModel model_;
    PlanKindButtons* kinds_;
    CriteriaForm* form_ = nullptr;
    QPushButton* query_;
    QPushButton* action_;
    QProgressBar* progress_ = nullptr;
    RecordGrid* grid_;
    QLabel* count_;
    QLabel* total_;
    QMenu* menu_;
    QString lastExport_;
};

class TfrmPlan_V : public PlanListScreen {
    Q_OBJECT
public:
    TfrmPlan_V(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : PlanListScreen(dm, prompter, Purpose::View, std::move(opener), parent) {}
};

class TfrmPlan_EX : public PlanListScreen {
    Q_OBJECT
public:
    TfrmPlan_EX(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr)
        : PlanListScreen(dm, prompter, Purpose::Execute, {}, parent) {}
};

class TfrmPlan_Now : public QDialog {
    Q_OBJECT
public:
    TfrmPlan_Now(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);

    PlanListModel& model() { return model_; }

    void onExecute();

private:
    void reload();

    TfrmDM& dm_;
    Prompter& prompter_;
    PlanListModel model_;
    RecordGrid* grid_;
    QLabel* count_;
    QLabel* total_;
    QPushButton* execute_;
    QProgressBar* progress_;
};

}  // namespace fennory::ui
