#pragma once
// "导出为记账文本": the open book as a plain-text journal that hledger and
// ledger read, or beancount: every record that moved money as a balanced
// transaction, with the opening balances that make every account end where
// the book has it.

#include <ostream>
#include <string>

#include "core/data_module.h"

namespace fennory {

enum class JournalFormat { Ledger, Beancount };

struct JournalSummary {
    std::size_t transactions = 0;
    std::size_t accounts = 0;
};

// Writes the open book as of `today` ("yyyy-mm-dd": the date of the closing
// entries of written-off loans).
JournalSummary writeJournal(TfrmDM& dm, std::ostream& out, JournalFormat format,
                            const std::string& today);

}  // namespace fennory
