#pragma once
// TfrmFamily "家庭成员管理".

#include <QLineEdit>
#include <QMenu>

#include "core/data_module.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/family.h"
#include "reference/ui/forms.h"
#include "reporting/ui/export.h"

namespace fennory::ui {

class TfrmFamily : public RecordScreen {
    Q_OBJECT
public:
    TfrmFamily(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    FamilyModel& model() { return model_; }
    QLineEdit* nameField() const { return form_->name(); }
    QLineEdit* relationField() const { return form_->relation(); }
    DateEdit* birthdayPicker() const { return form_->birthday()->picker(); }
    QLineEdit* birthdayText() const { return form_->birthday()->storedText(); }
    QMenu* contextMenu() const { return gridMenu(); }

protected:
    void showCurrent() override { form_->showMember(model_); }
    void clearFields() override { form_->clear(); }
    void onChange() override;
    void onSave() override;
    QWidget* firstField() const override { return form_->name(); }

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    FamilyModel model_;
    MemberForm* form_;
};

}  // namespace fennory::ui
