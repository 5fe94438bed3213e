#include "core/updater_files.h"

namespace fennory {

void tidyUpdaterFiles(const std::filesystem::path& exe) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(exe / "Update" / "Update.exe", ec)) {
        fs::copy_file(exe / "Update" / "Update.exe", exe / "Update.exe",
                      fs::copy_options::overwrite_existing, ec);
    }
    for (const char* leftover :
         {"Update/Update.exe", "Update/Update.zip", "Update/Account.zip", "Update/InDate.zip",
          "Update/AccountUp.zip", "AccountUp.exe", "AccountUp.zip"}) {
        fs::remove(exe / leftover, ec);  // a file that cannot go stays; nothing depends on it
    }
}

}  // namespace fennory
