#include "books/startup_check.h"

#include <chrono>

#include "books/backup.h"
#include "core/errors.h"

namespace fennory {

StartupCheck::Outcome StartupCheck::run(const std::filesystem::path& dataFile,
                                        const std::filesystem::path& backupFolder,
                                        const std::string& today) {
    Outcome out;
    removeStaleCopies(dataFile, backupFolder);
    try {
        Database reader = Database::openToRead(dataFile);
        if (auto refused = reader.checkWholeFile()) {
            logError(dataFile.parent_path() / "error.log", *refused);
            out.refusal = refused->what();
            return out;
        }
        // A file without a book has nothing to keep: the day's snapshot waits
        // for the first start that finds one.
        if (reader.queryInt("SELECT count(*) FROM SBook").value_or(0) == 0) {
            return out;
        }
        try {
            out.snapshotTaken = takeSnapshot(reader, backupFolder, today);
        } catch (const std::exception& e) {
            logError(dataFile.parent_path() / "error.log", e);
            out.snapshotError = userMessage(e);
        }
    } catch (const std::exception& e) {
        out.refusal = userMessage(e);
    }
    return out;
}

StartupCheck::StartupCheck(Database& live, std::filesystem::path backupFolder, std::string today)
    : outcome_(std::async(std::launch::async, [file = live.path(), folder = std::move(backupFolder),
                                               day = std::move(today)] {
                   return run(file, folder, day);
               }).share()) {
    live.setWriteGate([outcome = outcome_] {
        const Outcome& o = outcome.get();
        if (!o.refusal.empty()) {
            throw DataFileError(o.refusal);
        }
    });
}

StartupCheck::~StartupCheck() {
    if (outcome_.valid()) {
        outcome_.wait();
    }
}

bool StartupCheck::done() const {
    return outcome_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

const StartupCheck::Outcome& StartupCheck::wait() {
    return outcome_.get();
}

}  // namespace fennory
