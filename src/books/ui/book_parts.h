#pragma once
// The small pieces the book dialogs share.

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

#include <functional>
#include <initializer_list>

namespace fennory::ui {

// Ends the program without the closing question, so that the next start
// reads what was just saved.
using EndProgram = std::function<void()>;

}  // namespace fennory::ui

namespace fennory::ui::book_parts {

inline QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// "退出": closes the dialog.
inline QPushButton* exitButton(QDialog* d) {
    auto* b = new QPushButton(QStringLiteral("退出"));
    QObject::connect(b, &QPushButton::clicked, d, &QDialog::reject);
    return b;
}

// The buttons at the right of a row.
inline QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons) {
        row->addWidget(b);
    }
    return row;
}

}  // namespace fennory::ui::book_parts
