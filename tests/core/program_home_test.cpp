#include "core/program_home.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ProgramHome, RunFromItsOwnFolderTheDataStaysBesideIt) {
    testing::TempFolder folder;
    write(folder.path() / "app" / "Data" / "db.eac", "portable");
    const ProgramHome home = programHome(folder.path() / "app", folder.path() / "xdg");
    EXPECT_FALSE(home.installed);
    EXPECT_EQ(home.folder, folder.path() / "app");
    EXPECT_FALSE(fs::exists(folder.path() / "xdg"));
}

TEST(ProgramHome, InstalledTheDataIsMadeFromTheTemplateOnceAndThenKept) {
    testing::TempFolder folder;
    const fs::path root = folder.path() / "root";
    write(root / "usr" / "share" / "fennory" / "Data" / "db.eac", "template");
    write(root / "usr" / "share" / "fennory" / "Help" / "index.html", "help");
    write(root / "usr" / "share" / "fennory" / "Music" / "remind.mp3", "sound");
    fs::create_directories(root / "usr" / "bin");
    const fs::path xdg = folder.path() / "home" / ".local" / "share";

    const ProgramHome home = programHome(root / "usr" / "bin", xdg);
    EXPECT_TRUE(home.installed);
    EXPECT_EQ(home.refusal, "");
    EXPECT_EQ(home.folder, xdg / "fennory");
    EXPECT_EQ(read(xdg / "fennory" / "Data" / "db.eac"), "template");
    EXPECT_EQ(read(xdg / "fennory" / "Help" / "index.html"), "help");
    EXPECT_EQ(read(xdg / "fennory" / "Music" / "remind.mp3"), "sound");

    // The user's book is never replaced by the template again.
    write(xdg / "fennory" / "Data" / "db.eac", "the household's books");
    programHome(root / "usr" / "bin", xdg);
    EXPECT_EQ(read(xdg / "fennory" / "Data" / "db.eac"), "the household's books");
}

TEST(ProgramHome, AFolderThatCannotBeMadeIsSaidWithWhere) {
    testing::TempFolder folder;
    const fs::path root = folder.path() / "root";
    write(root / "usr" / "share" / "fennory" / "Data" / "db.eac", "template");
    fs::create_directories(root / "usr" / "bin");
    write(folder.path() / "blocked", "a file where the folder would go");
    const ProgramHome home = programHome(root / "usr" / "bin", folder.path() / "blocked");
    EXPECT_NE(home.refusal.find("无法在"), std::string::npos) << home.refusal;
}

}  // namespace
}  // namespace fennory
