#include "core/ui/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace fennory::ui {

namespace {
QWidget* parentOr(QWidget* p) {
    return p ? p : QApplication::activeWindow();
}
}  // namespace

namespace {

// Buttons carry Chinese captions whatever translations are installed.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                 const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

}  // namespace

void MessageBoxPrompter::info(const QString& text, const QString& title) {
    showMessage(parentOr(parent_), QMessageBox::Information, title, text);
}

void MessageBoxPrompter::warn(const QString& text, const QString& title) {
    showMessage(parentOr(parent_), QMessageBox::Warning, title, text);
}

bool MessageBoxPrompter::ask(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parentOr(parent_));
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

bool askDelete(Prompter& p) {
    return p.ask(QStringLiteral("确认要删除吗？该删除将不可恢复！"), QStringLiteral("删除"));
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
std::string ss(const QString& s) {
    return s.toStdString();
}

}  // namespace fennory::ui
