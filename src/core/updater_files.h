#pragma once
// The external updater leaves files beside the program; each start tidies them.

#include <filesystem>

namespace fennory {

// Copies Update/Update.exe over Update.exe when present, then deletes the
// updater's leftovers that exist.
void tidyUpdaterFiles(const std::filesystem::path& exeFolder);

}  // namespace fennory
