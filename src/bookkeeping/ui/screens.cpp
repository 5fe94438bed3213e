#include "bookkeeping/ui/screens.h"

#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"

namespace fennory::ui {

void registerBookkeepingScreens(Shell& shell) {
    registerScreens(shell, {{"income", screenOf<TfrmInTable>()},
                            {"expense", screenOf<TfrmOutTable>()},
                            {"transfer", screenOf<TfrmChangeT>()},
                            {"borrow", screenOf<TfrmBorrow>()},
                            {"debt", screenOf<TfrmDebt>()},
                            {"invest", screenOf<TfrmTZ>()}});
}

}  // namespace fennory::ui
