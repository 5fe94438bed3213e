#include "reference/renames.h"

#include <fmt/format.h>

namespace fennory {
namespace {

// Accounts' owners (SAccount.FName) and the thresholds keep a member's old name.
constexpr RenameTarget kAccount[] = {
    {"BList", "AName"}, {"Borrow", "AName"}, {"BorrowR", "AName"}, {"Debt", "AName"},
    {"DebtR", "AName"}, {"DList", "AName"},  {"InTable", "AName"}, {"OutTable", "AName"},
    {"SMRX", "AName"},  {"TList", "AName"},  {"TTable", "AName"},  {"TTableR", "AName"},
    {"UList", "AName"}, {"UPlan", "AName"},  {"ChangeT", "OldN"},  {"ChangeT", "NewN"}};
constexpr RenameTarget kMember[] = {
    {"BList", "FName"}, {"Borrow", "FName"}, {"BorrowR", "FName"}, {"Debt", "FName"},
    {"DebtR", "FName"}, {"DList", "FName"},  {"InTable", "FName"}, {"OutTable", "FName"},
    {"SMRX", "FName"},  {"TList", "FName"},  {"TTable", "FName"},  {"TTableR", "FName"},
    {"UList", "FName"}, {"UPlan", "FName"},  {"ChangeT", "FName"}};
constexpr RenameTarget kIncome[] = {{"InTable", "IName"}, {"UPlan", "PName"}};
constexpr RenameTarget kExpense[] = {{"OutTable", "OName"}, {"UPlan", "PName"}};
constexpr RenameTarget kInvestment[] = {{"TTable", "TName"}, {"UPlan", "PName"}};
constexpr RenameTarget kContact[] = {{"Debt", "DPro"}, {"Borrow", "BPro"}};

}  // namespace

std::span<const RenameTarget> renameTargets(NameKind kind) {
    switch (kind) {
        case NameKind::Account:
            return kAccount;
        case NameKind::Member:
            return kMember;
        case NameKind::IncomeKind:
            return kIncome;
        case NameKind::ExpenseKind:
            return kExpense;
        case NameKind::InvestmentKind:
            return kInvestment;
        case NameKind::Contact:
            return kContact;
    }
    return {};
}

void carryRename(TfrmDM& dm, NameKind kind, const std::string& oldName,
                 const std::string& newName) {
    if (oldName == newName) {
        return;
    }
    for (const RenameTarget& c : renameTargets(kind)) {
        dm.db().execute(
            fmt::format("UPDATE {0} SET {1}=?1 WHERE {1}=?2 AND BName=?3", c.table, c.column),
            newName, oldName, dm.book());
    }
}

}  // namespace fennory
