#include "bookkeeping/ui/screens.h"

#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"

namespace fennory::ui {

// The record screens.
constexpr MenuRow kMenuRows[] = {
    {.id = "income",
     .menu = "记账【&W】",
     .order = 100,
     .caption = "收入 &I",
     .shortcut = "Ctrl+I",
     .needsNames = true},
    {.id = "expense",
     .menu = "记账【&W】",
     .order = 101,
     .caption = "支出 &O",
     .shortcut = "Ctrl+O",
     .needsNames = true},
    {.id = "transfer",
     .menu = "记账【&W】",
     .order = 200,
     .caption = "账户转账 &A",
     .shortcut = "Ctrl+A",
     .needsNames = true},
    {.id = "borrow",
     .menu = "记账【&W】",
     .order = 300,
     .caption = "债务 &B",
     .shortcut = "Ctrl+B",
     .needsNames = true},
    {.id = "debt",
     .menu = "记账【&W】",
     .order = 301,
     .caption = "债权 &D",
     .shortcut = "Ctrl+D",
     .needsNames = true},
    {.id = "invest",
     .menu = "记账【&W】",
     .order = 400,
     .caption = "投资 &T",
     .shortcut = "Ctrl+T",
     .needsNames = true},
};

void registerBookkeepingScreens(Shell& shell) {
    shell.addMenuRows(kMenuRows);
    registerScreens(shell, {{"income", screenOf<TfrmInTable>()},
                            {"expense", screenOf<TfrmOutTable>()},
                            {"transfer", screenOf<TfrmChangeT>()},
                            {"borrow", screenOf<TfrmBorrow>()},
                            {"debt", screenOf<TfrmDebt>()},
                            {"invest", screenOf<TfrmTZ>()}});
}

}  // namespace fennory::ui
