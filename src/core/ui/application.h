#pragma once
// The application object. Failures of user actions are caught where each
// action is wired (core/ui/guard.h); the application only says where they go.

#include <QApplication>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "core/ui/guard.h"

namespace fennory::ui {

// What every run sets up before its first window: the program's name (window
// captions stay exactly as each screen sets them, with nothing appended), the
// Chinese locale, and Qt's own Chinese texts for its dialogs, buttons and
// context menus. False when Qt's translation could not be loaded.
bool setUpChinese(QApplication& app, const QString& programName);

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    // Where the engine's own text of a failure is written.
    void setErrorLog(std::filesystem::path file) { failureSink().errorLog = std::move(file); }
    // The data file's count of commits: a failure after a commit of the same
    // event is reported as saved.
    void setCommitCount(std::function<std::uint64_t()> count) {
        failureSink().commits = std::move(count);
    }
    // How the sentence reaches the user (a message box unless replaced).
    void setReporter(std::function<void(const QString&)> report) {
        failureSink().report = std::move(report);
    }
};

}  // namespace fennory::ui
