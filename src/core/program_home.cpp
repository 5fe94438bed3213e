#include "core/program_home.h"

#include <fmt/format.h>
#include <unistd.h>

#include <cstdlib>

namespace fennory {
namespace {

namespace fs = std::filesystem;

bool writable(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

// Copies what is missing of `from` into `to`, leaving what is there.
void copyMissing(const fs::path& from, const fs::path& to, std::error_code& ec) {
    fs::create_directories(to, ec);
    if (ec) {
        return;
    }
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(from, ec)) {
        const fs::path target = to / fs::relative(e.path(), from, ec);
        if (ec) {
            return;
        }
        if (e.is_directory()) {
            fs::create_directories(target, ec);
        } else if (!fs::exists(target)) {
            fs::copy_file(e.path(), target, ec);
            // Shipped files are read-only; the user's copies are theirs to change.
            fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, ec);
        }
        if (ec) {
            return;
        }
    }
}

}  // namespace

fs::path xdgDataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share";
}

ProgramHome programHome(const fs::path& exeFolder, const fs::path& dataHome) {
    const fs::path shipped = exeFolder / ".." / "share" / "fennory";
    std::error_code ec;
    const bool portable = fs::exists(exeFolder / "Data", ec) ||
                          (!fs::exists(shipped / "Data" / "db.eac", ec) && writable(exeFolder));
    if (portable) {
        return {exeFolder, false, {}};
    }
    ProgramHome home{dataHome / "fennory", true, {}};
    for (const char* part : {"Data", "Help", "Music"}) {
        if (fs::exists(shipped / part, ec)) {
            copyMissing(shipped / part, home.folder / part, ec);
        }
        if (ec) {
            home.refusal = fmt::format("无法在 {} 准备数据文件夹（{}）。", home.folder.string(),
                                       ec.message());
            return home;
        }
    }
    return home;
}

}  // namespace fennory
