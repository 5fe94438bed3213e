#pragma once
// Backups of the data file: a consistent copy written beside its target and
// checked before it takes the target's place; a restore that checks the chosen
// file before it replaces the data file and keeps the data file as it was;
// and the automatic snapshots taken at start.

#include <filesystem>
#include <string>
#include <vector>

#include "core/database.h"

namespace fennory {

// The backup file a folder choice gives: {folder}/{startup date}.eac.
std::filesystem::path backupFileIn(const std::filesystem::path& folder,
                                   const std::string& startupDate);

// Writes a consistent copy of the open data file to `target`, replacing a file
// there only once the copy has been checked. Throws DataFileError, leaving an
// existing target as it was.
void backupDataFile(Database& db, const std::filesystem::path& target);

// Replaces the data file of `live` with the backup `chosen`. The backup must be
// a data file of this program that opens, passes its checks and can be brought
// to this version; otherwise DataFileError, and the data file is untouched.
// The data file as it was is kept as {safetyFolder}/恢复前-{stamp}.eac first;
// `live` is closed, the file replaced atomically, and `live` reopened.
void restoreDataFile(Database& live, const std::filesystem::path& chosen,
                     const std::filesystem::path& safetyFolder, const std::string& stamp);

// What a restore from `chosen` would do, found before it is asked for: the
// books the backup holds and the books of the open data file it would remove.
// Throws DataFileError, as the restore itself would, for a file that is not a
// good backup; neither file is changed.
struct RestorePreview {
    std::vector<std::string> books;    // in the backup
    std::vector<std::string> removed;  // in the data file, not in the backup
};
RestorePreview previewRestore(Database& live, const std::filesystem::path& chosen);

// The question before a restore: first the books it removes, then those the
// backup brings.
std::string restoreQuestion(const RestorePreview& p);

// Removes what a backup, restore or check killed mid-way left behind: the
// copies beside the data file and the unfinished snapshots in `backupFolder`.
// Run at start, before any of them can be under way. Returns how many went.
int removeStaleCopies(const std::filesystem::path& dataFile,
                      const std::filesystem::path& backupFolder);

// ---- automatic snapshots ----

struct Snapshot {
    std::filesystem::path file;
    std::string date;                // yyyy-mm-dd
    std::vector<std::string> books;  // the books it holds
};

// At most one snapshot a day, "自动备份-{date}.eac" in `folder`; the newest 7
// and the newest of each of the 4 weeks before them are kept. Returns whether
// a snapshot was written. Throws DataFileError when it cannot be.
bool takeSnapshot(Database& db, const std::filesystem::path& folder, const std::string& today);

// The snapshots in `folder`, the newest first, with the books each holds.
std::vector<Snapshot> listSnapshots(const std::filesystem::path& folder);

}  // namespace fennory
