#include "reference/ui/editor_dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/ui/inputs.h"
#include "reference/editors.h"

namespace fennory::ui {
namespace {

QPushButton* layoutEditor(QDialog* d, const QString& group, const QString& label,
                          QLineEdit* field) {
    auto* box = new QGroupBox(group, d);
    auto* form = new QFormLayout(box);
    form->addRow(label, field);
    auto* save = new QPushButton(QStringLiteral("修改"), d);
    save->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save);
    auto* outer = new QVBoxLayout(d);
    outer->addWidget(box);
    outer->addLayout(row);
    return save;
}

}  // namespace

TfrmJZCS::TfrmJZCS(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
                   const QString& caption, std::int64_t count, std::function<void()> saved,
                   QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      table_(std::move(table)),
      id_(id),
      saved_(std::move(saved)),
      count_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("修改记账次数"));
    count_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^[0-9]{0,6}$")), count_));
    count_->setText(QString::number(count));
    save_ = layoutEditor(this, caption, QStringLiteral("记账次数："), count_);
    connect(save_, &QPushButton::clicked, this, [this] {
        CheckResult r = saveUseCount(dm_, table_, id_, ss(count_->text()));
        if (!r.ok) {
            prompter_.warn(qs(r.message));
            count_->setFocus();
            return;
        }
        if (saved_) {
            saved_();
        }
        accept();
    });
}

TfrmPY::TfrmPY(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
               const QString& caption, const QString& code, std::function<void()> saved,
               QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      table_(std::move(table)),
      id_(id),
      saved_(std::move(saved)),
      code_(new QLineEdit(this)) {
    setWindowTitle(caption);
    limitGbk(code_, 20);
    code_->setText(code);
    save_ = layoutEditor(this, caption, QStringLiteral("拼  音  码："), code_);
    connect(save_, &QPushButton::clicked, this, [this] {
        CheckResult r = savePinyin(dm_, table_, id_, ss(code_->text()));
        if (!r.ok) {
            prompter_.warn(qs(r.message));
            code_->setFocus();
            return;
        }
        if (saved_) {
            saved_();
        }
        accept();
    });
}

}  // namespace fennory::ui
