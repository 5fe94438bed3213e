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
    shell.registerScreen("incomeKinds",
                         [](Shell& w) { return new TfrmIn_Manage(w.dm(), w.prompter()); });
    shell.registerScreen("expenseKinds",
                         [](Shell& w) { return new TfrmOut_Manage(w.dm(), w.prompter()); });
    shell.registerScreen("investKinds",
                         [](Shell& w) { return new TfrmT_Manage(w.dm(), w.prompter()); });
    shell.registerScreen("contacts",
                         [](Shell& w) { return new TfrmP_Manage(w.dm(), w.prompter()); });
}

}  // namespace fennory::ui
