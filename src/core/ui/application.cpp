#include "core/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <exception>

#include "core/errors.h"

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
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (!errorLog_.empty()) {
            logError(errorLog_, e);
        }
        QMessageBox::critical(activeWindow(), QStringLiteral("错误"),
                              QString::fromStdString(userMessage(e)));
    }
    return false;
}

}  // namespace fennory::ui
