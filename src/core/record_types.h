#pragma once
// The record tables that move one account's money, described once, and the
// one path that books, changes and takes back such a record: the record row,
// the use counts, the balance and the fund-flow entry, inside the caller's
// transaction. Screens, plan execution, the spreadsheet import and the bill
// booking all come this way, so that no way in skips its checks.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/data_module.h"
#include "core/money.h"
#include "core/names.h"

namespace fennory {

enum class RecordType { Income, Expense, Debt, Credit, Investment };

struct RecordTypeDef {
    RecordType type;
    const char* caption;      // "收入"
    const char* table;        // "InTable"
    const char* dateColumn;   // "IDate"
    const char* nameColumn;   // the category or contact: "IName", "BPro"
    const char* moneyColumn;  // "IMoney"
    NameTable names;          // the list the name comes from
    int sign;                 // +1: the record brings money into its account
    bool countsUses;          // a new record raises its name's and account's use counts
    bool logsCaption;         // the log's kind is the caption (loans), else the name
    bool hasRepaid;           // an RMoney column that starts at 0 (loans, investments)
    std::vector<std::string> (TfrmDM::*nameList)();  // the names a form offers
    // The filter dialog of its record screen.
    const char* filterCaption;  // "收入查询"
    const char* dateCaption;    // "收入日期"
    const char* nameCaption;    // "收入类别"
};

const RecordTypeDef& recordType(RecordType type);

// A record's values as they are stored.
struct BookedRecord {
    std::string date;  // yyyy-mm-dd
    std::string name;  // category or contact
    Money amount;
    std::string account;
    std::string member;
    std::string remark;
};

// What every record must be, whichever way it comes in: nothing, or why not.
std::optional<std::string> recordRefusal(const BookedRecord& r);

// One movement of an account's money with its fund-flow entry. Records,
// transfer legs, repayments, adjustments and returns all move money this way.
struct MoneyMove {
    int into;  // > 0: into the account; otherwise out of it
    Money amount;
    std::string account;
    std::string member;
    std::string date;
    std::string type;  // the log's kind
    std::string remark;
    const char* table;  // the record the move belongs to
    std::int64_t id;
    LogEvent event;
};
void bookMoneyMove(TfrmDM& dm, const MoneyMove& m);

// A record refused on the booking path; its text is the user's sentence.
class RecordRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RecordBooker {
public:
    RecordBooker(TfrmDM& dm, RecordType type);
    const RecordTypeDef& type() const { return type_; }

    // A new record: the row, the use counts where the type counts them (and
    // `countUses`), the balance and the log entry (`event`). Returns its ID.
    // Throws RecordRefused.
    std::int64_t book(const BookedRecord& r, LogEvent event = LogEvent::Added,
                      bool countUses = true);
    // A change: the old effect taken back ("恢复"), the row rewritten, the new
    // effect booked ("修改"). Throws RecordRefused.
    void change(std::int64_t id, const BookedRecord& old, const BookedRecord& now);
    // The record's effect taken back (its balance and a log entry); the row
    // itself is the caller's to delete or keep.
    void takeBack(std::int64_t id, const BookedRecord& r, LogEvent event = LogEvent::Deleted);

private:
    void move(int direction, std::int64_t id, const BookedRecord& r, LogEvent event);
    TfrmDM& dm_;
    const RecordTypeDef& type_;
};

}  // namespace fennory
