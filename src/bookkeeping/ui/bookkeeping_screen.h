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
#include "core/ui/record_screen.h"

namespace fennory::ui {

class CriteriaBox;
class DateEdit;
class NameCombo;

// What tells the filter dialogs of the record screens apart.
struct FilterForm {
    QString caption;   // "收入查询"
    QString dateTick;  // "收入日期"
    QString nameTick;  // "收入类别"; empty: no such criterion
    const char* nameTable = nullptr;
    const char* nameColumn = nullptr;
    std::vector<std::string> names;
    bool byAccount = true;
};

// The filter dialog of a record screen: date, name, account, member and
// remark, each a tick box beside its input, and "查询" and "退出".
class RecordFilterDialog : public QDialog {
    Q_OBJECT
public:
    RecordFilterDialog(TfrmDM& dm, const FilterForm& form, const RecordFilter& start,
                       QWidget* parent = nullptr);
    RecordFilter filter() const;
    CriteriaBox* criterion(const QString& tick) const;
    DateEdit* fromDate() const { return from_; }
    DateEdit* toDate() const { return to_; }
    NameCombo* nameField() const { return name_; }
    NameCombo* accountField() const { return account_; }
    NameCombo* memberField() const { return member_; }
    QLineEdit* remarkField() const { return remark_; }
    QPushButton* queryButton() const { return query_; }

private:
    std::vector<CriteriaBox*> criteria_;
    CriteriaBox* byDate_;
    CriteriaBox* byName_ = nullptr;
    CriteriaBox* byAccount_ = nullptr;
    CriteriaBox* byMember_;
    CriteriaBox* byRemark_;
    DateEdit* from_;
    DateEdit* to_;
    NameCombo* name_;
    NameCombo* account_;
    NameCombo* member_;
    QLineEdit* remark_;
    QPushButton* query_;
};

// A name drop-down filled with names and the book's type-ahead on a list.
void setUpNames(NameCombo* combo, TfrmDM& dm, const std::vector<std::string>& names,
                const char* table, const char* column);

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
    // Runs the filter dialog of this form; the model takes the filter on "查询".
    bool runFilter(TfrmDM& dm, const FilterForm& form, const RecordFilter& start,
                   const std::function<void(const RecordFilter&)>& apply);
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
