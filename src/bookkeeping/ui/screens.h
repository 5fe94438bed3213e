#pragma once
// Registers the record screens of 记账 with the program's window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerBookkeepingScreens(Shell& shell);

}  // namespace fennory::ui
