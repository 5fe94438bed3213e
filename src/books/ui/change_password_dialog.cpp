#include "books/ui/change_password_dialog.h"
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

TfrmChangePass::TfrmChangePass(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      old_(withName("oldField", new QLineEdit)),
      new_(withName("newField", new QLineEdit)),
      confirm_(withName("confirmField", new QLineEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(QStringLiteral("修改密码"));
    auto* group =
        fieldGroup(QStringLiteral("修改密码"), {{QStringLiteral("原  密  码："), old_},
                                                {QStringLiteral("新  密  码："), new_},
                                                {QStringLiteral("确认密码："), confirm_}});
    for (QLineEdit* e : {old_, new_, confirm_}) {
        e->setEchoMode(QLineEdit::Password);
        limitGbk(e, limits::kName);
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmChangePass::onSave));
}

void TfrmChangePass::onSave() {
    const auto r = changePassword(dm_, ss(old_->text()), ss(new_->text()), ss(confirm_->text()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        (r.field == PasswordField::Old ? old_ : confirm_)->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("密码修改成功！请重新登录！"));
    accept();
}

}  // namespace fennory::ui
