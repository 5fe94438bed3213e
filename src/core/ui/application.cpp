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
    const std::uint64_t before = commits_ ? commits_() : 0;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (!errorLog_.empty()) {
            logError(errorLog_, e);
        }
        const bool committed = commits_ && commits_() != before;
        const QString text =
            QString::fromStdString(committed ? afterCommitMessage(e) : userMessage(e));
        if (report_) {
            report_(text);
        } else {
            QMessageBox::critical(activeWindow(), QStringLiteral("错误"), text);
        }
    }
    return false;
}

}  // namespace fennory::ui
