#include "books/ui/wizard_steps.h"

#include <QVBoxLayout>

#include "books/ui/open_book_dialog.h"
#include "core/ui/guard.h"

namespace fennory::ui {
namespace {

constexpr std::size_t kRemarkByteLimit = 100;

}  // namespace

// ---- the shared step ----

WizardStep::WizardStep(ScreenModelBase& model, WizardStepKind kind, Prompter& prompter,
                       const QString& lastCaption, QWidget* parent)
    : RecordScreen(model, prompter, parent),
      prompter_(prompter),
      next_(new QPushButton(lastCaption)),
      gate_(kind) {
    button(kChange)->hide();
    button(kExit)->hide();
    addButton(next_);
}

void WizardStep::refreshStates() {
    RecordScreen::refreshStates();
    next_->setEnabled(gate_.nextEnabled(screenModel()));
}

void WizardStep::saved() {
    gate_.touched();
    showModel();
}

void WizardStep::onCancel() {
    gate_.touched();
    RecordScreen::onCancel();
}

// ---- members ----

MemberStep::MemberStep(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : WizardStep(model_, WizardStepKind::Members, prompter, QStringLiteral("下一步"), parent),
      model_(dm),
      form_(new MemberForm(fieldGroup(), kRemarkByteLimit)) {
    model_.hideColumn(static_cast<int>(MemberColumn::Pinyin));
    Ref();
}

void MemberStep::onSave() {
    if (form_->save(model_, prompter_)) {
        saved();
    }
}

TfrmNewF::TfrmNewF(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : WizardPage(dm, prompter, host, parent), step_(new MemberStep(dm, prompter, this)) {
    setUp(step_, "家庭成员管理", "单击 新增 按钮，录入 家庭成员 信息后，单击 保存 按钮。",
          "家庭成员管理  至少新增一个家庭成员");
}

void TfrmNewF::leadOn() {
    TfrmNewA accounts(dm_, prompter_, host_, parentWidget());
    accounts.exec();
}

// ---- accounts ----

AccountStep::AccountStep(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : WizardStep(model_, WizardStepKind::Accounts, prompter, QStringLiteral("完成"), parent),
      model_(dm, openingAccounts()),
      form_(new AccountForm(fieldGroup(), "初始金额：", kRemarkByteLimit)) {
    Ref();
    grid()->setColumnWidth(static_cast<int>(AccountColumn::Balance), 80);
    grid()->setColumnWidth(static_cast<int>(AccountColumn::Remark), 200);
}

void AccountStep::clearFields() {
    form_->clear(model_.types(), model_.members(), QStringLiteral("0"));
}

void AccountStep::onSave() {
    if (form_->save(model_, prompter_)) {
        saved();
    }
}

TfrmNewA::TfrmNewA(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : WizardPage(dm, prompter, host, parent), step_(new AccountStep(dm, prompter, this)) {
    setUp(step_, "账户初始金额", "单击 新增 按钮，录入 账户信息 后，单击 保存 按钮。",
          "账户初始金额  至少新增一个账户");
}

void TfrmNewA::leadOn() {
    TfrmOpenBook open(dm_, prompter_, host_, parentWidget(), dm_.book());
    open.exec();
}

// ---- the page ----

WizardPage::WizardPage(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : QDialog(parent), dm_(dm), prompter_(prompter), host_(host) {}

void WizardPage::setUp(WizardStep* step, const char* caption, const char* hint,
                       const char* groupTitle) {
    setWindowTitle(QString::fromUtf8(caption));
    resize(720, 480);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(hintLabel(hint, this));
    auto* group = new QGroupBox(QString::fromUtf8(groupTitle), this);
    auto* g = new QVBoxLayout(group);
    g->addWidget(step);
    outer->addWidget(group, 1);
    connect(step->nextButton(), &QPushButton::clicked, this, guarded([this, step] {
                if (CheckResult r = step->checkNext(); !r.ok) {
                    prompter_.warn(qs(r.message));
                    return;
                }
                // This page leaves the screen before the next one appears.
                hide();
                leadOn();
                accept();
            }));
}

}  // namespace fennory::ui
