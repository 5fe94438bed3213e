#pragma once
// Writes a sheet to the Export folder and opens it with the desktop's
// spreadsheet application.

#include <QString>

#include <functional>

#include "core/session.h"
#include "core/ui/prompter.h"
#include "reporting/sheet.h"

namespace fennory::ui {

// Opens a written file; false when no application took it. Tests give their own.
using FileOpener = std::function<bool(const QString& file)>;
FileOpener desktopOpener();

// Returns the written file, or an empty text when it could not be written (the
// user has been told either way).
QString exportSheet(const Sheet& sheet, const Session& session, const std::string& sheetName,
                    Prompter& prompter, const FileOpener& open);

}  // namespace fennory::ui
