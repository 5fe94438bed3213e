#include "bookkeeping/ui/transfer_screen.h"
#include "core/field_limits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace fennory::ui {

TfrmChangeT::TfrmChangeT(TfrmDM& dm, Prompter& prompter, QWidget* parent,
                         std::function<std::string()> today)
    : BookkeepingScreen(dm, model_, model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, std::move(today)),
      date_(withName("dateField", new DateEdit)),
      from_(withName("fromField", new NameCombo)),
      to_(withName("toField", new NameCombo)),
      amount_(withName("amountField", new MoneyEdit)),
      member_(withName("memberField", new NameCombo)),
      remark_(withName("remarkField", new QLineEdit)),
      widgets_({{TransferField::Date, date_},
                {TransferField::From, from_},
                {TransferField::To, to_},
                {TransferField::Amount, amount_},
                {TransferField::Member, member_}}) {
    setWindowTitle(QStringLiteral("转账"));
    fieldGroup()->setTitle(QStringLiteral("账户转帐"));
    limitGbk(remark_, limits::kRemark);
    auto* g = new QGridLayout(fieldGroup());
    auto add = [&](int row, int col, const char* label, QWidget* w) {
        g->addWidget(new QLabel(QString::fromUtf8(label)), row, col);
        g->addWidget(w, row, col + 1);
    };
    add(0, 0, "转账日期：", date_);
    g->addWidget(totalsLabel(), 0, 2, 1, 2);
    add(1, 0, "原  账  户：", from_);
    add(1, 2, "到账账户：", to_);
    add(2, 0, "金        额：", amount_);
    add(2, 2, "家庭成员：", member_);
    add(3, 0, "备        注：", remark_);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    date_->setDateText(model_.initialFilter().to());
    setUpNames(from_, dm_, model_.accounts(), "SAccount", "AName");
    setUpNames(to_, dm_, model_.accounts(), "SAccount", "AName");
    setUpNames(member_, dm_, model_.members(), "SFamily", "FName");
    addMonthScopes();
    Ref();
}

void TfrmChangeT::showInput(const TransferInput& in) {
    if (!in.date.empty()) {
        date_->setDateText(in.date);
    }
    from_->setName(in.from);
    to_->setName(in.to);
    amount_->setText(qs(in.amount));
    member_->setName(in.member);
    remark_->setText(qs(in.remark));
}

void TfrmChangeT::showCurrent() {
    using C = TransferColumn;
    showInput({model_.text(C::Date), model_.text(C::From), model_.text(C::To),
               model_.text(C::Amount), model_.text(C::Member), model_.text(C::Remark)});
}

void TfrmChangeT::clearFields() {
    // The date and both accounts keep what they last had.
    member_->setName(model_.startNewTransfer());
    amount_->clear();
    remark_->clear();
}

void TfrmChangeT::onChange() {
    if (auto in = model_.startChangeTransfer()) {
        showInput(*in);
        refreshStates();
        date_->setFocus();
    }
}

void TfrmChangeT::onSave() {
    TransferCheck r = saveAsking(
        prompter_,
        TransferInput{date_->dateText(), from_->name(), to_->name(), ss(amount_->text().trimmed()),
                      member_->name(), ss(remark_->text())},
        [this](const TransferInput& in) { return model_.save(in); });
    if (!r.ok) {
        if (!r.message.empty()) {
            prompter_.warn(qs(r.message));
        }
        widgets_.focus(r.field);
        return;
    }
    showModel();
    button(kAdd)->setFocus();
}

}  // namespace fennory::ui
