#pragma once
// The application object. An error that escapes a user action (an engine error
// the action's transaction has already rolled back) is shown to the user
// instead of ending the program.

#include <QApplication>

#include <functional>

namespace fennory::ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace fennory::ui
