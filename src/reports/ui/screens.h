#pragma once
// Registers the statistics, reports, queries, analyses and the fund-flow log with the program's
// window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerReportScreens(Shell& shell);

}  // namespace fennory::ui
