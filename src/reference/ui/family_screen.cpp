#include "reference/ui/family_screen.h"

#include <QGridLayout>
#include <QLabel>

#include "reference/ui/editor_dialogs.h"
#include "reports/ui/fund_flow_screen.h"

namespace fennory::ui {

TfrmFamily::TfrmFamily(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : RecordScreen(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      model_(dm),
      name_(new QLineEdit),
      relation_(new QLineEdit),
      birthday_(new BirthdayField),
      remark_(new QLineEdit),
      menu_(gridMenu()) {
    setWindowTitle(QStringLiteral("家庭成员管理"));
    fieldGroup()->setTitle(QStringLiteral("家庭成员信息"));
    button(kChange)->setText(QStringLiteral("修改（&M）"));
    limitGbk(name_, 20);
    limitGbk(relation_, 20);
    limitGbk(remark_, 50);
    auto* g = new QGridLayout(fieldGroup());
    g->addWidget(new QLabel(QStringLiteral("姓名：")), 0, 0);
    g->addWidget(name_, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("关系：")), 0, 2);
    g->addWidget(relation_, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("生日：")), 1, 0);
    g->addWidget(birthday_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("备注：")), 1, 2);
    g->addWidget(remark_, 1, 3);

    menu_->addAction(QStringLiteral("修改拼音码 &P"), this, &TfrmFamily::editPinyin);
    menu_->addAction(QStringLiteral("查看流动记录 &V"), this, &TfrmFamily::viewFundFlow);
    grid()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid()->viewport()->mapToGlobal(at)); });
    connect(grid(), &QAbstractItemView::doubleClicked, this, &TfrmFamily::viewFundFlow);
    Ref();
    setMode(RecordMode::Browse);
}

void TfrmFamily::Ref() {
    showTable(model_.list(), {"帐薄名称", "ID"});
}

void TfrmFamily::showRow(int row) {
    if (mode() != RecordMode::Browse) {
        return;
    }
    const Table& t = grid()->tableModel()->table();
    bool has = row >= 0;
    auto r = static_cast<std::size_t>(row);
    name_->setText(has ? qs(t.text(r, "姓名")) : QString());
    relation_->setText(has ? qs(t.text(r, "关系")) : QString());
    birthday_->showStored(has ? qs(t.text(r, "生日")) : QString());
    remark_->setText(has ? qs(t.text(r, "备注")) : QString());
}

void TfrmFamily::onAdd() {
    setMode(RecordMode::New);
    name_->clear();
    relation_->clear();
    remark_->clear();
    birthday_->startEditing();
    name_->setFocus();
}

void TfrmFamily::onChange() {
    if (!hasCurrentRow() || name_->text().isEmpty()) {
        return;
    }
    oldName_ = ss(name_->text());
    editedId_ = currentId();
    // The stored birthday, so that a change of name or remark keeps it.
    birthday_->picker()->setDateText(currentText("生日"));
    setMode(RecordMode::Change);
    birthday_->startEditing();
    name_->setFocus();
}

void TfrmFamily::onSave() {
    MemberInput in{ss(name_->text().trimmed()), ss(relation_->text()),
                   birthday_->picker()->dateText(), ss(remark_->text())};
    CheckResult r =
        mode() == RecordMode::New ? model_.add(in) : model_.change(editedId_, oldName_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    bool added = mode() == RecordMode::New;
    setMode(RecordMode::Browse);
    birthday_->stopEditing();
    Ref();
    if (added) {
        grid()->selectRow(grid()->tableModel()->rowCount() - 1);
    }
}

void TfrmFamily::onCancel() {
    birthday_->stopEditing();
    RecordScreen::onCancel();
}

void TfrmFamily::onDelete() {
    if (!hasCurrentRow() || !askDelete(prompter_)) {
        return;
    }
    model_.remove(currentId());
    Ref();
}

void TfrmFamily::viewFundFlow() {
    if (!hasCurrentRow()) {
        return;
    }
    FundFlowPreset preset;
    preset.member = currentText("姓名");
    preset.extra.add(" AND (FName=?)", *preset.member);
    TfrmPage3::openWindow(dm_, prompter_, opener_, this, preset);
}

void TfrmFamily::editPinyin() {
    if (hasCurrentRow()) {
        openPinyinEditor(
            dm_, prompter_, "SFamily", currentId(), currentText("姓名"), currentText("拼音码"),
            [this] { Ref(); }, this);
    }
}

}  // namespace fennory::ui
