#pragma once
// Registers the statistics, reports, queries, analyses and the fund-flow log with the program's
// window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerReportScreens(Shell& shell);
// The ways other modules open the fund-flow log (part of the registration).
void installReportNavigation();

}  // namespace fennory::ui
