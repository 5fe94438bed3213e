#include "reference/ui/name_list_screen.h"

#include <QFormLayout>

#include "core/ui/inputs.h"
#include "reference/ui/editor_dialogs.h"

namespace fennory::ui {

NameListScreen::NameListScreen(TfrmDM& dm, Prompter& prompter, const NameListKind& kind,
                               QWidget* parent)
    : RecordScreen(parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, kind),
      name_(new QLineEdit),
      remark_(new QLineEdit),
      menu_(gridMenu()) {
    setWindowTitle(qs(kind.caption));
    fieldGroup()->setTitle(qs(kind.group));
    limitGbk(name_, 20);
    limitGbk(remark_, 50);
    auto* form = new QFormLayout(fieldGroup());
    form->addRow(qs(kind.label), name_);
    form->addRow(QStringLiteral("备        注："), remark_);
    grid()->setTitleSorting(kind.titleSort);

    menu_->addAction(QStringLiteral("启用 &S"), this, [this] { setState("启用"); });
    menu_->addAction(QStringLiteral("停用 &E"), this, [this] { setState("停用"); });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("修改拼音码 &P"), this, &NameListScreen::editPinyin);
    menu_->addAction(QStringLiteral("修改记账次数 &A"), this, &NameListScreen::editUseCount);
    grid()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid()->viewport()->mapToGlobal(at)); });
    Ref();
    setMode(RecordMode::Browse);
}

void NameListScreen::Ref() {
    showTable(model_.list(), {"帐薄名称", "ID"});
}

void NameListScreen::showRow(int row) {
    if (mode() != RecordMode::Browse) {
        return;
    }
    const Table& t = grid()->tableModel()->table();
    bool has = row >= 0;
    auto r = static_cast<std::size_t>(row);
    name_->setText(has ? qs(t.text(r, model_.kind().caption)) : QString());
    remark_->setText(has ? qs(t.text(r, "备注")) : QString());
}

void NameListScreen::onAdd() {
    setMode(RecordMode::New);
    name_->clear();
    remark_->clear();
    name_->setFocus();
}

void NameListScreen::onChange() {
    if (!hasCurrentRow() || name_->text().isEmpty()) {
        return;
    }
    oldName_ = ss(name_->text());
    editedId_ = currentId();
    setMode(RecordMode::Change);
    name_->setFocus();
}

void NameListScreen::onSave() {
    std::string name = ss(name_->text().trimmed());
    std::string remark = ss(remark_->text());
    CheckResult r = mode() == RecordMode::New ? model_.add(name, remark)
                                              : model_.edit(editedId_, oldName_, name, remark);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    bool added = mode() == RecordMode::New;
    setMode(RecordMode::Browse);
    // The list is reloaded after every save so that it shows what is stored.
    Ref();
    if (added) {
        grid()->selectRow(grid()->tableModel()->rowCount() - 1);
    }
}

void NameListScreen::onDelete() {
    if (!hasCurrentRow() || !askDelete(prompter_)) {
        return;
    }
    model_.remove(currentId());
    Ref();
}

void NameListScreen::setState(const std::string& state) {
    if (hasCurrentRow()) {
        model_.setState(currentId(), state);
    }
    Ref();
}

void NameListScreen::editPinyin() {
    if (hasCurrentRow()) {
        openPinyinEditor(
            dm_, prompter_, model_.kind().table, currentId(), currentText(model_.kind().caption),
            currentText("拼音码"), [this] { Ref(); }, this);
    }
}

void NameListScreen::editUseCount() {
    if (hasCurrentRow()) {
        openUseCountEditor(
            dm_, prompter_, model_.kind().table, currentId(), currentText(model_.kind().caption),
            currentText("记账次数"), [this] { Ref(); }, this);
    }
}

}  // namespace fennory::ui
