#pragma once
// Registers the plans, the reminder settings and the sound with the program's window.

#include <functional>

#include "core/ui/shell.h"
#include "plans/ui/sound.h"

namespace fennory::ui {

// The way the record screens show their threshold reminders (part of the
// registration).
void installPlanNavigation();
void registerPlanScreens(Shell& shell, std::function<const SoundPlayerFactory&()> players);

}  // namespace fennory::ui
