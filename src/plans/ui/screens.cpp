#include "plans/ui/screens.h"

#include "plans/ui/budget_screens.h"
#include "plans/ui/plan_screens.h"
#include "plans/ui/sound.h"
#include "plans/ui/thresholds_screen.h"

#include "core/ui/navigation.h"

namespace fennory::ui {

void installPlanNavigation() {
    navigation().setReminders(showReminders);
    navigation().setAfterSave(remindOverBudget);
}

// The plans, the thresholds and the reminder sound.
constexpr MenuRow kSettingsRows[] = {
    {.id = "warn", .order = 300, .caption = "提醒设置 &W"},
};
constexpr MenuRow kPlanRows[] = {
    {.id = "planNew", .order = 100, .caption = "新建计划 &N", .needsNames = true},
    {.id = "planView", .order = 101, .caption = "查看计划 &V"},
    {.id = "planRun", .order = 102, .caption = "执行计划 &M"},
    {.id = "planToday", .order = 200, .caption = "今日计划 &D"},
    {.id = "budget", .order = 300, .caption = "预算设置 &B"},
};
constexpr MenuRow kReportRows[] = {
    {.id = "budgetReport", .order = 206, .caption = "预算执行表 &U"},
};
constexpr MenuRow kToolRows[] = {
    {.id = "sound", .order = 200, .caption = "提醒声音设置 &S"},
};

void registerPlanScreens(Shell& shell, std::function<const SoundPlayerFactory&()> players) {
    shell.addMenuRows("基础设置【&B】", kSettingsRows);
    shell.addMenuRows("计划【&P】", kPlanRows);
    shell.addMenuRows("工具【&T】", kToolRows);
    shell.addMenuRows("报表中心【&R】", kReportRows);
    installPlanNavigation();
    shell.registerScreen("warn", [](Shell& w) { return new TfrmUWarn(w.dm(), w.prompter()); });
    shell.registerDialog("planNew", modalOf<TfrmPlan_New>());
    shell.registerScreen(
        "planView", [](Shell& w) { return new TfrmPlan_V(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen("budget",
                         [](Shell& w) { return new TfrmBudget(w.dm(), w.prompter()); });
    shell.registerScreen("budgetReport", [](Shell& w) {
        return new TfrmBudgetReport(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("planRun", [](Shell& w) { return new TfrmPlan_EX(w.dm(), w.prompter()); });
    // Executed plans move balances.
    shell.registerDialog("planToday", thenBalancesMoved(modalOf<TfrmPlan_Now>()));
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
