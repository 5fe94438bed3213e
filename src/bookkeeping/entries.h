#pragma once
// Income and expense records: one model, two kinds told apart by EntryKind.
// Saving, changing or deleting a record moves its account's balance and
// writes the matching fund-flow entries, all in one transaction.

#include <functional>
#include <string>

#include "bookkeeping/record_list.h"
#include "core/check_result.h"
#include "core/data_module.h"
#include "core/screen_model.h"

namespace fennory {

// Everything that tells the income screen from the expense screen.
// Where its records are kept and how they move money is its record type's.
struct EntryKind {
    RecordType type;
    const char* caption;    // "收入": window, group, threshold kind
    const char* dateLabel;  // "收入日期："
    const char* nameLabel;  // "收入类别："
    const char* emptyName;  // "请选择 收入类别！"
    const char* emptyAmountNew;
    const char* emptyAmountChange;
    std::string BookState::*defaultName;  // IName or OName
    bool BookState::*monthOnly;           // D_I or D_O
};
const EntryKind& incomeEntry();
const EntryKind& expenseEntry();

enum class EntryColumn { Id, Book, Date, Name, Amount, Account, Member, Remark };
using EntryField = RecordField;
using EntryCheck = RecordCheck;
using EntryInput = RecordInput;

class EntryModel : public BookedRecordModel<EntryColumn> {
public:
    // `today` gives the current date for "this month"; tests fix it.
    EntryModel(TfrmDM& dm, const EntryKind& kind,
               std::function<std::string()> today = currentDate());
    const EntryKind& kind() const { return kind_; }

    // The list opens on this month only when the book's preference says so.

    // The fields of a new record: today's or the last used date and the
    // book's defaults. Starts the new state.
    EntryInput startNewRecord() override;

    // "保存": a new record or the change begun; the saved record is current.
    EntryCheck save(const EntryInput& in) override;

    // The drop-downs' names.
    std::vector<std::string> names() { return (dm_.*recordType(kind_.type).nameList)(); }
    std::vector<std::string> accounts() { return dm_.ComAccount(); }
    std::vector<std::string> members() { return dm_.ComFamily(); }

private:
    EntryCheck check(const EntryInput& in) const;

    const EntryKind& kind_;
    std::string lastDate_;
};

}  // namespace fennory
