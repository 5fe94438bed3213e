#include "bookkeeping/ui/money_dialogs.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {

bool moveMoney(TfrmDM& dm, Prompter& prompter, const MoveForm& form, MoneyMoveDialog::Submit submit,
               QWidget* parent) {
    MoneyMoveDialog d(dm, prompter, form, std::move(submit), parent);
    return d.exec() == QDialog::Accepted;
}

MoveForm adjustmentForm(Adjustment how, const QString& caption, const QString& shownTitle,
                        std::vector<std::pair<QString, std::string>> head, const std::string& date,
                        const std::string& account, const std::string& member,
                        const std::string& remark) {
    const bool up = how == Adjustment::Increase;
    head.emplace_back(QStringLiteral("账户名称："), account);
    head.emplace_back(QStringLiteral("家庭成员："), member);
    head.emplace_back(QStringLiteral("备        注："), remark);
    return {.caption = (up ? QStringLiteral("增加") : QStringLiteral("减少")) + caption,
            .dateLabel = up ? QStringLiteral("增加日期：") : QStringLiteral("减少日期："),
            .shownTitle = shownTitle,
            .shown = std::move(head),
            .date = date,
            .account = account,
            .member = member};
}

MoneyMoveDialog::MoneyMoveDialog(TfrmDM& dm, Prompter& prompter, const MoveForm& form,
                                 Submit submit, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      submit_(std::move(submit)),
      date_(new DateEdit),
      amount_(withName("amountField", new MoneyEdit)),
      account_(withName("accountList", new QComboBox)),
      member_(withName("memberList", new QComboBox)),
      remark_(new QLineEdit),
      save_(withName("saveButton", new QPushButton(form.saveCaption))) {
    setWindowTitle(form.caption);
    auto* outer = new QVBoxLayout(this);
    if (!form.shown.empty()) {
        auto* shown = new QGroupBox(form.shownTitle);
        auto* f = new QFormLayout(shown);
        for (const auto& [label, text] : form.shown) {
            f->addRow(label, new QLabel(qs(text)));
        }
        outer->addWidget(shown);
    }
    auto* group = fieldGroup(form.caption, {{form.dateLabel, date_},
                                            {form.amountLabel, amount_},
                                            {QStringLiteral("账户名称："), account_},
                                            {QStringLiteral("家庭成员："), member_},
                                            {QStringLiteral("备        注："), remark_}});
    outer->addWidget(group);
    amount_->setMaxLength(10);
    limitGbk(remark_, limits::kNote);
    date_->setDateText(form.date);
    amount_->setText(qs(form.amount));
    fillNames(account_, dm.ComAccount(), form.account);
    fillNames(member_, dm.ComFamily(), form.member);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded([this] {
                RepayCheck r = submit_({date_->dateText(), ss(amount_->text().trimmed()),
                                        ss(account_->currentText()), ss(member_->currentText()),
                                        ss(remark_->text())});
                if (!r.ok) {
                    prompter_.warn(qs(r.message));
                    FieldWidgets<RepayField>{{RepayField::Amount, amount_},
                                             {RepayField::Account, account_},
                                             {RepayField::Member, member_}}
                        .focus(r.field);
                    return;
                }
                accept();
            }));
}

RecordsDialog::RecordsDialog(const QString& caption, std::function<Table()> load,
                             std::function<void(std::int64_t)> remove, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent),
      load_(std::move(load)),
      remove_(std::move(remove)),
      prompter_(prompter),
      grid_(withName("grid", new RecordGrid)) {
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_);
    resize(680, 360);
    if (remove_) {
        auto* menu = new QMenu(this);
        menu->addAction(QStringLiteral("删除 &D"), this,
                        guarded(this, &RecordsDialog::deleteCurrent));
        grid_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid_, &QWidget::customContextMenuRequested, this,
                guarded([this, menu](const QPoint& at) {
                    menu->popup(grid_->viewport()->mapToGlobal(at));
                }));
    }
    reload();
}

void RecordsDialog::reload() {
    Table t = load_();
    const int id = t.column("ID");
    grid_->setTable(std::move(t), id >= 0 ? std::vector<int>{id} : std::vector<int>{});
}

void RecordsDialog::deleteCurrent() {
    const int row = grid_->currentRowIndex();
    if (!remove_ || row < 0 || !askDelete(prompter_)) {
        return;
    }
    remove_(std::stoll(grid_->tableModel()->table().text(static_cast<std::size_t>(row), "ID")));
    reload();
}

}  // namespace fennory::ui
