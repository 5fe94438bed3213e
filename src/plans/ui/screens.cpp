#include "plans/ui/screens.h"

#include "plans/ui/plan_screens.h"
#include "plans/ui/sound.h"
#include "plans/ui/thresholds_screen.h"

#include "core/ui/navigation.h"

namespace fennory::ui {

void installPlanNavigation() {
    navigation().setReminders(showReminders);
}

void registerPlanScreens(Shell& shell, std::function<const SoundPlayerFactory&()> players) {
    installPlanNavigation();
    shell.registerScreen("warn", [](Shell& w) { return new TfrmUWarn(w.dm(), w.prompter()); });
    shell.registerDialog("planNew", [](Shell& w) {
        TfrmPlan_New dialog(w.dm(), w.prompter(), w.frame());
        dialog.exec();
    });
    shell.registerScreen(
        "planView", [](Shell& w) { return new TfrmPlan_V(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen("planRun", [](Shell& w) { return new TfrmPlan_EX(w.dm(), w.prompter()); });
    shell.registerDialog("planToday", [](Shell& w) {
        TfrmPlan_Now dialog(w.dm(), w.prompter(), w.frame());
        dialog.exec();
        w.balancesMoved();  // executed plans moved balances
    });
    shell.registerDialog(
        "sound",
        [players](Shell& w) {
            TfrmSound dialog(w.dm().session().ExeFolder, w.prompter(), players(), mp3FileChooser(),
                             w.frame());
            dialog.exec();
        },
        false);
}

}  // namespace fennory::ui
