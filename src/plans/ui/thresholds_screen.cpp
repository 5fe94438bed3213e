#include "plans/ui/thresholds_screen.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"

namespace fennory::ui {
namespace {

constexpr const char* kNote = "说明：每月 记账金额 达到 提醒金额 就有提示。";

}  // namespace

TfrmTXMes::TfrmTXMes(const Reminder& r, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(r.caption));
    auto* outer = new QVBoxLayout(this);
    const std::string texts[3] = {r.member, r.amounts, r.text};
    for (int i = 0; i < 3; ++i) {
        lines_[static_cast<std::size_t>(i)] = new QLabel(qs(texts[i]), this);
        outer->addWidget(lines_[static_cast<std::size_t>(i)]);
    }
    auto* ok = new QPushButton(QStringLiteral("知道了"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    outer->addLayout(row);
}

void showReminders(TfrmDM& dm, const std::string& kind, QWidget* parent) {
    // The month of the current date, not of the start-up date.
    for (const Reminder& r :
         myTX(dm, thresholdKind(kind), dates::monthOf(dm.session().currentDate()))) {
        TfrmTXMes box(r, parent);
        box.exec();
    }
}

void remindOverBudget(TfrmDM& dm, const std::string& kind, const std::string& name,
                      const std::string& date, Money added, QWidget* parent) {
    if (kind != recordType(RecordType::Expense).caption) {
        return;
    }
    if (const auto r = overBudgetReminder(dm, name, date, added)) {
        TfrmTXMes box(*r, parent);
        box.exec();
    }
}

TfrmUWarn::TfrmUWarn(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : RecordScreen(model_, prompter, parent),
      model_(dm),
      prompter_(prompter),
      kinds_(new QButtonGroup(this)),
      member_(withName("memberField", new QComboBox)),
      amount_(withName("amountField", new MoneyEdit)),
      text_(withName("textField", new QLineEdit)) {
    setWindowTitle(QStringLiteral("提醒设置"));
    fieldGroup()->setTitle(QStringLiteral("提醒信息"));
    button(kChange)->hide();
    amount_->setMaxLength(10);
    limitGbk(text_, limits::kNote);
    auto* kindRow = new QHBoxLayout;
    for (const ThresholdKind* k : thresholdKinds()) {
        auto* b = new QRadioButton(QString::fromUtf8(k->caption));
        kinds_->addButton(b);
        kindRow->addWidget(b);
        b->setChecked(k->type == RecordType::Expense);
    }
    kindRow->addStretch(1);
    auto* form = new QFormLayout(fieldGroup());
    form->addRow(QStringLiteral("提醒类别："), kindRow);
    form->addRow(QStringLiteral("家庭成员："), member_);
    form->addRow(QStringLiteral("提醒金额："), amount_);
    form->addRow(QStringLiteral("提醒提示："), text_);
    form->addRow(hintLabel(kNote));
    fillNames(member_, model_.members(), "");

    gridMenu()->addAction(QStringLiteral("启用 &S"), this, guarded([this] {
                              if (hasCurrentRow()) {
                                  model_.setState(currentId(), "启用");
                                  showModel();
                              }
                          }));
    gridMenu()->addAction(QStringLiteral("停用 &E"), this, guarded([this] {
                              if (hasCurrentRow()) {
                                  model_.setState(currentId(), "停用");
                                  showModel();
                              }
                          }));
    gridMenu()->addSeparator();
    gridMenu()->addAction(QStringLiteral("修改 &M"), this, guarded(this, &TfrmUWarn::editCurrent));
    Ref();
    // Room for the reminder texts.
    grid()->setColumnWidth(static_cast<int>(ThresholdColumn::Text), 260);
}

QRadioButton* TfrmUWarn::kindButton(const QString& kind) const {
    for (QAbstractButton* b : kinds_->buttons()) {
        if (b->text() == kind) {
            return qobject_cast<QRadioButton*>(b);
        }
    }
    return nullptr;
}

void TfrmUWarn::showCurrent() {
    fillNames(member_, model_.members(), model_.text(ThresholdColumn::Member));
    const int row = model_.currentIndex();
    amount_->setText(row < 0 ? QString()
                             : qs(model_.rows().text(static_cast<std::size_t>(row),
                                                     static_cast<int>(ThresholdColumn::Amount))));
    text_->setText(qs(model_.text(ThresholdColumn::Text)));
}

void TfrmUWarn::clearFields() {
    fillNames(member_, model_.members(), "");
    amount_->clear();
    text_->clear();
}

void TfrmUWarn::onSave() {
    ThresholdCheck r = model_.save({ss(kinds_->checkedButton()->text()), ss(member_->currentText()),
                                    ss(amount_->text().trimmed()), ss(text_->text())});
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        FieldWidgets<ThresholdField>{{ThresholdField::Member, member_},
                                     {ThresholdField::Amount, amount_},
                                     {ThresholdField::Text, text_}}
            .focus(r.field);
        return;
    }
    showModel();
}

void TfrmUWarn::editCurrent() {
    if (!hasCurrentRow()) {
        return;
    }
    TfrmUWarn_M d(model_, prompter_, this);
    if (d.exec() == QDialog::Accepted) {
        showModel();
    }
}

TfrmUWarn_M::TfrmUWarn_M(ThresholdsModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      model_(model),
      prompter_(prompter),
      id_(model.currentId()),
      amount_(withName("amountField", new MoneyEdit)),
      text_(withName("textField", new QLineEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(QStringLiteral("预警修改"));
    auto* group = new QGroupBox(QStringLiteral("提醒信息"));
    auto* form = new QFormLayout(group);
    auto shown = [](const std::string& text) {
        auto* l = new QLabel(qs(text));
        return l;
    };
    form->addRow(QStringLiteral("提醒类别："), shown(model.text(ThresholdColumn::Kind)));
    form->addRow(QStringLiteral("家庭成员："), shown(model.text(ThresholdColumn::Member)));
    form->addRow(QStringLiteral("提醒金额："), amount_);
    form->addRow(QStringLiteral("提醒提示："), text_);
    form->addRow(hintLabel(kNote));
    amount_->setMaxLength(10);
    limitGbk(text_, limits::kNote);
    amount_->setText(qs(model.text(ThresholdColumn::Amount)));
    text_->setText(qs(model.text(ThresholdColumn::Text)));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmUWarn_M::onSave));
}

void TfrmUWarn_M::onSave() {
    ThresholdCheck r = model_.edit(id_, ss(amount_->text().trimmed()), ss(text_->text()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        (r.field == ThresholdField::Text ? static_cast<QWidget*>(text_) : amount_)->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("提醒修改 保存成功！"));
    accept();
}

}  // namespace fennory::ui
