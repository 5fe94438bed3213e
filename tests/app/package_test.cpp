// The Debian package of this build: what it holds, what it depends on, and a
// start of the unpacked program, whose own folder holds no data: it keeps the
// household's data where a desktop program does.

#include <gtest/gtest.h>

#include <QLockFile>
#include <QString>

#include <array>
#include <cstdio>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

namespace fs = std::filesystem;

struct Shell {
    int status = -1;
    std::string output;
};

Shell run(const std::string& command) {
    Shell r;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return r;
    }
    std::array<char, 4096> buf{};
    while (fgets(buf.data(), buf.size(), pipe)) {
        r.output += buf.data();
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(Package, HoldsTheProgramItsFilesAndDependenciesAndStartsFromTheUsersDataFolder) {
    testing::TempFolder folder;
    const std::string dir = folder.path().string();
    const Shell packed =
        run("cd '" FENNORY_BUILD_DIR "' && cpack -G DEB -B '" + dir + "/out' > /dev/null");
    ASSERT_EQ(packed.status, 0) << packed.output;
    const Shell found = run("ls '" + dir + "/out/'fennory_*_amd64.deb");
    ASSERT_EQ(found.status, 0) << found.output;
    const std::string deb = found.output.substr(0, found.output.find('\n'));

    const Shell contents = run("dpkg-deb -c '" + deb + "'");
    for (const char* file :
         {"./usr/bin/fennory", "./usr/share/fennory/Data/db.eac", "./usr/share/fennory/Help/",
          "./usr/share/fennory/Music/", "./usr/share/applications/fennory.desktop",
          "./usr/share/icons/hicolor/48x48/apps/fennory.png",
          "./usr/share/icons/hicolor/256x256/apps/fennory.png"}) {
        EXPECT_NE(contents.output.find(file), std::string::npos) << file;
    }
    const Shell info = run("dpkg-deb -f '" + deb + "' Depends");
    for (const char* needed : {"libqt6widgets6", "libqt6charts6", "libsqlcipher0", "libxlsxwriter",
                               "fonts-noto-cjk", "qt6-translations-l10n"}) {
        EXPECT_NE(info.output.find(needed), std::string::npos) << needed << ": " << info.output;
    }
    const Shell desktop = run("dpkg-deb --fsys-tarfile '" + deb +
                              "' | tar -xOf - ./usr/share/applications/fennory.desktop");
    EXPECT_NE(desktop.output.find("Name=Fennory记账软件"), std::string::npos);
    EXPECT_NE(desktop.output.find("Categories=Office;Finance;"), std::string::npos);

    // Unpacked, its folder read-only, run for a user with a home of their own.
    ASSERT_EQ(
        run("dpkg-deb -x '" + deb + "' '" + dir + "/root' && chmod -R a-w '" + dir + "/root/usr'")
            .status,
        0);
    const std::string env = "env -u XDG_DATA_HOME HOME='" + dir + "/home' XDG_RUNTIME_DIR='" + dir +
                            "/rt' QT_QPA_PLATFORM=offscreen ";
    fs::create_directories(folder.path() / "rt");
    fs::permissions(folder.path() / "rt", fs::perms::owner_all);  // as a session's is
    const std::string program = "'" + dir + "/root/usr/bin/fennory'";
    const Shell first = run(env + program + " --book 我家 backup '" + dir + "/b.eac'");
    EXPECT_EQ(first.status, 2) << first.output;  // no book yet
    EXPECT_NE(first.output.find("账簿“我家”不存在。"), std::string::npos) << first.output;
    const fs::path data = folder.path() / "home/.local/share/fennory/Data/db.eac";
    ASSERT_TRUE(fs::exists(data));

    EXPECT_FALSE(fs::exists(folder.path() / "root/usr/bin/Data"));

    // A book made in the data file it made, which the installed program then backs up.
    {
        Database db = Database::open(data);
        // Made from a fresh template: no household's books travel in the package.
        EXPECT_EQ(db.queryInt("SELECT count(*) FROM SBook"), 0);
        Session session;
        TfrmDM dm(db, session);
        NewBookInput in;
        in.name = "我家";
        ASSERT_TRUE(createFirstBook(dm, in).ok);
    }
    const Shell backup = run(env + program + " --book 我家 backup '" + dir + "/b.eac'");
    EXPECT_EQ(backup.status, 0) << backup.output;
    EXPECT_TRUE(fs::exists(folder.path() / "b.eac"));

    // While the window has the data file, a script waits its turn.
    {
        QLockFile window(QString::fromStdString(dir + "/rt/Account.lock"));
        ASSERT_TRUE(window.tryLock());
        const Shell locked = run(env + program + " --book 我家 backup '" + dir + "/c.eac'");
        EXPECT_EQ(locked.status, 3) << locked.output;
        EXPECT_NE(locked.output.find("Fennory 已经打开了"), std::string::npos);
        EXPECT_FALSE(fs::exists(folder.path() / "c.eac"));
    }
    run("chmod -R u+w '" + dir + "/root'");  // so that the folder can be removed
}

}  // namespace
}  // namespace fennory
