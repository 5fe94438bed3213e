#include "books/backup.h"

#include <fmt/format.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "core/dates.h"
#include "core/errors.h"

namespace fs = std::filesystem;

namespace fennory {
namespace {

constexpr const char* kSnapshotPrefix = "自动备份-";

fs::path besides(const fs::path& target, const char* what) {
    fs::path p = target;
    p += fmt::format(".{}-{}", what, std::random_device{}());
    return p;
}

void removeQuietly(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

// A checked copy, and the copy an upgrade of it left beside it.
void removeCheckedCopy(const fs::path& temp) {
    removeQuietly(temp);
    for (int v = 0; v < Database::kSchemaVersion; ++v) {
        fs::path kept = temp;
        kept += fmt::format(".v{}.bak", v);
        removeQuietly(kept);
    }
}

// Whether a written copy is a data file this program opens and trusts.
void checkCopy(const fs::path& file, bool full) {
    Database copy = Database::open(file);  // keyed, every table, quick_check, version
    if (full) {
        const auto result = copy.queryText("PRAGMA integrity_check");
        if (result.value_or("") != "ok") {
            throw DataFileError(fmt::format("{} 已损坏（{}）", file.string(), result.value_or("")));
        }
    }
}

std::string snapshotDate(const fs::path& file) {
    const std::string name = file.filename().string();
    const std::string prefix = kSnapshotPrefix;
    if (name.size() != prefix.size() + 14 || name.compare(0, prefix.size(), prefix) != 0 ||
        file.extension() != ".eac") {
        return {};
    }
    const std::string date = name.substr(prefix.size(), 10);
    return dates::isValid(date) ? date : std::string();
}

}  // namespace

fs::path backupFileIn(const fs::path& folder, const std::string& startupDate) {
    return folder / (startupDate + ".eac");
}

void backupDataFile(Database& db, const fs::path& target) {
    const fs::path temp = besides(target, "new");
    try {
        db.backupTo(temp);
        checkCopy(temp, false);
        fs::rename(temp, target);  // replaces an older backup only now
    } catch (const fs::filesystem_error& e) {
        removeQuietly(temp);
        throw DataFileError(
            fmt::format("无法写入 {}（{}）。", target.string(), fileErrorReason(e.code())),
            e.code().message());
    } catch (...) {
        removeQuietly(temp);
        throw;
    }
}

namespace {
std::vector<std::string> booksOf(Database& db) {
    std::vector<std::string> out;
    Statement s = db.prepare("SELECT BName FROM SBook ORDER BY ID");
    while (s.step()) {
        out.push_back(s.text(0));
    }
    return out;
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        out += (out.empty() ? "" : "、") + n;
    }
    return out;
}
}  // namespace

namespace {
// Copies the chosen backup beside the data file and checks the copy fully
// (bringing it forward when it is older), then runs `then` while the copy is
// there. Neither the chosen file nor the data file is touched; a failure
// removes the copy. The copy is left for the caller otherwise.
template <class Then>
void withCheckedCopy(const fs::path& chosen, const fs::path& temp, Then then) {
    try {
        std::error_code ec;
        if (!fs::is_regular_file(chosen, ec)) {
            throw DataFileError(fmt::format("{} 不是一个文件", chosen.string()));
        }
        fs::copy_file(chosen, temp, fs::copy_options::overwrite_existing);
        // A backup kept read-only is still a good backup: its copy is ours to open.
        fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add);
        checkCopy(temp, true);
        then();
    } catch (const fs::filesystem_error& e) {
        removeCheckedCopy(temp);
        // The copy goes beside the data file: a full disk there is not the
        // backup's fault.
        throw DataFileError(fmt::format("无法把 {} 复制到数据文件夹（{}），数据没有改动。",
                                        chosen.string(), fileErrorReason(e.code())),
                            e.code().message());
    } catch (const DataFileError& e) {
        removeCheckedCopy(temp);
        // The check ran on the copy; the user chose the backup.
        std::string sentence = e.what();
        for (const std::string& hidden : {temp.string(), temp.filename().string()}) {
            for (auto at = sentence.find(hidden); at != std::string::npos;
                 at = sentence.find(hidden)) {
                sentence.replace(at, hidden.size(), chosen.string());
            }
        }
        throw DataFileError(sentence, e.engineText());
    } catch (...) {
        removeCheckedCopy(temp);
        throw;
    }
}
}  // namespace

RestorePreview previewRestore(Database& live, const fs::path& chosen) {
    const fs::path temp = besides(live.path(), "preview");
    RestorePreview p;
    withCheckedCopy(chosen, temp, [&] {
        Database copy = Database::openToRead(temp);
        p.books = booksOf(copy);
    });
    removeCheckedCopy(temp);
    for (const std::string& b : booksOf(live)) {
        if (std::find(p.books.begin(), p.books.end(), b) == p.books.end()) {
            p.removed.push_back(b);
        }
    }
    return p;
}

std::string restoreQuestion(const RestorePreview& p) {
    std::string q;
    if (!p.removed.empty()) {
        q += fmt::format("恢复后，当前数据中的账簿 {} 将被删除！\n", joined(p.removed));
    }
    q += p.books.empty()
             ? std::string("备份文件中没有账簿。\n")
             : fmt::format("备份文件中的账簿：{}，将替换当前的数据。\n", joined(p.books));
    return q + "确认要恢复数据吗?";
}

void restoreDataFile(Database& live, const fs::path& chosen, const fs::path& safetyFolder,
                     const std::string& stamp) {
    const fs::path dataFile = live.path();
    const fs::path temp = besides(dataFile, "restore");
    withCheckedCopy(chosen, temp, [&] {
        fs::create_directories(safetyFolder);
        live.backupTo(safetyFolder / fmt::format("恢复前-{}.eac", stamp));
    });
    live.close();
    std::error_code ec;
    fs::rename(temp, dataFile, ec);
    removeCheckedCopy(temp);
    live = Database::open(dataFile);
    if (ec) {
        throw DataFileError(fmt::format("无法替换数据文件 {}（{}），数据没有改动。",
                                        dataFile.string(), fileErrorReason(ec)),
                            ec.message());
    }
}

int removeStaleCopies(const fs::path& dataFile, const fs::path& backupFolder) {
    int removed = 0;
    auto sweep = [&](const fs::path& folder, const std::string& stem,
                     std::initializer_list<const char*> whats) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            const std::string name = entry.path().filename().string();
            for (const char* what : whats) {
                const std::string mark = stem + "." + what + "-";
                if (name.compare(0, mark.size(), mark) == 0 && entry.is_regular_file(ec)) {
                    removed += fs::remove(entry.path(), ec) ? 1 : 0;
                    break;
                }
            }
        }
    };
    sweep(dataFile.parent_path(), dataFile.filename().string(), {"restore", "preview", "new"});
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(backupFolder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, std::string(kSnapshotPrefix).size(), kSnapshotPrefix) == 0 &&
            name.find(".eac.new-") != std::string::npos && entry.is_regular_file(ec)) {
            removed += fs::remove(entry.path(), ec) ? 1 : 0;
        }
    }
    return removed;
}

bool takeSnapshot(Database& db, const fs::path& folder, const std::string& today) {
    try {
        fs::create_directories(folder);
    } catch (const fs::filesystem_error& e) {
        throw DataFileError(
            fmt::format("无法建立备份文件夹 {}（{}）", folder.string(), fileErrorReason(e.code())),
            e.code().message());
    }
    const fs::path file = folder / (std::string(kSnapshotPrefix) + today + ".eac");
    std::error_code ec;
    if (fs::exists(file, ec)) {
        return false;
    }
    backupDataFile(db, file);

    // The newest 7, and the newest of each of the 4 weeks before them.
    std::vector<std::pair<std::string, fs::path>> all;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string date = snapshotDate(entry.path());
        if (!date.empty()) {
            all.emplace_back(date, entry.path());
        }
    }
    std::sort(all.begin(), all.end(), std::greater<>());
    std::set<int> weeks;
    std::set<int> keptWeeks;
    for (std::size_t i = 0; i < all.size(); ++i) {
        // Weeks run Monday to Sunday: day 2 (1900-01-01) was a Monday.
        const int week = (dates::dayNumber(all[i].first) - 2) / 7;
        bool keep = i < 7;
        if (!keep && !weeks.count(week) && keptWeeks.size() < 4) {
            keep = true;
            keptWeeks.insert(week);
        }
        weeks.insert(week);
        if (!keep) {
            removeQuietly(all[i].second);
        }
    }
    return true;
}

std::vector<Snapshot> listSnapshots(const fs::path& folder) {
    std::vector<Snapshot> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        Snapshot s{entry.path(), snapshotDate(entry.path()), {}};
        if (s.date.empty()) {
            continue;
        }
        try {
            Database d = Database::open(s.file);
            Statement q = d.prepare("SELECT BName FROM SBook ORDER BY ID");
            while (q.step()) {
                s.books.push_back(q.text(0));
            }
        } catch (const std::exception&) {
            continue;  // a snapshot that does not open is not offered
        }
        out.push_back(std::move(s));
    }
    std::sort(out.begin(), out.end(),
              [](const Snapshot& a, const Snapshot& b) { return a.date > b.date; });
    return out;
}

}  // namespace fennory
