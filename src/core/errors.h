#pragma once
// What a user is told when an action fails, and the error log where the
// engine's own words go. The message box never shows the engine's text.

#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace fennory {

// A Chinese sentence the user can act on.
std::string userMessage(const std::exception& e);
// The sentence for a failure after the action's transaction committed: what
// it saved stays saved, and the user must not repeat it.
std::string afterCommitMessage(const std::exception& e);

// Why a file could not be read or written, in the user's words ("磁盘空间
//不足"); the system's own text goes to the log.
std::string fileErrorReason(const std::error_code& ec);

// Appends the failure (the engine's text and the statement) to the log; past
// maxBytes the log moves to "<name>.1" and a new one starts.
void logError(const std::filesystem::path& logFile, const std::exception& e,
              std::uintmax_t maxBytes = 256 * 1024);

}  // namespace fennory
