#pragma once
// The work at start that grows with the data file: the engine's check of every
// page and the day's snapshot. It runs on a connection of its own while the
// first window opens; the program's own connection waits for it before its
// first write, and a file that fails the check refuses that write.

#include <filesystem>
#include <future>
#include <string>

#include "core/database.h"

namespace fennory {

class StartupCheck {
public:
    struct Outcome {
        std::string refusal;        // the file failed its check: the sentence that says so
        std::string snapshotError;  // the day's snapshot could not be written
        bool snapshotTaken = false;
    };

    // Starts the work; `live` gets a write gate that waits for it.
    StartupCheck(Database& live, std::filesystem::path backupFolder, std::string today);
    ~StartupCheck();
    StartupCheck(const StartupCheck&) = delete;
    StartupCheck& operator=(const StartupCheck&) = delete;

    bool done() const;
    // Waits for the work and gives its outcome.
    const Outcome& wait();

    // The work itself, run where it is called: the check, then (for a file that
    // passed and holds at least one book) the snapshot.
    static Outcome run(const std::filesystem::path& dataFile,
                       const std::filesystem::path& backupFolder, const std::string& today);

private:
    std::shared_future<Outcome> outcome_;
};

}  // namespace fennory
