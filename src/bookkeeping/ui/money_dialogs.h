#pragma once
// The dialogs the loan and investment screens share: one that moves money for
// the current record (a repayment, a collection, an adjustment), and one that
// lists a record's movements, with "删除 &D" where they can be deleted.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include <functional>

#include "bookkeeping/loans.h"
#include "core/ui/inputs.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

struct MoveForm {
    QString caption;  // the window and its lower group
    QString dateLabel = QStringLiteral("日        期：");
    QString amountLabel = QStringLiteral("金        额：");
    QString saveCaption = QStringLiteral("保存");
    // The record as it stands, read-only above the form (adjustments only).
    QString shownTitle;
    std::vector<std::pair<QString, std::string>> shown;
    std::string date, amount, account, member;  // presets
};

class MoneyMoveDialog : public QDialog {
    Q_OBJECT
public:
    using Submit = std::function<RepayCheck(const RepayInput&)>;
    MoneyMoveDialog(TfrmDM& dm, Prompter& prompter, const MoveForm& form, Submit submit,
                    QWidget* parent = nullptr);

private:
    Prompter& prompter_;
    Submit submit_;
    DateEdit* date_;
    MoneyEdit* amount_;
    QComboBox* account_;
    QComboBox* member_;
    QLineEdit* remark_;
    QPushButton* save_;
};

// Opens the dialog; true when the money was moved.
bool moveMoney(TfrmDM& dm, Prompter& prompter, const MoveForm& form, MoneyMoveDialog::Submit submit,
               QWidget* parent);

// The form that raises or lowers a record's amount: `caption` names what is
// raised ("投资金额"), `head` the record's own first rows; its account, member
// and remark follow them.
MoveForm adjustmentForm(Adjustment how, const QString& caption, const QString& shownTitle,
                        std::vector<std::pair<QString, std::string>> head, const std::string& date,
                        const std::string& account, const std::string& member,
                        const std::string& remark);

// Raises or lowers the current record of a loan or investment screen, whose
// columns name its account, member and remark; true when it was saved.
template <class Column, class Model>
bool adjustCurrent(TfrmDM& dm, Prompter& prompter, Model& model, Adjustment how,
                   const QString& caption, const QString& shownTitle,
                   std::vector<std::pair<QString, std::string>> head, QWidget* parent) {
    const MoveForm form = adjustmentForm(how, caption, shownTitle, std::move(head),
                                         model.initialFilter().to(), model.text(Column::Account),
                                         model.text(Column::Member), model.text(Column::Remark));
    return moveMoney(
        dm, prompter, form, [&model, how](const RepayInput& in) { return model.adjust(how, in); },
        parent);
}

class RecordsDialog : public QDialog {
    Q_OBJECT
public:
    // `remove` empty: the records are only shown.
    RecordsDialog(const QString& caption, std::function<Table()> load,
                  std::function<void(std::int64_t)> remove, Prompter& prompter,
                  QWidget* parent = nullptr);
    void deleteCurrent();

private:
    void reload();
    std::function<Table()> load_;
    std::function<void(std::int64_t)> remove_;
    Prompter& prompter_;
    RecordGrid* grid_;
};

}  // namespace fennory::ui
