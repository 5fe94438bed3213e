#pragma once
// Registers the books, their backups and preferences with the program's window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerBookScreens(Shell& shell);

}  // namespace fennory::ui
