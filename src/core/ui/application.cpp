#include "core/ui/application.h"

#include <QMessageBox>

#include <exception>

#include "core/errors.h"

namespace fennory::ui {

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
