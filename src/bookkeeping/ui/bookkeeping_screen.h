#pragma once
// What the record screens of the bookkeeping share around their fields: the
// totals line, "查询（&Q）" with its filter dialog, the context menu of list
// scopes and "全部删除 &D" with its progress bar, and the monthly reminders when
// the screen first shows.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include <functional>

#include "bookkeeping/record_list.h"
#include "core/data_module.h"
#include "core/ui/criteria_form.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {

// The filter dialog of a record screen: its criteria one to a row, each a
// tick box beside its input, and "查询" and "退出".
class RecordFilterDialog : public QDialog {
    Q_OBJECT
public:
    RecordFilterDialog(TfrmDM& dm, const FilterForm& form, const Criteria& start,
                       QWidget* parent = nullptr);
    Criteria filter() const { return form_->criteria(); }

private:
    CriteriaForm* form_;
};

// A name drop-down filled with names and the book's type-ahead on a list.
void setUpNames(NameCombo* combo, TfrmDM& dm, const std::vector<std::string>& names,
                const char* table, const char* column);

class BookkeepingScreen : public RecordScreen {
    Q_OBJECT
public:
    BookkeepingScreen(TfrmDM& dm, ScreenModelBase& model, ListedRecords& list, Prompter& prompter,
                      QWidget* parent);
    QMenu* contextMenu() const { return gridMenu(); }
    void refreshStates() override;
    // The list under a scope of the context menu; "全部删除 &D".
    void showScope(ListScope scope);
    void deleteAllListed();
    // Runs once, the first time the screen is shown (the threshold reminders).
    void setOnFirstShow(std::function<void()> f) { onFirstShow_ = std::move(f); }

protected:
    void showEvent(QShowEvent* e) override;
    // The context menu of the records kept by date: "本月记账 &B", "历史记账 &L",
    // "全部记账 &A" and "全部删除 &D".
    void addMonthScopes();
    // The filter dialog; on "查询" the list takes its criteria and true comes back.
    bool runFilter();
    void showTotals();
    QLabel* totalsLabel() const { return totals_; }

private:
    TfrmDM& dm_;
    ListedRecords& list_;
    Prompter& prompter_;
    QPushButton* query_;
    QLabel* totals_;
    std::function<void()> onFirstShow_;
    bool shown_ = false;
};

}  // namespace fennory::ui
