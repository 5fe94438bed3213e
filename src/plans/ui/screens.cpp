#include "plans/ui/screens.h"

#include "plans/ui/plan_screens.h"
#include "plans/ui/sound.h"
#include "plans/ui/thresholds_screen.h"

#include "core/ui/navigation.h"

namespace fennory::ui {

void installPlanNavigation() {
    navigation().setReminders(showReminders);
}

// The plans, the thresholds and the reminder sound.
constexpr MenuRow kMenuRows[] = {
    {.id = "warn", .menu = "基础设置【&B】", .order = 300, .caption = "提醒设置 &W"},
    {.id = "planNew",
     .menu = "计划【&P】",
     .order = 100,
     .caption = "新建计划 &N",
     .needsNames = true},
    {.id = "planView", .menu = "计划【&P】", .order = 101, .caption = "查看计划 &V"},
    {.id = "planRun", .menu = "计划【&P】", .order = 102, .caption = "执行计划 &M"},
    {.id = "planToday", .menu = "计划【&P】", .order = 200, .caption = "今日计划 &D"},
    {.id = "sound", .menu = "工具【&T】", .order = 200, .caption = "提醒声音设置 &S"},
};

void registerPlanScreens(Shell& shell, std::function<const SoundPlayerFactory&()> players) {
    shell.addMenuRows(kMenuRows);
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
