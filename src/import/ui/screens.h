#pragma once
// Registers the spreadsheet imports and the bill booking with the program's window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerImportScreens(Shell& shell);

}  // namespace fennory::ui
