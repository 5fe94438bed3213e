#include "bookkeeping/ui/investment_screen.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/navigation.h"

namespace fennory::ui {

TfrmTZ::TfrmTZ(TfrmDM& dm, Prompter& prompter, QWidget* parent, std::function<std::string()> today)
    : RecordFormScreen(dm, model_, model_, model_, prompter,
                       {.group = QStringLiteral("投资"),
                        .dateLabel = QStringLiteral("投资日期："),
                        .nameLabel = QStringLiteral("投资类别："),
                        .amountLabel = QStringLiteral("投资金额："),
                        .nameTable = "TD",
                        .nameColumn = "TName",
                        .names = dm.ComTZType(),
                        .keepPickerDate = true},
                       today(), parent),
      model_(dm, std::move(today)) {
    setWindowTitle(QStringLiteral("投资"));
    QMenu* menu = gridMenu();
    menu->addAction(QStringLiteral("收益 &R"), this, guarded(this, &TfrmTZ::recordReturn));
    menu->addAction(QStringLiteral("收益记录 &V"), this, guarded(this, &TfrmTZ::showReturns));
    menu->addSeparator();
    menu->addAction(QStringLiteral("增加投资金额 &Z"), this,
                    guarded([this] { adjust(Adjustment::Increase); }));
    menu->addAction(QStringLiteral("减少投资金额 &S"), this,
                    guarded([this] { adjust(Adjustment::Decrease); }));
    menu->addAction(QStringLiteral("增减投资记录 &B"), this,
                    guarded(this, &TfrmTZ::showAdjustments));
    menu->addSeparator();
    const std::pair<const char*, LoanScope> scopes[] = {{"未收投资 &D", LoanScope::Unpaid},
                                                        {"已收投资 &L", LoanScope::Paid},
                                                        {"全部投资 &A", LoanScope::All}};
    for (const auto& [caption, scope] : scopes) {
        menu->addAction(QString::fromUtf8(caption), this, guarded([this, s = scope] {
                            model_.showInvestments(s);
                            showModel();
                        }));
    }
    setOnFirstShow([this] { navigation().remind(dm_, "投资", this); });
    Ref();
    grid()->setColumnWidth(static_cast<int>(InvestColumn::Remark), 255);
}

void TfrmTZ::recordReturn() {
    if (!model_.canReturn()) {
        return;
    }
    TfrmTZ_R d(dm_, model_, prompter_, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

void TfrmTZ::showReturns() {
    if (hasCurrentRow()) {
        RecordsDialog d(
            QStringLiteral("收益记录"), [this] { return model_.returns(); },
            [this](std::int64_t id) { model_.removeReturn(id); }, prompter_, this);
        d.exec();
        Ref();
    }
}

void TfrmTZ::adjust(Adjustment how) {
    if (!hasCurrentRow()) {
        return;
    }
    using C = InvestColumn;
    if (adjustCurrent<C>(dm_, prompter_, model_, how, QStringLiteral("投资金额"),
                         QStringLiteral("基本信息"),
                         {{QStringLiteral("投资日期："), model_.text(C::Date)},
                          {QStringLiteral("投资类别："), model_.text(C::Kind)},
                          {QStringLiteral("金        额："), model_.text(C::Amount)}},
                         this)) {
        showModel();
    }
}

void TfrmTZ::showAdjustments() {
    if (hasCurrentRow()) {
        RecordsDialog d(
            QStringLiteral("增减投资记录"), [this] { return model_.adjustments(); }, {}, prompter_,
            this);
        d.exec();
    }
}

// ---- the return dialog ----

TfrmTZ_R::TfrmTZ_R(TfrmDM& dm, InvestmentModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      date_(new DateEdit),
      principal_(withName("principalField", new MoneyEdit)),
      profit_(withName("profitField", new MoneyEdit)),
      account_(new QComboBox),
      member_(new QComboBox),
      remark_(new QLineEdit),
      save_(withName("saveButton", new QPushButton(QStringLiteral("收益")))) {
    setWindowTitle(QStringLiteral("收益"));
    auto* group = fieldGroup(QStringLiteral("收益"), {{QStringLiteral("收益日期："), date_},
                                                      {QStringLiteral("收回本金："), principal_},
                                                      {QStringLiteral("收益金额："), profit_},
                                                      {QStringLiteral("账户名称："), account_},
                                                      {QStringLiteral("家庭成员："), member_},
                                                      {QStringLiteral("备        注："), remark_}});
    limitGbk(remark_, limits::kNote);
    date_->setDateText(model.initialFilter().to());
    principal_->setText(QStringLiteral("0"));
    profit_->setText(QStringLiteral("0"));
    fillNames(account_, dm.ComAccount(), model.text(InvestColumn::Account));
    fillNames(member_, dm.ComFamily(), model.text(InvestColumn::Member));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded([this, &model, &prompter] {
                ReturnCheck r =
                    model.recordReturn({date_->dateText(), ss(principal_->text().trimmed()),
                                        ss(profit_->text().trimmed()), ss(account_->currentText()),
                                        ss(member_->currentText()), ss(remark_->text())});
                if (!r.ok) {
                    prompter.warn(qs(r.message));
                    FieldWidgets<ReturnField>{{ReturnField::Principal, principal_},
                                              {ReturnField::Profit, profit_},
                                              {ReturnField::Account, account_},
                                              {ReturnField::Member, member_}}
                        .focus(r.field);
                    return;
                }
                accept();
            }));
}

}  // namespace fennory::ui
