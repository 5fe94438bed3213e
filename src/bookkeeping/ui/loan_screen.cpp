#include "bookkeeping/ui/loan_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QVBoxLayout>

#include "bookkeeping/ui/entry_screen.h"  // setUpNames
#include "plans/ui/thresholds_screen.h"

namespace fennory::ui {
namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// "债务" → "债务信息"; the labels of each side's fields.
QString partyLabel(const LoanKind& k) {
    return k.sign > 0 ? QStringLiteral("债  权  人：") : QStringLiteral("债  务  人：");
}

}  // namespace

LoanScreen::LoanScreen(TfrmDM& dm, Prompter& prompter, const LoanKind& kind, QWidget* parent,
                       std::function<std::string()> today)
    : BookkeepingScreen(model_, model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, kind, std::move(today)),
      date_(new DateEdit),
      party_(new NameCombo),
      amount_(new MoneyEdit),
      account_(new NameCombo),
      member_(new NameCombo),
      remark_(new QLineEdit),
      widgets_({{LoanField::Date, date_},
                {LoanField::Party, party_},
                {LoanField::Amount, amount_},
                {LoanField::Account, account_},
                {LoanField::Member, member_}}) {
    setWindowTitle(u8(kind.caption));
    fieldGroup()->setTitle(u8(kind.caption) + QStringLiteral("信息"));
    limitGbk(remark_, 100);
    auto* g = new QGridLayout(fieldGroup());
    auto add = [&](int row, int col, const QString& label, QWidget* w) {
        g->addWidget(new QLabel(label), row, col);
        g->addWidget(w, row, col + 1);
    };
    add(0, 0, QStringLiteral("日        期："), date_);
    g->addWidget(totalsLabel(), 0, 2, 1, 2);
    add(1, 0, partyLabel(kind), party_);
    add(1, 2, u8(kind.amountAlias) + QStringLiteral("："), amount_);
    add(2, 0, QStringLiteral("账户名称："), account_);
    add(2, 2, QStringLiteral("家庭成员："), member_);
    add(3, 0, QStringLiteral("备        注："), remark_);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    date_->setDateText(model_.initialFilter().to);
    setUpNames(party_, dm_, dm_.ComPType(), "PD", "PName");
    setUpNames(account_, dm_, dm_.ComAccount(), "SAccount", "AName");
    setUpNames(member_, dm_, dm_.ComFamily(), "SFamily", "FName");

    const QString side = u8(kind.caption);      // 债务 / 债权
    const QString act = u8(kind.repayCaption);  // 还债 / 收债
    QMenu* menu = gridMenu();
    menu->addAction(act + QStringLiteral(" &R"), this, &LoanScreen::repay);
    menu->addAction(act + QStringLiteral("记录 &V"), this, &LoanScreen::showRepayments);
    menu->addSeparator();
    menu->addAction(QStringLiteral("增加") + side + QStringLiteral("金额 &Z"), this,
                    [this] { adjust(Adjustment::Increase); });
    menu->addAction(QStringLiteral("减少") + side + QStringLiteral("金额 &J"), this,
                    [this] { adjust(Adjustment::Decrease); });
    menu->addAction(QStringLiteral("增减") + side + QStringLiteral("记录 &B"), this,
                    &LoanScreen::showAdjustments);
    menu->addSeparator();
    const bool debt = kind.sign > 0;
    const std::pair<QString, LoanScope> scopes[] = {
        {debt ? QStringLiteral("未还债务 &D") : QStringLiteral("未收债权 &D"), LoanScope::Unpaid},
        {debt ? QStringLiteral("已还债务 &L") : QStringLiteral("已收债权 &L"), LoanScope::Paid},
        {debt ? QStringLiteral("全部债务 &A") : QStringLiteral("全部债权 &A"), LoanScope::All}};
    for (const auto& [caption, scope] : scopes) {
        menu->addAction(caption, this, [this, s = scope] {
            model_.showLoans(s);
            showModel();
        });
    }
    if (!debt) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("坏账 &H"), this, &LoanScreen::writeOff);
    }
    setOnFirstShow([this, k = kind.caption] { showReminders(dm_, k, this); });
    Ref();
    grid()->setColumnWidth(static_cast<int>(LoanColumn::Remark), 255);
}

void LoanScreen::showInput(const LoanInput& in) {
    if (!in.date.empty()) {
        date_->setDateText(in.date);
    }
    party_->setName(in.party);
    amount_->setText(qs(in.amount));
    account_->setName(in.account);
    member_->setName(in.member);
    remark_->setText(qs(in.remark));
}

void LoanScreen::showCurrent() {
    using C = LoanColumn;
    showInput({model_.text(C::Date), model_.text(C::Party), model_.text(C::Amount),
               model_.text(C::Account), model_.text(C::Member), model_.text(C::Remark)});
}

void LoanScreen::clearFields() {
    LoanInput in = model_.startNewLoan();
    in.date.clear();  // the picker keeps its last date
    showInput(in);
}

void LoanScreen::onChange() {
    if (auto in = model_.startChangeLoan()) {
        showInput(*in);
        refreshStates();
        date_->setFocus();
    }
}

void LoanScreen::onSave() {
    LoanCheck r = model_.save({date_->dateText(), party_->name(), ss(amount_->text().trimmed()),
                               account_->name(), member_->name(), ss(remark_->text())});
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        widgets_.focus(r.field);
        return;
    }
    showModel();
    button(kAdd)->setFocus();
}

bool LoanScreen::runFilter() {
    const LoanKind& k = model_.kind();
    QDialog d(this);
    d.setWindowTitle(u8(k.caption) + QStringLiteral("查询"));
    const LoanFilter start = model_.initialFilter();
    auto* from = new DateEdit;
    auto* to = new DateEdit;
    from->setDateText(start.from);
    to->setDateText(start.to);
    auto* party = new QComboBox;
    auto* account = new QComboBox;
    auto* member = new QComboBox;
    auto* remark = new QLineEdit;
    fillNames(party, dm_.ComPType(), "");
    fillNames(account, dm_.ComAccount(), "");
    fillNames(member, dm_.ComFamily(), "");
    std::vector<CriteriaBox*> criteria = {
        new CriteriaBox(QStringLiteral("借债日期"), dateRange(from, to), {from, to}),
        new CriteriaBox(k.sign > 0 ? QStringLiteral("债  权  人") : QStringLiteral("债  务  人"),
                        party),
        new CriteriaBox(QStringLiteral("账户名称"), account),
        new CriteriaBox(QStringLiteral("家庭成员"), member),
        new CriteriaBox(QStringLiteral("备        注"), remark)};
    criteria[0]->setTicked(true);
    auto* query = new QPushButton(QStringLiteral("查询"));
    layOutFilter(&d, criteria, query);
    connect(query, &QPushButton::clicked, &d, [&] {
        model_.setFilter({.byDate = criteria[0]->isTicked(),
                          .from = from->dateText(),
                          .to = to->dateText(),
                          .byParty = criteria[1]->isTicked(),
                          .party = ss(party->currentText()),
                          .byAccount = criteria[2]->isTicked(),
                          .account = ss(account->currentText()),
                          .byMember = criteria[3]->isTicked(),
                          .member = ss(member->currentText()),
                          .byRemark = criteria[4]->isTicked(),
                          .remark = ss(remark->text())});
        d.accept();
    });
    return d.exec() == QDialog::Accepted;
}

void LoanScreen::repay() {
    if (!model_.canRepay()) {
        return;
    }
    LoanMoveDialog d(dm_, model_, prompter_, std::nullopt, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

void LoanScreen::showRepayments() {
    if (hasCurrentRow()) {
        LoanRecordsDialog d(model_, prompter_, LoanRecordsDialog::kRepayments, this);
        d.exec();
        Ref();
    }
}

void LoanScreen::adjust(Adjustment how) {
    if (!hasCurrentRow()) {
        return;
    }
    LoanMoveDialog d(dm_, model_, prompter_, how, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

void LoanScreen::showAdjustments() {
    if (hasCurrentRow()) {
        LoanRecordsDialog d(model_, prompter_, LoanRecordsDialog::kAdjustments, this);
        d.exec();
    }
}

void LoanScreen::writeOff() {
    if (hasCurrentRow() && prompter_.ask(QStringLiteral("确认该债权为坏账吗？该操作将不可恢复！"),
                                         QStringLiteral("删除"))) {
        model_.writeOff(currentId());
        showModel();
    }
}

// ---- repayment and adjustment ----

LoanMoveDialog::LoanMoveDialog(TfrmDM& dm, LoanModel& model, Prompter& prompter,
                               std::optional<Adjustment> adjust, QWidget* parent)
    : QDialog(parent),
      model_(model),
      prompter_(prompter),
      adjust_(adjust),
      date_(new DateEdit),
      amount_(new MoneyEdit),
      account_(new QComboBox),
      member_(new QComboBox),
      remark_(new QLineEdit),
      save_(new QPushButton) {
    const LoanKind& k = model.kind();
    const QString side = u8(k.caption);
    const QString caption = !adjust ? u8(k.repayCaption)
                                    : (*adjust == Adjustment::Increase ? QStringLiteral("增加")
                                                                       : QStringLiteral("减少")) +
                                          side + QStringLiteral("金额");
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    if (adjust) {
        // The loan as it stands, read-only.
        auto* shown = new QGroupBox(side + QStringLiteral("信息"));
        auto* f = new QFormLayout(shown);
        using C = LoanColumn;
        const std::pair<QString, C> rows[] = {{QStringLiteral("日        期："), C::Date},
                                              {partyLabel(k), C::Party},
                                              {u8(k.amountAlias) + QStringLiteral("："), C::Amount},
                                              {QStringLiteral("账户名称："), C::Account},
                                              {QStringLiteral("家庭成员："), C::Member},
                                              {QStringLiteral("备        注："), C::Remark}};
        for (const auto& [label, column] : rows) {
            f->addRow(label, new QLabel(qs(model.text(column))));
        }
        outer->addWidget(shown);
    }
    auto* group = new QGroupBox(caption);
    auto* form = new QFormLayout(group);
    form->addRow(!adjust ? QStringLiteral("日        期：")
                         : (*adjust == Adjustment::Increase ? QStringLiteral("增加日期：")
                                                            : QStringLiteral("减少日期：")),
                 date_);
    form->addRow(
        !adjust ? u8(k.repayAmount) + QStringLiteral("：") : QStringLiteral("金        额："),
        amount_);
    form->addRow(QStringLiteral("账户名称："), account_);
    form->addRow(QStringLiteral("家庭成员："), member_);
    form->addRow(QStringLiteral("备        注："), remark_);
    outer->addWidget(group);
    amount_->setMaxLength(10);
    limitGbk(remark_, 50);
    date_->setDateText(model.initialFilter().to);
    fillNames(account_, dm.ComAccount(), model.text(LoanColumn::Account));
    fillNames(member_, dm.ComFamily(), model.text(LoanColumn::Member));
    if (!adjust) {
        amount_->setText(qs(model.text(LoanColumn::Amount)));
    }
    save_->setText(!adjust ? u8(k.repayCaption) : QStringLiteral("保存"));
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, [this] {
        const RepayInput in{date_->dateText(), ss(amount_->text().trimmed()),
                            ss(account_->currentText()), ss(member_->currentText()),
                            ss(remark_->text())};
        RepayCheck r = adjust_ ? model_.adjust(*adjust_, in) : model_.repay(in);
        if (!r.ok) {
            prompter_.warn(qs(r.message));
            FieldWidgets<RepayField>{{RepayField::Amount, amount_},
                                     {RepayField::Account, account_},
                                     {RepayField::Member, member_}}
                .focus(r.field);
            return;
        }
        accept();
    });
}

// ---- the records ----

LoanRecordsDialog::LoanRecordsDialog(LoanModel& model, Prompter& prompter, Records which,
                                     QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), which_(which), grid_(new RecordGrid) {
    const LoanKind& k = model.kind();
    setWindowTitle(which == kRepayments
                       ? u8(k.repayCaption) + QStringLiteral("记录")
                       : QStringLiteral("增减") + u8(k.caption) + QStringLiteral("记录"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_);
    resize(640, 360);
    if (which == kRepayments) {
        auto* menu = new QMenu(this);
        menu->addAction(QStringLiteral("删除 &D"), this, &LoanRecordsDialog::deleteCurrent);
        grid_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid_, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
            menu->popup(grid_->viewport()->mapToGlobal(at));
        });
    }
    reload();
}

void LoanRecordsDialog::reload() {
    if (which_ == kRepayments) {
        Table t = model_.repayments();
        const int id = t.column("ID");
        grid_->setTable(std::move(t), {id});
    } else {
        grid_->setTable(model_.adjustments());
    }
}

void LoanRecordsDialog::deleteCurrent() {
    const int row = grid_->currentRowIndex();
    if (row < 0 || !askDelete(prompter_)) {
        return;
    }
    const Table& t = grid_->tableModel()->table();
    model_.removeRepayment(std::stoll(t.text(static_cast<std::size_t>(row), "ID")));
    reload();
}

}  // namespace fennory::ui
