#pragma once
// Which screen each menu entry opens.

#include "app/main_window.h"

namespace fennory::ui {

void registerScreens(TfrmMain& window);

}  // namespace fennory::ui
