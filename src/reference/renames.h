#pragma once
// Names are stored in the records as text: renaming an account, a member, a
// category or a contact carries the new name into every record of the book
// that holds the old one.

#include <span>
#include <string>

#include "core/data_module.h"

namespace fennory {

enum class NameKind { Account, Member, IncomeKind, ExpenseKind, InvestmentKind, Contact };

struct RenameTarget {
    const char* table;
    const char* column;
};

// The record columns that hold a name of this kind, in the order a rename
// updates them. The name list itself is not among them.
std::span<const RenameTarget> renameTargets(NameKind kind);

// Rewrites the old name to the new one in every target column of the open
// book. Runs inside the caller's transaction.
void carryRename(TfrmDM& dm, NameKind kind, const std::string& oldName, const std::string& newName);

}  // namespace fennory
