#pragma once
// What the income, expense and transfer screens share around their fields: the
// totals line, "查询（&Q）", the context menu of list scopes and "全部删除 &D"
// with its progress bar, and the monthly reminders when the screen first shows.

#include <QDialog>
#include <QLabel>
#include <QShowEvent>

#include <functional>

#include "bookkeeping/record_list.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {

class CriteriaBox;
class DateEdit;

// The filter dialogs' pieces: "from 至 to" as one input of a criterion, and
// the group "查询条件" with the buttons "查询" (default) and "退出".
QWidget* dateRange(DateEdit* from, DateEdit* to);
void layOutFilter(QDialog* dialog, const std::vector<CriteriaBox*>& criteria, QPushButton* query);

class BookkeepingScreen : public RecordScreen {
    Q_OBJECT
public:
    BookkeepingScreen(ScreenModelBase& model, ListedRecords& list, Prompter& prompter,
                      QWidget* parent);
    QPushButton* queryButton() const { return query_; }
    QLabel* totalsLabel() const { return totals_; }
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
    // The filter dialog; true when it set a new condition.
    virtual bool runFilter() = 0;
    void showTotals();

private:
    ListedRecords& list_;
    Prompter& prompter_;
    QPushButton* query_;
    QLabel* totals_;
    std::function<void()> onFirstShow_;
    bool shown_ = false;
};

}  // namespace fennory::ui
