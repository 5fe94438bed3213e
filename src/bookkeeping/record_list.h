#pragma once
// What the record screens share: which records the list shows (this month,
// before this month, all, or a filter), in the book's record-list order, with
// the count and sum of the listed amounts.

#include <functional>
#include <string>

#include <fmt/format.h>

#include "core/check_result.h"
#include "core/condition.h"
#include "core/criteria.h"
#include "core/data_module.h"
#include "core/money.h"
#include "core/record_types.h"
#include "core/screen_model.h"

namespace fennory {

enum class ListScope { ThisMonth, History, All };

// The current date, read anew at each use; tests give a fixed one instead.
std::function<std::string()> currentDate();

// The condition of a scope on a date column, months taken from `today`.
Condition scopeCondition(ListScope scope, const std::string& dateColumn, const std::string& today);

// The same day a month earlier ("2024-03-31" gives "2024-02-29").
std::string oneMonthBefore(const std::string& date);

// The ORDER BY of the book's record-list order code (theJZPX): 1 by ID, 2 by
// date, 3 by ID descending, 4 by date descending, anything else none.
std::string recordOrder(int theJZPX, const std::string& dateColumn);

// A record screen's filter dialog: its caption and the criteria it offers.
struct FilterForm {
    std::string caption;  // "收入查询"
    CriteriaTable criteria;
};
// The filter of a record table: its date, its name (category, contact or
// investment kind), account, member and remark.
FilterForm recordFilterForm(RecordType type);
// The transfers' filter: date, member and remark.
FilterForm transferFilterForm();

// A record as its form holds it: income, expense, debt, credit and investment
// records have the same fields; the name is their category or contact.
struct RecordInput {
    std::string date;  // "yyyy-mm-dd"
    std::string name;
    std::string amount;  // as typed
    std::string account;
    std::string member;
    std::string remark;
    // Accounts the user agreed to create when asked.
    std::vector<std::string> agreedAccounts;
};
enum class RecordField { None, Date, Name, Amount, Account, Member };
using RecordCheck = Check<RecordField>;

// The checks every record form runs, in this order: a real date, the name, the
// amount (given, within range, a number), the account and the member.
// `amountLabel` names the amount in the range and number messages.
RecordCheck checkRecord(const RecordInput& in, const std::string& emptyName,
                        const std::string& emptyAmount, const std::string& amountLabel);

// The question before a save makes the record's account, which the book lacks.
RecordCheck checkNewAccount(TfrmDM& dm, const RecordInput& in);

// Names typed that the book lacks are made (the member, the account owned by
// it, the category or contact of nameTable), and every name comes back in the
// spelling the book stores. Runs inside the caller's transaction.
RecordInput withStoredNames(TfrmDM& dm, RecordInput in, const char* nameTable,
                            const char* nameColumn);

// What the last save added to its category in its month: the amount, less
// what a change took back from the same category and month.
struct SavedAmount {
    std::string name, date;
    Money added;
};

// What a record form asks of its model: the fields of a new record (the book's
// defaults), of the record a change begins on, and the save of either.
class EditedRecords {
public:
    virtual ~EditedRecords() = default;
    virtual RecordInput startNewRecord() = 0;
    virtual std::optional<RecordInput> startChangeRecord() = 0;
    virtual RecordCheck save(const RecordInput& in) = 0;
    // The current record's fields ("" without one).
    virtual RecordInput currentInput() const = 0;
    virtual std::optional<SavedAmount> lastSaved() const { return std::nullopt; }
};

// "记账：3  合计：1,234.50"-style totals of the listed records.
struct ListTotals {
    std::size_t count = 0;
    Money sum;
};

// What every record screen of the bookkeeping does with its list, whatever
// its records: the scopes of the context menu, the totals, delete-all.
class ListedRecords {
public:
    virtual ~ListedRecords() = default;
    virtual void setScope(ListScope scope) = 0;
    virtual const ListTotals& totals() const = 0;
    // Every listed record in one transaction; progress(done, total) as rows go.
    virtual void removeAllListed(
        const std::function<void(std::size_t, std::size_t)>& progress = {}) = 0;

    // The filter dialog, what it opens with (the last month up to today), and
    // its criteria applied in place of the list's condition.
    virtual const FilterForm& filterForm() const = 0;
    virtual Criteria initialFilter() const = 0;
    virtual void setFilter(const Criteria& f) = 0;
};

// A record table of the book listed under a scope or a filter, in the book's
// record-list order, with its totals; deleting one record or every listed one,
// each in one transaction. The concrete model says how a record's effect on
// balances and the log is taken back.
template <class Column>
class RecordListModel : public ListedRecords, public ScreenModel<Column> {
public:
    void setScope(ListScope scope) override {
        condition_ = scopeCondition(scope, dateColumn_, today_());
        this->refresh();
    }
    const ListTotals& totals() const override { return totals_; }

    const FilterForm& filterForm() const override { return filter_; }
    Criteria initialFilter() const override {
        const std::string to = today_();
        return Criteria().dates(oneMonthBefore(to), to);
    }
    void setFilter(const Criteria& f) override { setCondition(conditionOf(filter_.criteria, f)); }

    void remove(std::int64_t id) override {
        const int row = this->indexOf(id);
        if (row < 0) {
            return;
        }
        Transaction t(dm_.db());
        deleteRow(static_cast<std::size_t>(row), id);
        t.commit();
        this->refresh();
    }

    void removeAllListed(
        const std::function<void(std::size_t, std::size_t)>& progress = {}) override {
        const std::size_t total = this->rows().size();
        if (total == 0) {
            return;
        }
        Transaction t(dm_.db());
        for (std::size_t r = 0; r < total; ++r) {
            deleteRow(r, this->idOf(this->rows(), r));
            if (progress) {
                progress(r + 1, total);
            }
        }
        t.commit();
        this->refresh();
    }

protected:
    // The list starts under `initial`: a month scope, or the loans' unpaid-only.
    // `filter`: what its filter dialog offers.
    RecordListModel(TfrmDM& dm, std::vector<ColumnDef> columns, Column id, Column amount,
                    const char* table, const char* dateColumn, FilterForm filter, Condition initial,
                    std::function<std::string()> today)
        : ScreenModel<Column>(columns, id),
          dm_(dm),
          today_(std::move(today)),
          columns_(std::move(columns)),
          amount_(static_cast<std::size_t>(amount)),
          table_(table),
          dateColumn_(dateColumn),
          filter_(std::move(filter)),
          condition_(std::move(initial)) {}

    // Takes back the listed row's effect: its balances and "删除" entries.
    virtual void takeBack(std::size_t row, std::int64_t id) = 0;

    Table load() override {
        Statement s = dm_.db().prepare(fmt::format(
            "SELECT {} FROM {} WHERE BName=?{}{}", selectList(columns_), table_, condition_.sql,
            recordOrder(dm_.session().OpenBookState.theJZPX, dateColumn_)));
        s.bind(1, dm_.book());
        condition_.bind(s, 1);
        Table t = loadColumns(std::move(s), columns_);
        totals_ = {t.size(), Money()};
        for (const auto& row : t.rows) {
            totals_.sum += std::get<Money>(row[amount_]);
        }
        return t;
    }

    void setCondition(Condition c) {
        condition_ = std::move(c);
        this->refresh();
    }

    // Moves money into (into > 0) or out of an account and logs the move.
    void moveMoney(int into, Money amount, const std::string& account, const std::string& member,
                   const std::string& date, const std::string& type, const std::string& remark,
                   const char* table, std::int64_t id, LogEvent event) {
        bookMoneyMove(dm_, {.into = into,
                            .amount = amount,
                            .account = account,
                            .member = member,
                            .date = date,
                            .type = type,
                            .remark = remark,
                            .table = table,
                            .id = id,
                            .event = event});
    }

    TfrmDM& dm_;
    std::function<std::string()> today_;

private:
    void deleteRow(std::size_t row, std::int64_t id) {
        takeBack(row, id);
        dm_.db().execute(fmt::format("DELETE FROM {} WHERE ID=?1 AND BName=?2", table_), id,
                         dm_.book());
    }

    std::vector<ColumnDef> columns_;
    std::size_t amount_;
    const char* table_;
    const char* dateColumn_;
    FilterForm filter_;
    Condition condition_;
    ListTotals totals_;
};

// A record screen's model whose form is a RecordInput (income, expense, debt,
// credit, investment): the fields of the current row, the change it begins on,
// and the save of either, booked through the one booking path.
template <class Column>
class BookedRecordModel : public RecordListModel<Column>, public EditedRecords {
public:
    std::optional<RecordInput> startChangeRecord() override {
        if (!this->startChange()) {
            return std::nullopt;
        }
        return rowInput(static_cast<std::size_t>(this->currentIndex()));
    }
    RecordInput currentInput() const override {
        return this->hasCurrent() ? rowInput(static_cast<std::size_t>(this->currentIndex()))
                                  : RecordInput{};
    }
    std::optional<SavedAmount> lastSaved() const override { return lastSaved_; }

protected:
    // Where a form field stands among the list's columns.
    struct FormColumns {
        Column date, name, amount, account, member, remark;
    };
    BookedRecordModel(TfrmDM& dm, RecordType type, FormColumns form, std::vector<ColumnDef> columns,
                      Column id, Condition initial, std::function<std::string()> today)
        : RecordListModel<Column>(dm, columns, id, form.amount, recordType(type).table,
                                  recordType(type).dateColumn, recordFilterForm(type),
                                  std::move(initial), std::move(today)),
          booker_(dm, type),
          form_(form) {}

    // The rows `sql` finds for the current record (its ID bound to ?1, the book
    // to ?2), newest first as the statement orders them.
    Table currentRecordRows(const std::string& sql, std::vector<std::string> money) {
        Statement s = this->dm_.db().prepare(sql);
        s.bindAll(this->currentId(), this->dm_.book());
        return Table::load(std::move(s), std::move(money));
    }
    // The increases and decreases of the current record, kept in `table` by `key`.
    Table currentAdjustments(const char* table, const char* key) {
        return currentRecordRows(
            fmt::format(
                "SELECT theDate AS \"日期\", theMoney AS \"增减金额\", AName AS \"账户名称\", "
                "FName AS \"家庭成员\", Remark AS \"备注\" FROM {} WHERE {}=?1 AND BName=?2 "
                "ORDER BY theDate DESC, ID DESC",
                table, key),
            {"增减金额"});
    }

    RecordInput rowInput(std::size_t row) const {
        const Table& t = this->rows();
        return {cellText(t, row, form_.date),   cellText(t, row, form_.name),
                cellText(t, row, form_.amount), cellText(t, row, form_.account),
                cellText(t, row, form_.member), cellText(t, row, form_.remark)};
    }

    // Saves what passed `checked` (the form's own checks, in their order):
    // asks first about an account the book lacks, then in one transaction
    // makes the names typed, and books the new record or the change begun.
    RecordCheck saveRecord(const RecordInput& typed, const RecordCheck& checked) {
        if (!checked.ok) {
            return checked;
        }
        if (RecordCheck r = checkNewAccount(this->dm_, typed); !r.ok) {
            return r;
        }
        const RecordTypeDef& type = booker_.type();
        Transaction t(this->dm_.db());
        const RecordInput in =
            withStoredNames(this->dm_, typed, type.names.table.data(), type.names.column.data());
        std::int64_t id = this->currentId();
        const BookedRecord now = booked(in);
        SavedAmount added{now.name, now.date, now.amount};
        if (this->mode() == RecordMode::Change) {
            const BookedRecord was =
                booked(rowInput(static_cast<std::size_t>(this->currentIndex())));
            booker_.change(id, was, now);
            if (was.name == now.name && was.date.substr(0, 7) == now.date.substr(0, 7)) {
                added.added -= was.amount;
            }
        } else {
            id = booker_.book(now);
        }
        t.commit();
        lastSaved_ = added;
        this->saved(id);
        return RecordCheck::pass();
    }

    void takeBack(std::size_t row, std::int64_t id) override {
        booker_.takeBack(id, booked(rowInput(row)));
    }

    const RecordTypeDef& record() const { return booker_.type(); }

    static BookedRecord booked(const RecordInput& in) {
        return {in.date,    in.name,   Money::parse(in.amount).value_or(Money()),
                in.account, in.member, in.remark};
    }

    RecordBooker booker_;

private:
    FormColumns form_;
    std::optional<SavedAmount> lastSaved_;
};

}  // namespace fennory
