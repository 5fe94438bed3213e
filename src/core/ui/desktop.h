#pragma once
// Opening a file or a web address with the program the desktop chooses.

#include <QString>

namespace fennory::ui {

// Opens a local file or an http(s) address with the desktop's opener and tells
// whether it really did: the opener's exit status counts, not only that it
// started (an opener without a program for the file starts and then fails).
// An opener still busy after a few seconds has started the program.
bool openOnDesktop(const QString& fileOrAddress);

}  // namespace fennory::ui
