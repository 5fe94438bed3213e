#include "reference/ui/accounts_screen.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/navigation.h"
#include "reference/ui/editor_dialogs.h"

namespace fennory::ui {

TfrmA_Manage::TfrmA_Manage(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : RecordScreen(model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      model_(dm),
      form_(new AccountForm(fieldGroup(), "账户余额：", 50)) {
    setWindowTitle(QStringLiteral("账户管理"));
    button(kChange)->hide();

    QMenu* menu = gridMenu();
    addFundFlowView(this, QStringLiteral("查看流动日志 &V"), dm_, prompter_, opener_, model_,
                    Criterion::Account, AccountColumn::Name);
    menu->addSeparator();
    addNameRowMenu<true>(this, dm_, prompter_, model_, [this] { Ref(); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("调整账户余额 &T"), this,
                    guarded(this, &TfrmA_Manage::adjustBalance));
    menu->addAction(QStringLiteral("修改账户 &M"), this, guarded(this, &TfrmA_Manage::editAccount));
    Ref();
}

void TfrmA_Manage::clearFields() {
    form_->clear(model_.types(), model_.members(), QString());
}

void TfrmA_Manage::onSave() {
    if (form_->save(model_, prompter_)) {
        showModel();
    }
}

void TfrmA_Manage::adjustBalance() {
    if (!hasCurrentRow()) {
        return;
    }
    TfrmA_TZ d(model_, prompter_, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

void TfrmA_Manage::editAccount() {
    if (!hasCurrentRow()) {
        return;
    }
    TfrmA_M d(model_, prompter_, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

// ---- TfrmA_M ----

TfrmA_M::TfrmA_M(AccountsModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      model_(model),
      prompter_(prompter),
      current_(model.editOfCurrent()),
      type_(withName("typeField", new QComboBox)),
      member_(withName("memberField", new QComboBox)),
      name_(withName("nameField", new QLineEdit)),
      remark_(withName("remarkField", new QLineEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))),
      widgets_({{AccountField::Type, type_},
                {AccountField::Member, member_},
                {AccountField::Name, name_}}) {
    setWindowTitle(QStringLiteral("修改账户"));
    auto* group =
        fieldGroup(QStringLiteral("账户信息"), {{QStringLiteral("账户分类："), type_},
                                                {QStringLiteral("家庭成员："), member_},
                                                {QStringLiteral("账户名称："), name_},
                                                {QStringLiteral("备        注："), remark_}});
    limitGbk(name_, limits::kName);
    limitGbk(remark_, limits::kNote);
    fillNames(type_, model.types(), current_.type);
    fillNames(member_, model.members(), current_.member);
    name_->setText(qs(current_.name));
    remark_->setText(qs(current_.remark));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmA_M::onSave));
}

void TfrmA_M::onSave() {
    AccountsModel::Edit e = current_;
    e.type = ss(type_->currentText());
    e.member = ss(member_->currentText());
    e.name = ss(name_->text().trimmed());
    e.remark = ss(remark_->text());
    AccountCheck r = model_.edit(e);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        widgets_.focus(r.field);
        return;
    }
    prompter_.info(QStringLiteral("账户修改 保存成功！"));
    accept();
}

// ---- TfrmA_TZ ----

TfrmA_TZ::TfrmA_TZ(AccountsModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      model_(model),
      prompter_(prompter),
      account_(model.adjustOfCurrent()),
      real_(withName("realField", new QLineEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(QStringLiteral("调整账户余额"));
    auto* shown = new QGroupBox(QStringLiteral("原账户信息"));
    auto* form = new QFormLayout(shown);
    auto readOnly = [](const std::string& text) {
        auto* e = new QLineEdit(qs(text));
        e->setReadOnly(true);
        // Read-only fields look it: no white entry background, no focus by Tab.
        e->setFocusPolicy(Qt::NoFocus);
        e->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
        return e;
    };
    form->addRow(QStringLiteral("账户分类："), readOnly(model.text(AccountColumn::Type)));
    form->addRow(QStringLiteral("家庭成员："), readOnly(account_.member));
    form->addRow(QStringLiteral("账户名称："), readOnly(account_.name));
    form->addRow(QStringLiteral("账户余额："), readOnly(account_.shownBalance));
    form->addRow(QStringLiteral("备        注："), readOnly(model.text(AccountColumn::Remark)));
    auto* adjust =
        fieldGroup(QStringLiteral("调整账户余额"), {{QStringLiteral("实际余额："), real_}});
    real_->setMaxLength(10);
    real_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9.\\-]*$")), real_));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(shown);
    outer->addWidget(adjust);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmA_TZ::onSave));
    real_->setFocus();
}

void TfrmA_TZ::onSave() {
    AccountsModel::Adjust a = account_;
    a.realBalance = ss(real_->text());
    AccountCheck r = model_.adjust(a);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        real_->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("恭喜！恭喜！ 调整账户余额 保存成功！"));
    accept();
}

}  // namespace fennory::ui
