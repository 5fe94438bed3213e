#include "bookkeeping/ui/record_form_screen.h"
#include "core/field_limits.h"

#include <QGridLayout>

namespace fennory::ui {

RecordFormScreen::RecordFormScreen(TfrmDM& dm, ScreenModelBase& model, ListedRecords& list,
                                   EditedRecords& edited, Prompter& prompter,
                                   const FormLabels& labels, const std::string& today,
                                   QWidget* parent)
    : BookkeepingScreen(dm, model, list, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      edited_(edited),
      keepPickerDate_(labels.keepPickerDate),
      date_(withName("dateField", new DateEdit)),
      name_(withName("nameField", new NameCombo)),
      amount_(withName("amountField", new MoneyEdit)),
      account_(withName("accountField", new NameCombo)),
      member_(withName("memberField", new NameCombo)),
      remark_(withName("remarkField", new QLineEdit)),
      widgets_({{RecordField::Date, date_},
                {RecordField::Name, name_},
                {RecordField::Amount, amount_},
                {RecordField::Account, account_},
                {RecordField::Member, member_}}) {
    fieldGroup()->setTitle(labels.group);
    limitGbk(remark_, limits::kRemark);
    auto* g = new QGridLayout(fieldGroup());
    auto add = [&](int row, int col, const QString& label, QWidget* w) {
        g->addWidget(new QLabel(label), row, col);
        g->addWidget(w, row, col + 1);
    };
    add(0, 0, labels.dateLabel, date_);
    g->addWidget(totalsLabel(), 0, 2, 1, 2);
    add(1, 0, labels.nameLabel, name_);
    add(1, 2, labels.amountLabel, amount_);
    add(2, 0, QStringLiteral("账户名称："), account_);
    add(2, 2, QStringLiteral("家庭成员："), member_);
    add(3, 0, QStringLiteral("备        注："), remark_);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    date_->setDateText(today);
    setUpNames(name_, dm_, labels.names, labels.nameTable, labels.nameColumn);
    setUpNames(account_, dm_, dm_.ComAccount(), "SAccount", "AName");
    setUpNames(member_, dm_, dm_.ComFamily(), "SFamily", "FName");
}

void RecordFormScreen::showInput(const RecordInput& in) {
    if (!in.date.empty()) {
        date_->setDateText(in.date);
    }
    name_->setName(in.name);
    amount_->setText(qs(in.amount));
    account_->setName(in.account);
    member_->setName(in.member);
    remark_->setText(qs(in.remark));
}

void RecordFormScreen::clearFields() {
    RecordInput in = edited_.startNewRecord();
    if (keepPickerDate_) {
        in.date.clear();
    }
    showInput(in);
}

void RecordFormScreen::onChange() {
    if (auto in = edited_.startChangeRecord()) {
        showInput(*in);
        refreshStates();
        date_->setFocus();
    }
}

void RecordFormScreen::onSave() {
    RecordCheck r =
        saveAsking(prompter_,
                   RecordInput{date_->dateText(), name_->name(), ss(amount_->text().trimmed()),
                               account_->name(), member_->name(), ss(remark_->text())},
                   [this](const RecordInput& in) { return edited_.save(in); });
    if (!r.ok) {
        if (!r.message.empty()) {
            prompter_.warn(qs(r.message));
        }
        widgets_.focus(r.field);
        return;
    }
    showModel();
    button(kAdd)->setFocus();  // the next record can start at once
    afterSave();
}

}  // namespace fennory::ui
