#pragma once
// Registers the names every record uses with the program's window.

#include "core/ui/shell.h"

namespace fennory::ui {

void registerReferenceScreens(Shell& shell);

}  // namespace fennory::ui
