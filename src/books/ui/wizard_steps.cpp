#include "books/ui/wizard_steps.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QVBoxLayout>

#include "books/book_creation.h"
#include "books/ui/open_book_dialog.h"

namespace fennory::ui {
namespace {

constexpr std::size_t kRemarkByteLimit = 100;

QLabel* hintLabel(const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setStyleSheet(QStringLiteral("color: gray;"));
    return l;
}

QDialog* stepDialog(QDialog* d, const char* caption, const char* hint, const char* groupTitle,
                    RecordScreen* step) {
    d->setWindowTitle(QString::fromUtf8(caption));
    d->resize(720, 480);
    auto* outer = new QVBoxLayout(d);
    outer->addWidget(hintLabel(hint, d));
    auto* group = new QGroupBox(QString::fromUtf8(groupTitle), d);
    auto* g = new QVBoxLayout(group);
    g->addWidget(step);
    outer->addWidget(group, 1);
    return d;
}

std::int64_t idOfRow(const RecordGrid* grid, int row) {
    const Table& t = grid->tableModel()->table();
    std::string id = t.text(static_cast<std::size_t>(row), "ID");
    return id.empty() ? 0 : std::stoll(id);
}

}  // namespace

// ---- the shared step ----

WizardStep::WizardStep(TfrmDM& dm, Prompter& prompter, const QString& lastCaption, QWidget* parent)
    : RecordScreen(parent), dm_(dm), prompter_(prompter), next_(new QPushButton(lastCaption)) {
    button(kChange)->hide();
    button(kExit)->hide();
    addButton(next_);
}

void WizardStep::refreshStates() {
    RecordScreen::refreshStates();
    next_->setEnabled(mode() == RecordMode::Browse && nextAllowed_);
}

void WizardStep::saved() {
    nextAllowed_ = true;
    setMode(RecordMode::Browse);
    reload();
    grid()->selectRow(grid()->tableModel()->rowCount() - 1);
}

void WizardStep::onCancel() {
    nextAllowed_ = true;
    RecordScreen::onCancel();
}

void WizardStep::onDelete() {
    int row = grid()->currentRowIndex();
    if (row < 0 || nameWidget()->text().isEmpty() || !askDelete(prompter_)) {
        return;
    }
    removeRow(idOfRow(grid(), row));
    reload();
}

// ---- members ----

MemberStep::MemberStep(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : WizardStep(dm, prompter, QStringLiteral("下一步"), parent),
      name_(new QLineEdit),
      relation_(new QLineEdit),
      birthday_(new BirthdayField),
      remark_(new QLineEdit) {
    fieldGroup()->setTitle(QStringLiteral("家庭成员信息"));
    limitGbk(name_, 20);
    limitGbk(relation_, 20);
    limitGbk(remark_, kRemarkByteLimit);
    auto* form = new QGridLayout(fieldGroup());
    form->addWidget(new QLabel(QStringLiteral("姓名：")), 0, 0);
    form->addWidget(name_, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("关系：")), 0, 2);
    form->addWidget(relation_, 0, 3);
    form->addWidget(new QLabel(QStringLiteral("生日：")), 1, 0);
    form->addWidget(birthday_, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("备注：")), 1, 2);
    form->addWidget(remark_, 1, 3);
    reload();
}

void MemberStep::reload() {
    showTable(memberList(dm_), {"拼音码", "帐薄名称", "ID"});
}

void MemberStep::showRow(int row) {
    const Table& t = grid()->tableModel()->table();
    auto r = static_cast<std::size_t>(row);
    bool has = row >= 0;
    name_->setText(has ? qs(t.text(r, "姓名")) : QString());
    relation_->setText(has ? qs(t.text(r, "关系")) : QString());
    birthday_->showStored(has ? qs(t.text(r, "生日")) : QString());
    remark_->setText(has ? qs(t.text(r, "备注")) : QString());
}

void MemberStep::onAdd() {
    setMode(RecordMode::New);
    name_->clear();
    relation_->clear();
    remark_->clear();
    birthday_->startEditing();
    name_->setFocus();
}

void MemberStep::onSave() {
    MemberInput in{ss(name_->text().trimmed()), ss(relation_->text()),
                   birthday_->picker()->dateText(), ss(remark_->text())};
    CheckResult r = saveMember(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    birthday_->stopEditing();
    saved();
}

void MemberStep::onCancel() {
    birthday_->stopEditing();
    WizardStep::onCancel();
}

void MemberStep::removeRow(std::int64_t id) {
    deleteMember(dm_, id);
}

TfrmNewF::TfrmNewF(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      host_(host),
      step_(new MemberStep(dm, prompter, this)) {
    stepDialog(this, "家庭成员管理", "单击 新增 按钮，录入 家庭成员 信息后，单击 保存 按钮。",
               "家庭成员管理  至少新增一个家庭成员", step_);
    connect(step_->nextButton(), &QPushButton::clicked, this, &TfrmNewF::onNext);
}

void TfrmNewF::onNext() {
    if (step_->grid()->tableModel()->rowCount() == 0) {
        prompter_.warn(QStringLiteral("至少新增一个家庭成员！"));
        return;
    }
    TfrmNewA accounts(dm_, prompter_, host_, this);
    accounts.exec();
    accept();
}

// ---- accounts ----

AccountStep::AccountStep(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : WizardStep(dm, prompter, QStringLiteral("完成"), parent),
      type_(new QComboBox),
      member_(new QComboBox),
      name_(new QLineEdit),
      amount_(new MoneyEdit),
      remark_(new QLineEdit) {
    fieldGroup()->setTitle(QStringLiteral("账户信息"));
    limitGbk(name_, 20);
    limitGbk(remark_, kRemarkByteLimit);
    auto* form = new QGridLayout(fieldGroup());
    int row = 0;
    auto add = [&](const char* caption, QWidget* w, const char* hint) {
        form->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        form->addWidget(w, row, 1);
        if (hint) {
            form->addWidget(hintLabel(hint, fieldGroup()), row, 2);
        }
        ++row;
    };
    add("账户分类：", type_, "注意：一定要选择账户分类");
    add("家庭成员：", member_, "该账户的所属人");
    add("账户名称：", name_, "例如 现金：我的现金 老公的现金；银行卡：我的农行卡");
    add("初始金额：", amount_, "该账户的实际金额，可以录入负数");
    add("备        注：", remark_, nullptr);
    reload();
}

void AccountStep::reload() {
    showTable(openingAccountList(dm_), {"拼音码", "账薄名称", "状态", "ID"});
    grid()->setColumnWidthByName("初始金额", 80);
    grid()->setColumnWidthByName("备注", 200);
}

void AccountStep::showRow(int row) {
    const Table& t = grid()->tableModel()->table();
    auto r = static_cast<std::size_t>(row);
    bool has = row >= 0;
    auto setCombo = [](QComboBox* c, const QString& text) {
        c->clear();
        if (!text.isEmpty()) {
            c->addItem(text);
        }
    };
    setCombo(type_, has ? qs(t.text(r, "账户分类")) : QString());
    setCombo(member_, has ? qs(t.text(r, "家庭成员")) : QString());
    name_->setText(has ? qs(t.text(r, "账户名称")) : QString());
    amount_->setText(has ? qs(t.displayText(r, t.column("初始金额"))) : QString());
    remark_->setText(has ? qs(t.text(r, "备注")) : QString());
}

void AccountStep::onAdd() {
    setMode(RecordMode::New);
    type_->clear();
    for (const auto& n : dm_.DBComSAType()) {
        type_->addItem(qs(n));
    }
    type_->setCurrentIndex(-1);
    member_->clear();
    for (const auto& n : dm_.DBComFamily()) {
        member_->addItem(qs(n));
    }
    member_->setCurrentIndex(-1);
    name_->clear();
    amount_->setText(QStringLiteral("0"));
    remark_->clear();
    type_->setFocus();
}

void AccountStep::onSave() {
    OpeningAccountInput in{ss(type_->currentText()), ss(member_->currentText()),
                           ss(name_->text().trimmed()), ss(amount_->text().trimmed()),
                           ss(remark_->text())};
    CheckResult r = saveOpeningAccount(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        QWidget* f = r.field == field::kAccountType     ? static_cast<QWidget*>(type_)
                     : r.field == field::kAccountMember ? static_cast<QWidget*>(member_)
                     : r.field == field::kAmount        ? static_cast<QWidget*>(amount_)
                                                        : static_cast<QWidget*>(name_);
        f->setFocus();
        return;
    }
    saved();
}

void AccountStep::removeRow(std::int64_t id) {
    deleteOpeningAccount(dm_, id);
}

TfrmNewA::TfrmNewA(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      host_(host),
      step_(new AccountStep(dm, prompter, this)) {
    stepDialog(this, "账户初始金额", "单击 新增 按钮，录入 账户信息 后，单击 保存 按钮。",
               "账户初始金额  至少新增一个账户", step_);
    connect(step_->finishButton(), &QPushButton::clicked, this, &TfrmNewA::onFinish);
}

void TfrmNewA::onFinish() {
    if (step_->grid()->tableModel()->rowCount() == 0) {
        prompter_.warn(QStringLiteral("至少新增一个账户！"));
        return;
    }
    TfrmOpenBook open(dm_, prompter_, host_, this);
    open.exec();
    accept();
}

}  // namespace fennory::ui
