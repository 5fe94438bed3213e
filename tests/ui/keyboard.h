#pragma once
// Keys as a person presses them: each to the widget that has the keyboard.

#include <QApplication>
#include <QInputMethodEvent>
#include <QtTest>

namespace fennory::testing {

// Where the keyboard sends a key: an open list of matches, else the field.
inline QWidget* keyTarget() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    return QApplication::focusWidget();
}

// Letters and digits as key presses; Chinese as the input method commits it.
inline void type(const QString& text) {
    for (QChar c : text) {
        QWidget* w = keyTarget();
        QVERIFY2(w, "no widget has the keyboard");
        if (c.unicode() < 128) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        }
    }
}

inline void key(Qt::Key k) {
    QTest::keyClick(keyTarget(), k);
}

}  // namespace fennory::testing
