#include "reference/ui/family_screen.h"

#include "core/ui/navigation.h"
#include "reference/ui/editor_dialogs.h"

namespace fennory::ui {

TfrmFamily::TfrmFamily(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : RecordScreen(model_, prompter, parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      model_(dm),
      form_(new MemberForm(fieldGroup(), 50)) {
    setWindowTitle(QStringLiteral("家庭成员管理"));
    button(kChange)->setText(QStringLiteral("修改（&M）"));
    addNameRowMenu<false>(this, dm_, prompter_, model_, [this] { Ref(); });
    addFundFlowView(this, QStringLiteral("查看流动记录 &V"), dm_, prompter_, opener_, model_,
                    Criterion::Member, MemberColumn::Name);
    Ref();
}

void TfrmFamily::onChange() {
    if (!model_.startChange()) {
        return;
    }
    refreshStates();
    form_->startEditing(model_);
}

void TfrmFamily::onSave() {
    if (form_->save(model_, prompter_)) {
        showModel();
    }
}

}  // namespace fennory::ui
