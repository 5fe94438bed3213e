#pragma once
// The application object. An error that escapes a user action (an engine error
// the action's transaction has already rolled back) is shown to the user
// instead of ending the program, as a sentence the user can act on; the
// engine's own text goes to the error log.

#include <QApplication>

#include <cstdint>
#include <filesystem>
#include <functional>

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
    void setErrorLog(std::filesystem::path file) { errorLog_ = std::move(file); }
    // The data file's count of commits: a failure after a commit of the same
    // event is reported as saved.
    void setCommitCount(std::function<std::uint64_t()> count) { commits_ = std::move(count); }
    // How the sentence reaches the user (a message box unless replaced).
    void setReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

private:
    std::filesystem::path errorLog_;
    std::function<std::uint64_t()> commits_;
    std::function<void(const QString&)> report_;
};

}  // namespace fennory::ui
