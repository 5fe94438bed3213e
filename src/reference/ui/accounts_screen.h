#pragma once
// TfrmA_Manage "账户管理", with TfrmA_M "修改账户" and TfrmA_TZ "调整账户余额".

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "core/data_module.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/accounts.h"
#include "reports/ui/export.h"

namespace fennory::ui {

class TfrmA_Manage : public RecordScreen {
    Q_OBJECT
public:
    TfrmA_Manage(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr);

    void Ref();
    QComboBox* typeField() const { return type_; }
    QComboBox* memberField() const { return member_; }
    QLineEdit* nameField() const { return name_; }
    MoneyEdit* balanceField() const { return balance_; }
    QLineEdit* remarkField() const { return remark_; }
    QMenu* contextMenu() const { return menu_; }
    QAction* menuAction(const QString& caption) const;

    void viewFundFlow();
    void setState(const std::string& state);
    void editPinyin();
    void editUseCount();
    void adjustBalance();
    void editAccount();

protected:
    void showRow(int row) override;
    void onAdd() override;
    void onSave() override;
    void onDelete() override;

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;
    AccountsModel model_;
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    MoneyEdit* balance_;
    QLineEdit* remark_;
    QMenu* menu_;
};

class TfrmA_M : public QDialog {
    Q_OBJECT
public:
    TfrmA_M(TfrmDM& dm, Prompter& prompter, const AccountsModel::Edit& current,
            QWidget* parent = nullptr);
    QComboBox* typeField() const { return type_; }
    QComboBox* memberField() const { return member_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* remarkField() const { return remark_; }
    QPushButton* saveButton() const { return save_; }

private:
    void onSave();
    Prompter& prompter_;
    AccountsModel model_;
    AccountsModel::Edit current_;
    QComboBox* type_;
    QComboBox* member_;
    QLineEdit* name_;
    QLineEdit* remark_;
    QPushButton* save_;
};

class TfrmA_TZ : public QDialog {
    Q_OBJECT
public:
    struct Shown {
        std::int64_t id = 0;
        std::string type, member, name, balance, remark;
    };
    TfrmA_TZ(TfrmDM& dm, Prompter& prompter, const Shown& account, QWidget* parent = nullptr);
    QLineEdit* realField() const { return real_; }
    QPushButton* saveButton() const { return save_; }

private:
    void onSave();
    Prompter& prompter_;
    AccountsModel model_;
    Shown account_;
    QLineEdit* real_;
    QPushButton* save_;
};

}  // namespace fennory::ui
