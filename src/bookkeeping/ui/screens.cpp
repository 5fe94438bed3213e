#include "bookkeeping/ui/screens.h"

#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"

namespace fennory::ui {

// The record screens.
constexpr MenuRow kRecordRows[] = {
    {.id = "income", .order = 100, .caption = "收入 &I", .shortcut = "Ctrl+I", .needsNames = true},
    {.id = "expense", .order = 101, .caption = "支出 &O", .shortcut = "Ctrl+O", .needsNames = true},
    {.id = "transfer",
     .order = 200,
     .caption = "账户转账 &A",
     .shortcut = "Ctrl+A",
     .needsNames = true},
    {.id = "borrow", .order = 300, .caption = "债务 &B", .shortcut = "Ctrl+B", .needsNames = true},
    {.id = "debt", .order = 301, .caption = "债权 &D", .shortcut = "Ctrl+D", .needsNames = true},
    {.id = "invest", .order = 400, .caption = "投资 &T", .shortcut = "Ctrl+T", .needsNames = true},
};

void registerBookkeepingScreens(Shell& shell) {
    shell.addMenuRows("记账【&W】", kRecordRows);
    registerScreens(shell, {{"income", screenOf<TfrmInTable>()},
                            {"expense", screenOf<TfrmOutTable>()},
                            {"transfer", screenOf<TfrmChangeT>()},
                            {"borrow", screenOf<TfrmBorrow>()},
                            {"debt", screenOf<TfrmDebt>()},
                            {"invest", screenOf<TfrmTZ>()}});
}

}  // namespace fennory::ui
