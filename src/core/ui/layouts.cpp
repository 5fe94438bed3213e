// The small layouts screens and dialogs share: a titled group of fields, the
// save-and-exit row, a date range, and closing a screen.
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>

#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

QGroupBox* fieldGroup(const QString& title, std::initializer_list<FieldRow> rows) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    for (const FieldRow& r : rows) {
        form->addRow(r.label, r.field);
    }
    return group;
}

QHBoxLayout* saveExitRow(QDialog* dialog, QPushButton* save) {
    auto* exit = new QPushButton(QStringLiteral("退出"));
    save->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save);
    row->addWidget(exit);
    QObject::connect(exit, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

namespace {
class DefaultButtonFilter : public QObject {
public:
    DefaultButtonFilter(QWidget* screen, QPushButton* button) : QObject(screen), button_(button) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) {
            return false;
        }
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (!enter || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !button_ ||
            !button_->isEnabled() || !button_->isVisible()) {
            return false;
        }
        button_->click();
        return true;
    }

private:
    QPointer<QPushButton> button_;
};
}  // namespace

void setScreenDefault(QWidget* screen, QPushButton* button) {
    button->setDefault(true);
    // A key a field leaves alone travels up to the screen, where this sees it.
    screen->installEventFilter(new DefaultButtonFilter(screen, button));
}

QWidget* dateRange(DateEdit* from, DateEdit* to) {
    auto* range = new QWidget;
    auto* r = new QHBoxLayout(range);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(from);
    r->addWidget(new QLabel(QStringLiteral("至：")));
    r->addWidget(to);
    r->addStretch(1);
    return range;
}

void closeScreen(QWidget* screen) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) {
        sub->close();
    } else {
        screen->close();
    }
}

QPushButton* screenExitButton(QWidget* screen, const QString& caption) {
    auto* b = new QPushButton(caption);
    QObject::connect(b, &QPushButton::clicked, screen, guarded([screen] { closeScreen(screen); }));
    return b;
}

}  // namespace fennory::ui
