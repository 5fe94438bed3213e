#pragma once
// TfrmUWarn "提醒设置" with TfrmUWarn_M "预警修改", and the reminder window
// TfrmTXMes the entry screens show when they open.

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/data_module.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "plans/budget_report.h"
#include "plans/thresholds.h"

namespace fennory::ui {

class TfrmTXMes : public QDialog {
    Q_OBJECT
public:
    TfrmTXMes(const Reminder& r, QWidget* parent = nullptr);
    QLabel* line(int i) const { return lines_[static_cast<std::size_t>(i)]; }

private:
    std::array<QLabel*, 3> lines_{};
};

// myTX of an entry screen: one window after the other for the reminders of
// the kind in the current month.
void showReminders(TfrmDM& dm, const std::string& kind, QWidget* parent);

// After an expense's save: one window when it took its category past the
// month's budget.
void remindOverBudget(TfrmDM& dm, const std::string& kind, const std::string& name,
                      const std::string& date, Money added, QWidget* parent);

class TfrmUWarn : public RecordScreen {
    Q_OBJECT
public:
    TfrmUWarn(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);
    ThresholdsModel& model() { return model_; }
    QRadioButton* kindButton(const QString& kind) const;
    QMenu* contextMenu() const { return gridMenu(); }
    void editCurrent();

protected:
    void showCurrent() override;
    void clearFields() override;
    void onSave() override;
    QWidget* firstField() const override { return member_; }

private:
    ThresholdsModel model_;
    Prompter& prompter_;
    QButtonGroup* kinds_;
    QComboBox* member_;
    MoneyEdit* amount_;
    QLineEdit* text_;
};

class TfrmUWarn_M : public QDialog {
    Q_OBJECT
public:
    TfrmUWarn_M(ThresholdsModel& model, Prompter& prompter, QWidget* parent = nullptr);

private:
    void onSave();
    ThresholdsModel& model_;
    Prompter& prompter_;
    std::int64_t id_;
    MoneyEdit* amount_;
    QLineEdit* text_;
    QPushButton* save_;
};

}  // namespace fennory::ui
