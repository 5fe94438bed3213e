#include "app/screens.h"

#include "bookkeeping/ui/screens.h"
#include "books/ui/screens.h"
#include "import/ui/screens.h"
#include "plans/ui/screens.h"
#include "reference/ui/screens.h"
#include "reports/ui/screens.h"

namespace fennory::ui {

void registerScreens(TfrmMain& window) {
    registerBookScreens(window);
    registerReferenceScreens(window);
    registerBookkeepingScreens(window);
    registerPlanScreens(window,
                        [&window]() -> const SoundPlayerFactory& { return window.soundPlayers(); });
    registerImportScreens(window);
    registerReportScreens(window);
}

}  // namespace fennory::ui
