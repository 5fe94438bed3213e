#include "core/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/ui/guard.h"

namespace fennory::ui {

bool setUpChinese(QApplication& app, const QString& programName) {
    QApplication::setApplicationName(programName);
    // No display name: the platform would append it to every window caption.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* qt = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                  QStringLiteral("_"), folder)) {
        delete qt;
        return false;
    }
    QApplication::installTranslator(qt);
    return true;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    // A backstop for event handlers; slots are guarded where they are wired.
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace fennory::ui
