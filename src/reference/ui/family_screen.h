#pragma once
// TfrmFamily "家庭成员管理".

#include <QLineEdit>
#include <QMenu>

#include "core/data_module.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/family.h"
#include "reports/ui/export.h"

namespace fennory::ui {

class TfrmFamily : public RecordScreen {
    Q_OBJECT
public:
    TfrmFamily(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);
    void Ref();
    QLineEdit* nameField() const { return name_; }
    QLineEdit* relationField() const { return relation_; }
    DateEdit* birthdayPicker() const { return birthday_->picker(); }
    QLineEdit* birthdayText() const { return birthday_->storedText(); }
    QMenu* contextMenu() const { return menu_; }
    void viewFundFlow();
    void editPinyin();

protected:
    void showRow(int row) override;
    void onAdd() override;
    void onChange() override;
    void onSave() override;
    void onCancel() override;
    void onDelete() override;

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    FamilyModel model_;
    QLineEdit* name_;
    QLineEdit* relation_;
    BirthdayField* birthday_;
    QLineEdit* remark_;
    QMenu* menu_;
    std::string oldName_;
    std::int64_t editedId_ = 0;
};

}  // namespace fennory::ui
