#include "import/ui/bank_layout_dialogs.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>

#include "core/field_limits.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

BankLayoutDialog::BankLayoutDialog(const std::vector<std::string>& header, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      name_(withName("nameField", new QLineEdit)),
      positiveIsOut_(withName("positiveIsOutBox", new QCheckBox(QStringLiteral(
                                                      "金额为正数表示支出（如信用卡对账单）")))) {
    setWindowTitle(QStringLiteral("对账单的各列"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("这种账单叫："), name_);
    limitGbk(name_, limits::kName);
    for (const LayoutField& f : bankLayoutFields()) {
        auto* c = new QComboBox;
        c->addItem(QString());
        for (const std::string& h : header) {
            c->addItem(QString::fromStdString(h));
        }
        columns_.push_back(c);
        form->addRow(QString::fromUtf8(f.caption), c);
    }
    form->addRow(positiveIsOut_);
    auto* save = withName("saveButton", new QPushButton(QStringLiteral("保存")));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral(
        "请指明账单的哪一列是什么：日期必选；金额要么选一列有正负的，要么分别选收入和支出两列。")));
    outer->addLayout(form);
    outer->addLayout(saveExitRow(this, save));
    connect(save, &QPushButton::clicked, this, guarded(this, &BankLayoutDialog::onSave));
}

BankLayout BankLayoutDialog::layout() const {
    BankLayout l;
    l.name = name_->text().trimmed().toStdString();
    const auto& fields = bankLayoutFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        l.*fields[i].column = columns_[i]->currentText().toStdString();
    }
    l.positiveIsOut = positiveIsOut_->isChecked();
    return l;
}

void BankLayoutDialog::onSave() {
    const BankLayout l = layout();
    if (l.name.empty()) {
        prompter_.warn(QStringLiteral("请给这种账单起个名字！"));
        name_->setFocus();
        return;
    }
    if (l.date.empty()) {
        prompter_.warn(QStringLiteral("请选择 日期 所在的列！"));
        columns_[0]->setFocus();
        return;
    }
    if (l.amount.empty() && l.income.empty() && l.expense.empty()) {
        prompter_.warn(QStringLiteral("请选择 金额 所在的列！"));
        columns_[1]->setFocus();
        return;
    }
    accept();
}

void BankLayoutDialog::preset(const BankLayout& l) {
    name_->setText(QString::fromStdString(l.name));
    const auto& fields = bankLayoutFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        columns_[i]->setCurrentText(QString::fromStdString(l.*fields[i].column));
    }
    positiveIsOut_->setChecked(l.positiveIsOut);
}

// ---- the saved layouts ----

namespace {

// "工资卡：日期=记账日期，收入金额=收入 …", as the list shows a layout.
QString describe(const BankLayout& l) {
    QString text = QString::fromStdString(l.name) + QStringLiteral("：");
    QStringList named;
    for (const LayoutField& f : bankLayoutFields()) {
        if (!(l.*f.column).empty()) {
            named << QString::fromUtf8(f.caption).remove(QStringLiteral("：")) +
                         QStringLiteral("=") + QString::fromStdString(l.*f.column);
        }
    }
    if (l.positiveIsOut) {
        named << QStringLiteral("正数为支出");
    }
    return text + named.join(QStringLiteral("，"));
}

// The column names a layout knows: what its dialog offers when it is changed.
std::vector<std::string> columnsOf(const BankLayout& l) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const LayoutField& f : bankLayoutFields()) {
        const std::string& c = l.*f.column;
        if (!c.empty() && seen.insert(c).second) {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

BankLayoutsDialog::BankLayoutsDialog(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      db_(db),
      prompter_(prompter),
      list_(withName("layoutList", new QListWidget)) {
    setWindowTitle(QStringLiteral("对账单格式"));
    auto* change = withName("changeButton", new QPushButton(QStringLiteral("修改")));
    auto* remove = withName("deleteButton", new QPushButton(QStringLiteral("删除")));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("导入银行对账单时记住的各列：")));
    outer->addWidget(list_, 1);
    QHBoxLayout* buttons = saveExitRow(this, change);
    buttons->insertWidget(2, remove);
    outer->addLayout(buttons);
    resize(560, 320);
    reload();
    connect(change, &QPushButton::clicked, this, guarded(this, &BankLayoutsDialog::onChange));
    connect(remove, &QPushButton::clicked, this, guarded(this, &BankLayoutsDialog::onDelete));
    connect(list_, &QListWidget::itemDoubleClicked, this,
            guarded(this, &BankLayoutsDialog::onChange));
}

void BankLayoutsDialog::reload() {
    layouts_ = savedLayouts(db_);
    list_->clear();
    for (const BankLayout& l : layouts_) {
        list_->addItem(describe(l));
    }
    if (!layouts_.empty()) {
        list_->setCurrentRow(0);
    }
}

void BankLayoutsDialog::onChange() {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= layouts_.size()) {
        return;
    }
    const BankLayout old = layouts_[static_cast<std::size_t>(row)];
    BankLayoutDialog d(columnsOf(old), prompter_, this);
    d.preset(old);
    if (d.exec() != QDialog::Accepted) {
        return;
    }
    Transaction t(db_);
    removeLayout(db_, old.name);
    saveLayout(db_, d.layout());
    t.commit();
    reload();
}

void BankLayoutsDialog::onDelete() {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= layouts_.size()) {
        return;
    }
    const std::string name = layouts_[static_cast<std::size_t>(row)].name;
    if (!prompter_.ask(
            QStringLiteral("确认要删除对账单格式 %1 吗？下次导入这种对账单时要重新指明各列。")
                .arg(QString::fromStdString(name)),
            QStringLiteral("删除对账单格式"))) {
        return;
    }
    removeLayout(db_, name);
    reload();
}

}  // namespace fennory::ui
