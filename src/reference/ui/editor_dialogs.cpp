#include "reference/ui/editor_dialogs.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/inputs.h"
#include "reference/editors.h"

namespace fennory::ui {

RowEditorDialog::RowEditorDialog(Prompter& prompter, const QString& title, const QString& group,
                                 const QString& label, const QString& value, Store store,
                                 std::function<void()> saved, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      store_(std::move(store)),
      saved_(std::move(saved)),
      field_(withName("field", new QLineEdit(value, this))),
      save_(withName("saveButton", new QPushButton(QStringLiteral("修改"), this))) {
    setWindowTitle(title);
    auto* box = new QGroupBox(group, this);
    auto* form = new QFormLayout(box);
    form->addRow(label, field_);
    save_->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save_);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(box);
    outer->addLayout(row);
    connect(save_, &QPushButton::clicked, this, guarded([this] {
                CheckResult r = store_(ss(field_->text()));
                if (!r.ok) {
                    prompter_.warn(qs(r.message));
                    field_->setFocus();
                    return;
                }
                if (saved_) {
                    saved_();
                }
                accept();
            }));
}

TfrmJZCS::TfrmJZCS(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
                   const QString& caption, std::int64_t count, std::function<void()> saved,
                   QWidget* parent)
    : RowEditorDialog(
          prompter, QStringLiteral("修改记账次数"), caption, QStringLiteral("记账次数："),
          QString::number(count),
          [&dm, table, id](const std::string& typed) { return saveUseCount(dm, table, id, typed); },
          std::move(saved), parent) {
    // Digits only, at most six of them.
    field()->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^[0-9]{0,6}$")), field()));
}

TfrmPY::TfrmPY(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
               const QString& caption, const QString& code, std::function<void()> saved,
               QWidget* parent)
    : RowEditorDialog(
          prompter, caption, caption, QStringLiteral("拼  音  码："), code,
          [&dm, table, id](const std::string& typed) { return savePinyin(dm, table, id, typed); },
          std::move(saved), parent) {
    limitGbk(field(), limits::kName);
}

void openUseCountEditor(TfrmDM& dm, Prompter& prompter, const NameRow& row,
                        std::function<void()> saved, QWidget* parent) {
    TfrmJZCS d(dm, prompter, row.table, row.id, qs(row.name) + QStringLiteral(" 的记账次数"),
               row.count.empty() ? 0 : std::stoll(row.count), std::move(saved), parent);
    d.exec();
}

void openPinyinEditor(TfrmDM& dm, Prompter& prompter, const NameRow& row,
                      std::function<void()> saved, QWidget* parent) {
    TfrmPY d(dm, prompter, row.table, row.id, qs(row.name) + QStringLiteral(" 拼音码 修改"),
             qs(row.pinyin), std::move(saved), parent);
    d.exec();
}

}  // namespace fennory::ui
