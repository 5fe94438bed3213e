#include "books/ui/book_rename_dialog.h"
#include "core/field_limits.h"

#include <QApplication>

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "books/backup.h"
#include "books/ui/book_parts.h"
#include "core/book_checks.h"
#include "core/dates.h"
#include "core/errors.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
using namespace book_parts;

TfrmB_M::TfrmB_M(TfrmDM& dm, Prompter& prompter, const std::string& book, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      book_(book),
      name_(withName("nameField", new QLineEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("修改")))) {
    setWindowTitle(qs(book) + QStringLiteral(" 修改"));
    auto* group = fieldGroup(QStringLiteral("账簿名称"), {{QStringLiteral("账簿名称："), name_}});
    limitGbk(name_, limits::kName);
    name_->setText(qs(book));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(buttonRow({save_, exitButton(this)}));
    save_->setDefault(true);
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmB_M::onSave));
}

void TfrmB_M::onSave() {
    const auto r = renameBook(dm_, book_, ss(name_->text().trimmed()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("账簿名称 修改成功，请重新打开 Fennory ！"));
    accept();
}

// ---- 修改密码 ----

}  // namespace fennory::ui
