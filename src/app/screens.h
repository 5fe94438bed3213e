#pragma once
// Every ui module registers its screens with the window; this lists the modules.

#include "app/main_window.h"

namespace fennory::ui {

void registerScreens(TfrmMain& window);

}  // namespace fennory::ui
