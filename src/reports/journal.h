#pragma once
// "导出为记账文本": the open book as a plain-text journal that hledger and
// ledger read, or beancount: every record that moved money as a balanced
// transaction, with the opening balances that make every account end where
// the book has it.

#include <filesystem>
#include <ostream>
#include <stdexcept>
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

// The journal into a file, whole or not at all (a journal cut short would
// read as a smaller book). Throws JournalFileError when it cannot be written.
JournalSummary exportJournal(TfrmDM& dm, const std::filesystem::path& file, JournalFormat format,
                             const std::string& today);

class JournalFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace fennory
