#include "bookkeeping/ui/entry_screen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "plans/ui/thresholds_screen.h"

namespace fennory::ui {

EntryScreen::EntryScreen(TfrmDM& dm, Prompter& prompter, const EntryKind& kind, QWidget* parent,
                         std::function<std::string()> today)
    : BookkeepingScreen(model_, model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, kind, std::move(today)),
      date_(new DateEdit),
      name_(new NameCombo),
      amount_(new MoneyEdit),
      account_(new NameCombo),
      member_(new NameCombo),
      remark_(new QLineEdit),
      widgets_({{EntryField::Date, date_},
                {EntryField::Name, name_},
                {EntryField::Amount, amount_},
                {EntryField::Account, account_},
                {EntryField::Member, member_}}) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    fieldGroup()->setTitle(QString::fromUtf8(kind.caption));
    limitGbk(remark_, 100);
    auto* g = new QGridLayout(fieldGroup());
    auto add = [&](int row, int col, const char* label, QWidget* w) {
        g->addWidget(new QLabel(QString::fromUtf8(label)), row, col);
        g->addWidget(w, row, col + 1);
    };
    add(0, 0, kind.dateLabel, date_);
    g->addWidget(totalsLabel(), 0, 2, 1, 2);
    add(1, 0, kind.nameLabel, name_);
    add(1, 2, "金        额：", amount_);
    add(2, 0, "账户名称：", account_);
    add(2, 2, "家庭成员：", member_);
    add(3, 0, "备        注：", remark_);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    date_->setDateText(model_.initialFilter().to);
    setUpNames(name_, dm_, model_.names(), kind.nameTable, kind.nameColumn);
    setUpNames(account_, dm_, model_.accounts(), "SAccount", "AName");
    setUpNames(member_, dm_, model_.members(), "SFamily", "FName");
    setOnFirstShow([this, kind = kind.caption] { showReminders(dm_, kind, this); });
    addMonthScopes();
    Ref();
}

void EntryScreen::showInput(const EntryInput& in) {
    if (!in.date.empty()) {
        date_->setDateText(in.date);
    }
    name_->setName(in.name);
    amount_->setText(qs(in.amount));
    account_->setName(in.account);
    member_->setName(in.member);
    remark_->setText(qs(in.remark));
}

void EntryScreen::showCurrent() {
    showInput({model_.text(EntryColumn::Date), model_.text(EntryColumn::Name),
               model_.text(EntryColumn::Amount), model_.text(EntryColumn::Account),
               model_.text(EntryColumn::Member), model_.text(EntryColumn::Remark)});
}

void EntryScreen::clearFields() {
    // startNew() has run: the defaults of a new record.
    showInput(model_.startNewRecord());
}

void EntryScreen::onChange() {
    if (auto in = model_.startChangeRecord()) {
        showInput(*in);
        refreshStates();
        date_->setFocus();
    }
}

void EntryScreen::onSave() {
    EntryCheck r = model_.save({date_->dateText(), name_->name(), ss(amount_->text().trimmed()),
                                account_->name(), member_->name(), ss(remark_->text())});
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        widgets_.focus(r.field);
        return;
    }
    showModel();
    button(kAdd)->setFocus();  // the next record can start at once
}

bool EntryScreen::runFilter() {
    const EntryKind& k = model_.kind();
    return BookkeepingScreen::runFilter(dm_,
                                        {.caption = QString::fromUtf8(k.filterCaption),
                                         .dateTick = QString::fromUtf8(k.dateTick),
                                         .nameTick = QString::fromUtf8(k.nameTick),
                                         .nameTable = k.nameTable,
                                         .nameColumn = k.nameColumn,
                                         .names = model_.names()},
                                        model_.initialFilter(),
                                        [this](const RecordFilter& f) { model_.setFilter(f); });
}

}  // namespace fennory::ui
