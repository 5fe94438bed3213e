#pragma once
// Drives modal dialogs: a step runs once the dialog of its type is the active
// modal widget, so a test can script a chain of nested exec() calls.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

#include <deque>
#include <functional>

namespace fennory::testing {

class ModalScript {
public:
    template <class Dialog>
    void then(std::function<void(Dialog&)> step) {
        steps_.push_back({[](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
                          [step](QWidget* w) { step(*qobject_cast<Dialog*>(w)); }});
    }
    // Starts polling; every step waits for its dialog.
    void start() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    bool finished() const { return steps_.empty(); }
    std::size_t remaining() const { return steps_.size(); }

private:
    void tick() {
        QWidget* w = QApplication::activeModalWidget();
        // A failed check inside a step leaves its dialog open: close every
        // dialog so that the test ends and reports instead of hanging.
        if (QTest::currentTestFailed()) {
            if (auto* d = qobject_cast<QDialog*>(w)) {
                d->reject();
            } else if (!w) {
                timer_.stop();
            }
            return;
        }
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        if (!w || !w->isVisible() || !steps_.front().matches(w)) {
            return;
        }
        // Taken off first, and run from a fresh single-shot timer: the step may
        // open a nested dialog, and a timer is never delivered again while its
        // own slot is still running.
        Step step = std::move(steps_.front());
        steps_.pop_front();
        QPointer<QWidget> target = w;
        QTimer::singleShot(0, [run = std::move(step.run), target] {
            if (target) {
                run(target);
            }
        });
    }
    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
    };
    std::deque<Step> steps_;
    QTimer timer_;
};

}  // namespace fennory::testing
