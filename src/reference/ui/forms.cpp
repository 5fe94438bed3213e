#include "reference/ui/forms.h"
#include "core/field_limits.h"

#include <QGridLayout>
#include <QLabel>

namespace fennory::ui {

// ---- members ----

MemberForm::MemberForm(QGroupBox* group, std::size_t remarkBytes)
    : QObject(group),
      name_(new QLineEdit),
      relation_(new QLineEdit),
      birthday_(new BirthdayField),
      remark_(new QLineEdit),
      widgets_({{MemberField::Name, name_}}) {
    group->setTitle(QStringLiteral("家庭成员信息"));
    limitGbk(name_, limits::kName);
    limitGbk(relation_, limits::kName);
    limitGbk(remark_, remarkBytes);
    auto* g = new QGridLayout(group);
    g->addWidget(new QLabel(QStringLiteral("姓名：")), 0, 0);
    g->addWidget(name_, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("关系：")), 0, 2);
    g->addWidget(relation_, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("生日：")), 1, 0);
    g->addWidget(birthday_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("备注：")), 1, 2);
    g->addWidget(remark_, 1, 3);
}

void MemberForm::showMember(const FamilyModel& m) {
    birthday_->stopEditing();  // browsing shows the stored text
    name_->setText(qs(m.text(MemberColumn::Name)));
    relation_->setText(qs(m.text(MemberColumn::Relation)));
    birthday_->showStored(qs(m.text(MemberColumn::Birthday)));
    remark_->setText(qs(m.text(MemberColumn::Remark)));
}

void MemberForm::clear() {
    name_->clear();
    relation_->clear();
    remark_->clear();
    birthday_->startEditing();
    name_->setFocus();
}

void MemberForm::startEditing(const FamilyModel& m) {
    // The member's own stored birthday, or none: never the date last shown.
    birthday_->startEditing(qs(m.oldText(MemberColumn::Birthday)));
    name_->setFocus();
}

MemberInput MemberForm::input() const {
    return {ss(name_->text().trimmed()), ss(relation_->text()), birthday_->dateText(),
            ss(remark_->text())};
}

bool MemberForm::save(FamilyModel& model, Prompter& prompter) {
    MemberCheck r = model.save(input());
    if (!r.ok) {
        prompter.warn(qs(r.message));
        focus(r.field);
        return false;
    }
    return true;
}

// ---- accounts ----

AccountForm::AccountForm(QGroupBox* group, const char* amountCaption, std::size_t remarkBytes)
    : QObject(group),
      type_(withName("typeField", new QComboBox)),
      member_(new QComboBox),
      name_(new QLineEdit),
      amount_(new MoneyEdit),
      remark_(new QLineEdit),
      widgets_({{AccountField::Type, type_},
                {AccountField::Member, member_},
                {AccountField::Name, name_},
                {AccountField::Amount, amount_}}) {
    group->setTitle(QStringLiteral("账户信息"));
    limitGbk(name_, limits::kName);
    limitGbk(remark_, remarkBytes);
    auto* g = new QGridLayout(group);
    int row = 0;
    auto add = [&](const char* caption, QWidget* w, const char* hint) {
        g->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        g->addWidget(w, row, 1);
        if (hint) {
            g->addWidget(hintLabel(hint), row, 2);
        }
        ++row;
    };
    add("账户分类：", type_, "注意：一定要选择账户分类");
    add("家庭成员：", member_, "该账户的所属人");
    add("账户名称：", name_, "例如 现金：我的现金 老公的现金；银行卡：我的农行卡");
    add(amountCaption, amount_, "该账户的实际金额，可以录入负数");
    add("备        注：", remark_, nullptr);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
}

void AccountForm::showAccount(const AccountsModel& m) {
    fillNames(type_, {}, m.text(AccountColumn::Type));
    fillNames(member_, {}, m.text(AccountColumn::Member));
    name_->setText(qs(m.text(AccountColumn::Name)));
    const Table& t = m.rows();
    int row = m.currentIndex();
    amount_->setText(row < 0 ? QString()
                             : qs(t.displayText(static_cast<std::size_t>(row),
                                                static_cast<int>(AccountColumn::Balance))));
    remark_->setText(qs(m.text(AccountColumn::Remark)));
}

void AccountForm::clear(const std::vector<std::string>& types,
                        const std::vector<std::string>& members, const QString& amount) {
    fillNames(type_, types, "");
    fillNames(member_, members, "");
    name_->clear();
    amount_->setText(amount);
    remark_->clear();
}

AccountInput AccountForm::input() const {
    return {ss(type_->currentText()), ss(member_->currentText()), ss(name_->text().trimmed()),
            ss(amount_->text().trimmed()), ss(remark_->text())};
}

bool AccountForm::save(AccountsModel& model, Prompter& prompter) {
    AccountCheck r = model.save(input());
    if (!r.ok) {
        prompter.warn(qs(r.message));
        focus(r.field == AccountField::None ? AccountField::Name : r.field);
        return false;
    }
    return true;
}

}  // namespace fennory::ui
