#include "reference/ui/screens.h"

#include "reference/ui/accounts_screen.h"
#include "reference/ui/family_screen.h"
#include "reference/ui/name_list_screen.h"

namespace fennory::ui {

void registerReferenceScreens(Shell& shell) {
    shell.registerScreen("accounts", [](Shell& w) {
        return new TfrmA_Manage(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen(
        "family", [](Shell& w) { return new TfrmFamily(w.dm(), w.prompter(), desktopOpener()); });
    registerScreens(shell, {{"incomeKinds", screenOf<TfrmIn_Manage>()},
                            {"expenseKinds", screenOf<TfrmOut_Manage>()},
                            {"investKinds", screenOf<TfrmT_Manage>()},
                            {"contacts", screenOf<TfrmP_Manage>()}});
}

}  // namespace fennory::ui
