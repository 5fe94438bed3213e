#include "reference/ui/name_list_screen.h"
#include "core/field_limits.h"

#include <QFormLayout>

#include "core/ui/inputs.h"
#include "reference/ui/editor_dialogs.h"

namespace fennory::ui {

NameListScreen::NameListScreen(TfrmDM& dm, Prompter& prompter, const NameListKind& kind,
                               QWidget* parent)
    : RecordScreen(model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, kind),
      name_(withName("nameField", new QLineEdit)),
      remark_(withName("remarkField", new QLineEdit)) {
    setWindowTitle(qs(kind.caption));
    fieldGroup()->setTitle(qs(kind.group));
    limitGbk(name_, limits::kName);
    limitGbk(remark_, limits::kNote);
    auto* form = new QFormLayout(fieldGroup());
    form->addRow(qs(kind.label), name_);
    form->addRow(QStringLiteral("备        注："), remark_);
    grid()->setTitleSorting(kind.titleSort);

    addNameRowMenu<true>(this, dm_, prompter_, model_, [this] { Ref(); });
    Ref();
}

void NameListScreen::showCurrent() {
    name_->setText(qs(model_.text(NameListColumn::Name)));
    remark_->setText(qs(model_.text(NameListColumn::Remark)));
}

void NameListScreen::clearFields() {
    name_->clear();
    remark_->clear();
}

void NameListScreen::onSave() {
    NameListCheck r = model_.save(ss(name_->text().trimmed()), ss(remark_->text()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    // The list shows what is stored, with the saved name current.
    showModel();
}

}  // namespace fennory::ui
