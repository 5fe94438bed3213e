#include "core/ui/application.h"

#include <QMessageBox>

#include <exception>

namespace fennory::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(
            activeWindow(), QStringLiteral("错误"),
            QStringLiteral("操作没有完成，数据未作改动。\n\n") + QString::fromStdString(e.what()));
    }
    return false;
}

}  // namespace fennory::ui
