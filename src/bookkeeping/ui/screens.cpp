#include "bookkeeping/ui/screens.h"

#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"

namespace fennory::ui {

void registerBookkeepingScreens(Shell& shell) {
    shell.registerScreen("income", [](Shell& w) { return new TfrmInTable(w.dm(), w.prompter()); });
    shell.registerScreen("expense",
                         [](Shell& w) { return new TfrmOutTable(w.dm(), w.prompter()); });
    shell.registerScreen("transfer",
                         [](Shell& w) { return new TfrmChangeT(w.dm(), w.prompter()); });
    shell.registerScreen("borrow", [](Shell& w) { return new TfrmBorrow(w.dm(), w.prompter()); });
    shell.registerScreen("debt", [](Shell& w) { return new TfrmDebt(w.dm(), w.prompter()); });
    shell.registerScreen("invest", [](Shell& w) { return new TfrmTZ(w.dm(), w.prompter()); });
}

}  // namespace fennory::ui
