#include "reference/ui/screens.h"

#include "reference/ui/accounts_screen.h"
#include "reference/ui/family_screen.h"
#include "reference/ui/name_list_screen.h"

namespace fennory::ui {

// The names a book keeps.
constexpr MenuRow kSettingsRows[] = {
    {.id = "family", .order = 100, .caption = "家庭成员 &F"},
    {.id = "contacts", .order = 101, .caption = "往来人员 &P"},
    {.id = "accounts", .order = 102, .caption = "账户管理 &A"},
    {.id = "incomeKinds", .order = 200, .caption = "收入类别 &I"},
    {.id = "expenseKinds", .order = 201, .caption = "支出类别 &O"},
    {.id = "investKinds", .order = 202, .caption = "投资分类 &T"},
};

void registerReferenceScreens(Shell& shell) {
    shell.addMenuRows("基础设置【&B】", kSettingsRows);
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
