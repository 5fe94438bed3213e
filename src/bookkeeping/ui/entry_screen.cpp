#include "bookkeeping/ui/entry_screen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "plans/ui/thresholds_screen.h"

namespace fennory::ui {

void setUpNames(NameCombo* combo, TfrmDM& dm, const std::vector<std::string>& names,
                const char* table, const char* column) {
    combo->setNames(names);
    combo->setTypeAhead([&dm, table, column](const std::string& text) {
        return dm.mySelectCom(text, column, table);
    });
}

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
    EntryFilterDialog d(dm_, model_, this);
    return d.exec() == QDialog::Accepted;
}

// ---- the filter dialog ----

EntryFilterDialog::EntryFilterDialog(TfrmDM& dm, EntryModel& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      from_(new DateEdit),
      to_(new DateEdit),
      name_(new NameCombo),
      account_(new NameCombo),
      member_(new NameCombo),
      remark_(new QLineEdit),
      query_(new QPushButton(QStringLiteral("查询"))) {
    const EntryKind& kind = model.kind();
    setWindowTitle(QString::fromUtf8(kind.filterCaption));
    const EntryFilter start = model.initialFilter();
    from_->setDateText(start.from);
    to_->setDateText(start.to);
    setUpNames(name_, dm, model.names(), kind.nameTable, kind.nameColumn);
    setUpNames(account_, dm, model.accounts(), "SAccount", "AName");
    setUpNames(member_, dm, model.members(), "SFamily", "FName");

    QWidget* range = dateRange(from_, to_);
    criteria_ = {new CriteriaBox(QString::fromUtf8(kind.dateTick), range, {from_, to_}),
                 new CriteriaBox(QString::fromUtf8(kind.nameTick), name_),
                 new CriteriaBox(QStringLiteral("账户名称"), account_),
                 new CriteriaBox(QStringLiteral("家庭成员"), member_),
                 new CriteriaBox(QStringLiteral("备        注"), remark_)};
    criteria_[0]->setTicked(true);
    layOutFilter(this, {criteria_.begin(), criteria_.end()}, query_);
    connect(query_, &QPushButton::clicked, this, [this] {
        model_.setFilter({.byDate = criteria_[0]->isTicked(),
                          .from = from_->dateText(),
                          .to = to_->dateText(),
                          .byName = criteria_[1]->isTicked(),
                          .name = name_->name(),
                          .byAccount = criteria_[2]->isTicked(),
                          .account = account_->name(),
                          .byMember = criteria_[3]->isTicked(),
                          .member = member_->name(),
                          .byRemark = criteria_[4]->isTicked(),
                          .remark = ss(remark_->text())});
        accept();
    });
}

}  // namespace fennory::ui
