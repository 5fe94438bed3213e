#include "reference/ui/accounts_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "reference/ui/editor_dialogs.h"
#include "reports/ui/fund_flow_screen.h"

namespace fennory::ui {
namespace {

QLabel* hint(const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setStyleSheet(QStringLiteral("color: gray;"));
    return l;
}

void fillNames(QComboBox* c, const std::vector<std::string>& names, const std::string& chosen) {
    c->clear();
    for (const auto& n : names) {
        c->addItem(qs(n));
    }
    int i = c->findText(qs(chosen));
    if (i < 0 && !chosen.empty()) {
        c->addItem(qs(chosen));
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

}  // namespace

TfrmA_Manage::TfrmA_Manage(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : RecordScreen(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      model_(dm),
      type_(new QComboBox),
      member_(new QComboBox),
      name_(new QLineEdit),
      balance_(new MoneyEdit),
      remark_(new QLineEdit),
      menu_(gridMenu()) {
    setWindowTitle(QStringLiteral("账户管理"));
    fieldGroup()->setTitle(QStringLiteral("账户信息"));
    limitGbk(name_, 20);
    limitGbk(remark_, 50);
    auto* g = new QGridLayout(fieldGroup());
    int row = 0;
    auto add = [&](const char* caption, QWidget* w, const char* help) {
        g->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        g->addWidget(w, row, 1);
        if (help) {
            g->addWidget(hint(help), row, 2);
        }
        ++row;
    };
    add("账户分类：", type_, "注意：一定要选择账户分类");
    add("家庭成员：", member_, "该账户的所属人");
    add("账户名称：", name_, "例如 现金：我的现金 老公的现金；银行卡：我的农行卡");
    add("账户余额：", balance_, "该账户的实际金额，可以录入负数");
    add("备        注：", remark_, nullptr);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
    button(kChange)->hide();

    menu_->addAction(QStringLiteral("查看流动日志 &V"), this, &TfrmA_Manage::viewFundFlow);
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("启用 &S"), this, [this] { setState("启用"); });
    menu_->addAction(QStringLiteral("停用 &E"), this, [this] { setState("停用"); });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("修改拼音码 &P"), this, &TfrmA_Manage::editPinyin);
    menu_->addAction(QStringLiteral("修改记账次数 &A"), this, &TfrmA_Manage::editUseCount);
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("调整账户余额 &T"), this, &TfrmA_Manage::adjustBalance);
    menu_->addAction(QStringLiteral("修改账户 &M"), this, &TfrmA_Manage::editAccount);
    grid()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid()->viewport()->mapToGlobal(at)); });
    connect(grid(), &QAbstractItemView::doubleClicked, this, &TfrmA_Manage::viewFundFlow);
    Ref();
    setMode(RecordMode::Browse);
}

QAction* TfrmA_Manage::menuAction(const QString& caption) const {
    for (QAction* a : menu_->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

void TfrmA_Manage::Ref() {
    showTable(model_.list(), {"账薄名称", "ID"});
}

void TfrmA_Manage::showRow(int row) {
    if (mode() != RecordMode::Browse) {
        return;
    }
    const Table& t = grid()->tableModel()->table();
    auto r = static_cast<std::size_t>(row);
    bool has = row >= 0;
    fillNames(type_, {}, has ? t.text(r, "账户分类") : "");
    fillNames(member_, {}, has ? t.text(r, "家庭成员") : "");
    name_->setText(has ? qs(t.text(r, "账户名称")) : QString());
    balance_->setText(has ? qs(t.text(r, "账户余额")) : QString());
    remark_->setText(has ? qs(t.text(r, "备注")) : QString());
}

void TfrmA_Manage::onAdd() {
    setMode(RecordMode::New);
    fillNames(type_, dm_.DBComSAType(), "");
    fillNames(member_, dm_.DBComFamily(), "");
    name_->clear();
    balance_->clear();
    remark_->clear();
    type_->setFocus();
}

void TfrmA_Manage::onSave() {
    CheckResult r = model_.add({ss(type_->currentText()), ss(member_->currentText()),
                                ss(name_->text().trimmed()), ss(balance_->text().trimmed()),
                                ss(remark_->text())});
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        QWidget* f = r.field == "theType"  ? static_cast<QWidget*>(type_)
                     : r.field == "FName"  ? static_cast<QWidget*>(member_)
                     : r.field == "AName"  ? static_cast<QWidget*>(name_)
                     : r.field == "AMoney" ? static_cast<QWidget*>(balance_)
                                           : nullptr;
        if (f) {
            f->setFocus();
        }
        return;
    }
    setMode(RecordMode::Browse);
    Ref();
    grid()->selectRow(grid()->tableModel()->rowCount() - 1);
}

void TfrmA_Manage::onDelete() {
    if (!hasCurrentRow() || currentText("账户名称").empty()) {
        return;
    }
    Money balance = Money::parse(currentText("账户余额")).value_or(Money());
    if (CheckResult r = model_.checkDelete(balance); !r.ok) {
        prompter_.warn(qs(r.message));
        return;
    }
    if (!askDelete(prompter_)) {
        return;
    }
    model_.remove(currentId());
    Ref();
}

void TfrmA_Manage::viewFundFlow() {
    if (!hasCurrentRow()) {
        return;
    }
    FundFlowPreset preset;
    preset.account = currentText("账户名称");
    preset.extra.add(" AND (AName=?)", *preset.account);
    TfrmPage3::openWindow(dm_, prompter_, opener_, this, preset);
}

void TfrmA_Manage::setState(const std::string& state) {
    if (hasCurrentRow()) {
        model_.setState(currentId(), state);
    }
    Ref();
}

void TfrmA_Manage::editPinyin() {
    if (hasCurrentRow()) {
        openPinyinEditor(
            dm_, prompter_, "SAccount", currentId(), currentText("账户名称"), currentText("拼音码"),
            [this] { Ref(); }, this);
    }
}

void TfrmA_Manage::editUseCount() {
    if (hasCurrentRow()) {
        openUseCountEditor(
            dm_, prompter_, "SAccount", currentId(), currentText("账户名称"),
            currentText("记账次数"), [this] { Ref(); }, this);
    }
}

void TfrmA_Manage::adjustBalance() {
    if (!hasCurrentRow()) {
        return;
    }
    TfrmA_TZ d(dm_, prompter_,
               {currentId(), currentText("账户分类"), currentText("家庭成员"),
                currentText("账户名称"), currentText("账户余额"), currentText("备注")},
               this);
    if (d.exec() == QDialog::Accepted) {
        Ref();
    }
}

void TfrmA_Manage::editAccount() {
    if (!hasCurrentRow()) {
        return;
    }
    TfrmA_M d(dm_, prompter_,
              {currentId(), currentText("账户名称"), currentText("账户分类"),
               currentText("家庭成员"), currentText("账户名称"), currentText("备注")},
              this);
    if (d.exec() == QDialog::Accepted) {
        Ref();
    }
}

// ---- TfrmA_M ----

TfrmA_M::TfrmA_M(TfrmDM& dm, Prompter& prompter, const AccountsModel::Edit& current,
                 QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      model_(dm),
      current_(current),
      type_(new QComboBox),
      member_(new QComboBox),
      name_(new QLineEdit),
      remark_(new QLineEdit),
      save_(new QPushButton(QStringLiteral("保存"))) {
    setWindowTitle(QStringLiteral("修改账户"));
    auto* group = new QGroupBox(QStringLiteral("账户信息"));
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("账户分类："), type_);
    form->addRow(QStringLiteral("家庭成员："), member_);
    form->addRow(QStringLiteral("账户名称："), name_);
    form->addRow(QStringLiteral("备        注："), remark_);
    limitGbk(name_, 20);
    limitGbk(remark_, 50);
    fillNames(type_, dm.DBComSAType(), current.type);
    fillNames(member_, dm.DBComFamily(), current.member);
    name_->setText(qs(current.name));
    remark_->setText(qs(current.remark));
    auto* exit = new QPushButton(QStringLiteral("退出"));
    save_->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save_);
    row->addWidget(exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(row);
    connect(save_, &QPushButton::clicked, this, &TfrmA_M::onSave);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmA_M::onSave() {
    AccountsModel::Edit e = current_;
    e.type = ss(type_->currentText());
    e.member = ss(member_->currentText());
    e.name = ss(name_->text().trimmed());
    e.remark = ss(remark_->text());
    CheckResult r = model_.edit(e);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        (r.field == "theType" ? static_cast<QWidget*>(type_)
         : r.field == "FName" ? static_cast<QWidget*>(member_)
                              : static_cast<QWidget*>(name_))
            ->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("账户修改 保存成功！"));
    accept();
}

// ---- TfrmA_TZ ----

TfrmA_TZ::TfrmA_TZ(TfrmDM& dm, Prompter& prompter, const Shown& account, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      model_(dm),
      account_(account),
      real_(new QLineEdit),
      save_(new QPushButton(QStringLiteral("保存"))) {
    setWindowTitle(QStringLiteral("调整账户余额"));
    auto* shown = new QGroupBox(QStringLiteral("原账户信息"));
    auto* form = new QFormLayout(shown);
    auto readOnly = [](const std::string& text) {
        auto* e = new QLineEdit(qs(text));
        e->setReadOnly(true);
        return e;
    };
    form->addRow(QStringLiteral("账户分类："), readOnly(account.type));
    form->addRow(QStringLiteral("家庭成员："), readOnly(account.member));
    form->addRow(QStringLiteral("账户名称："), readOnly(account.name));
    form->addRow(QStringLiteral("账户余额："), readOnly(account.balance));
    form->addRow(QStringLiteral("备        注："), readOnly(account.remark));
    auto* adjust = new QGroupBox(QStringLiteral("调整账户余额"));
    auto* af = new QFormLayout(adjust);
    af->addRow(QStringLiteral("实际余额："), real_);
    real_->setMaxLength(10);
    real_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9.\\-]*$")), real_));
    auto* exit = new QPushButton(QStringLiteral("退出"));
    save_->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save_);
    row->addWidget(exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(shown);
    outer->addWidget(adjust);
    outer->addLayout(row);
    connect(save_, &QPushButton::clicked, this, &TfrmA_TZ::onSave);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmA_TZ::onSave() {
    CheckResult r = model_.adjust(
        {account_.id, account_.name, account_.member, account_.balance, ss(real_->text())});
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        real_->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("恭喜！恭喜！ 调整账户余额 保存成功！"));
    accept();
}

}  // namespace fennory::ui
