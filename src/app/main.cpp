// Program entry: the single-instance guard, the data file, the data module and
// the main window. The only place that wires the concrete pieces together.

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/screens.h"
#include "books/startup_check.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/errors.h"
#include "core/main_texts.h"
#include "core/program_home.h"
#include "core/session.h"
#include "core/ui/application.h"
#include "core/ui/desktop.h"
#include "core/ui/prompter.h"
#include "core/ui/single_instance.h"

namespace {

// A command from a script: no window, the same data file and the same lock.
int commandLine(int argc, char** argv, const std::vector<std::string>& args) {
    using namespace fennory;
    QCoreApplication app(argc, argv);
    ui::SingleInstance guard;
    if (!guard.acquire()) {
        std::cerr << "Fennory 已经打开了：请先关闭程序再运行命令。\n";
        return kCommandLocked;
    }
    const ProgramHome home =
        programHome(QCoreApplication::applicationDirPath().toStdString(), xdgDataHome());
    if (!home.refusal.empty()) {
        std::cerr << home.refusal << "\n";
        return kCommandRefused;
    }
    Session session;
    session.ExeFolder = home.folder;
    return runCommandLine(args, session.dataFile(), dates::today(), std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace fennory;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (isCommandLine(args)) {
        return commandLine(argc, argv, args);
    }
    // The FFmpeg backend decodes MP3 by itself, without GStreamer's plugins.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    }
    ui::Application app(argc, argv);
    ui::setUpChinese(app, QString::fromUtf8(kProductName.data(), kProductName.size()));

    ui::SingleInstance guard;
    if (!guard.acquire()) {
        ui::MessageBoxPrompter().warn(QStringLiteral("Fennory 已经打开了！"),
                                      QStringLiteral("警告"));
        return 1;
    }

    const ProgramHome home =
        programHome(QApplication::applicationDirPath().toStdString(), xdgDataHome());
    if (!home.refusal.empty()) {
        ui::MessageBoxPrompter().warn(QString::fromStdString(home.refusal));
        return 1;
    }
    Session session;
    session.StartupDate = dates::today();
    session.ExeFolder = home.folder;

    ui::MessageBoxPrompter prompter;
    const std::filesystem::path dataFile = session.dataFile();
    app.setErrorLog(dataFile.parent_path() / "error.log");
    if (!std::filesystem::exists(dataFile)) {
        prompter.warn(QStringLiteral("Fennory 的 数据库文件 不存在，请尽快与我们联系！"));
        ui::openOnDesktop(QString::fromUtf8(kVendorAddress.data(), kVendorAddress.size()));
        return 1;
    }

    std::unique_ptr<Database> db;
    try {
        // The check of every page takes time in proportion to the file: it
        // runs beside the first window (StartupCheck), before any write.
        db = std::make_unique<Database>(Database::openDeferringPageCheck(dataFile));
    } catch (const std::exception& e) {
        prompter.warn(QString::fromStdString(e.what()));
        return 1;
    }
    // The page check and a copy of the data file as it was at the start of the
    // day, both before anything is written. A file that fails the check is
    // refused; without a snapshot the program still runs, and the user is told.
    StartupCheck startupCheck(*db, dataFile.parent_path() / "Backup", session.StartupDate);
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!startupCheck.done()) {
            return;
        }
        watch.stop();
        const StartupCheck::Outcome& o = startupCheck.wait();
        if (!o.refusal.empty()) {
            prompter.warn(QString::fromStdString(o.refusal));
            // Nothing has been written: the gate held every write back.
            std::_Exit(1);
        }
        if (!o.snapshotError.empty()) {
            prompter.warn(QStringLiteral("今天的自动备份没有完成：") +
                          QString::fromStdString(o.snapshotError) +
                          QStringLiteral("\n程序照常运行，请尽快手动备份数据。"));
        }
    });
    watch.start();
    app.setCommitCount([&db] { return db->commits(); });
    TfrmDM dm(*db, session);

    ui::TfrmMain window(dm, prompter);
    ui::registerScreens(window);
    window.setSoundPlayers(ui::mediaSoundPlayers());
    prompter.setParent(&window);
    window.startUp();
    window.show();
    return QApplication::exec();
}
