#pragma once
// What people script, without a window: a backup, the plain-text journal, a
// report's sheet, and what a bill's import would do. Messages in Chinese on
// the error stream; the exit status says how it went.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace fennory {

enum CommandExit {
    kCommandDone = 0,
    kCommandUsage = 1,    // the arguments do not say a command
    kCommandRefused = 2,  // the data file, the book or its password
    kCommandLocked = 3,   // the program is open
    kCommandFailed = 4    // the command could not be done
};

// Whether the arguments ask for the command line rather than the window.
bool isCommandLine(const std::vector<std::string>& args);

// Runs the command the arguments (without the program's name) give against
// the data file. `today` sets the reports' periods.
int runCommandLine(const std::vector<std::string>& args, const std::filesystem::path& dataFile,
                   const std::string& today, std::ostream& out, std::ostream& err);

// How the command line is used, for "--help" and a mistake.
std::string commandLineUsage();

}  // namespace fennory
