#pragma once
// Where the program keeps its data: beside itself when run from a folder of
// its own (the portable layout), or where a desktop program does when it is
// installed and its folder cannot be written.

#include <filesystem>
#include <string>

namespace fennory {

struct ProgramHome {
    std::filesystem::path folder;  // holds Data/, Help/, Music/, Backup/, Export/
    bool installed = false;
    std::string refusal;  // why the folder could not be made ready; "" when it is
};

// `exeFolder`: the executable's folder. An installed program finds what it
// ships in `exeFolder/../share/fennory` (the template data file, the help and
// the sound) and keeps its data in `dataHome/fennory` ($XDG_DATA_HOME, else
// ~/.local/share), made from those at the first start. What is there already
// is never overwritten.
ProgramHome programHome(const std::filesystem::path& exeFolder,
                        const std::filesystem::path& dataHome);

// $XDG_DATA_HOME, else $HOME/.local/share.
std::filesystem::path xdgDataHome();

}  // namespace fennory
