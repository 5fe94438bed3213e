#include "core/ui/inputs.h"

#include <QMdiSubWindow>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "core/gbk.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

GbkLimitValidator::GbkLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State GbkLimitValidator::validate(QString& input, int&) const {
    return gbk::byteLength(input.toStdString()) <= maxBytes_ ? Acceptable : Invalid;
}

void GbkLimitValidator::fixup(QString& input) const {
    input = QString::fromStdString(gbk::cutToBytes(input.toStdString(), maxBytes_));
}

void limitGbk(QLineEdit* edit, std::size_t maxBytes) {
    edit->setValidator(new GbkLimitValidator(maxBytes, edit));
}

NameCombo::NameCombo(QWidget* parent, std::size_t maxBytes) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // the type-ahead does the completing
    limitGbk(lineEdit(), maxBytes);
    connect(lineEdit(), &QLineEdit::textEdited, this, &NameCombo::onEdited);
}

void NameCombo::setNames(const std::vector<std::string>& names) {
    clear();
    for (const auto& n : names) {
        addItem(QString::fromStdString(n));
    }
    setCurrentIndex(-1);
    clearEditText();
}

std::string NameCombo::name() const {
    return currentText().trimmed().toStdString();
}

void NameCombo::setName(const std::string& name) {
    int i = findText(QString::fromStdString(name));
    if (i >= 0) {
        setCurrentIndex(i);
    } else {
        setCurrentIndex(-1);
        setEditText(QString::fromStdString(name));
    }
}

void NameCombo::onEdited(const QString& text) {
    if (completing_ || !typeAhead_) {
        return;
    }
    if (auto full = typeAhead_(text.toStdString())) {
        QString q = QString::fromStdString(*full);
        if (q != text) {
            completing_ = true;
            setName(*full);
            // What completes the typed text stays selected, so that typing
            // on replaces it instead of being added after the full name.
            const int typed =
                q.startsWith(text, Qt::CaseInsensitive) ? static_cast<int>(text.size()) : 0;
            lineEdit()->setSelection(typed, static_cast<int>(q.size()) - typed);
            completing_ = false;
        }
    }
}

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent) {
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setCalendarPopup(true);
    setDate(QDate::currentDate());
}

std::string DateEdit::dateText() const {
    return date().toString(Qt::ISODate).toStdString();
}

void DateEdit::setDateText(const std::string& d) {
    QDate q = QDate::fromString(QString::fromStdString(d), Qt::ISODate);
    if (q.isValid()) {
        setDate(q);
    }
}

BirthdayField::BirthdayField(QWidget* parent)
    : QWidget(parent),
      stack_(new QStackedWidget(this)),
      text_(new QLineEdit),
      picker_(new DateEdit) {
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(stack_);
    text_->setReadOnly(true);
    // The earliest date stands for "no date set" and shows as blank.
    picker_->setMinimumDate(QDate(1900, 1, 1));
    picker_->setSpecialValueText(QStringLiteral(" "));
    picker_->setDateText("1980-01-01");
    connect(picker_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (d != picker_->minimumDate()) {
            lastPicked_ = picker_->dateText();
        }
    });
    stack_->addWidget(text_);
    stack_->addWidget(picker_);
}

void BirthdayField::showStored(const QString& text) {
    text_->setText(text);
}

void BirthdayField::startEditing() {
    if (picker_->date() == picker_->minimumDate()) {
        picker_->setDateText(lastPicked_);
    }
    stack_->setCurrentWidget(picker_);
}

void BirthdayField::startEditing(const QString& stored) {
    if (stored.isEmpty()) {
        // Shown blank through the special value text: no date is set.
        picker_->setDate(picker_->minimumDate());
    } else {
        picker_->setDateText(ss(stored));
    }
    stack_->setCurrentWidget(picker_);
}

std::string BirthdayField::dateText() const {
    if (picker_->date() == picker_->minimumDate()) {
        return {};
    }
    return picker_->dateText();
}

void BirthdayField::stopEditing() {
    stack_->setCurrentWidget(text_);
}

MoneyEdit::MoneyEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^-?[0-9]*\\.?[0-9]{0,4}$")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void fillNames(QComboBox* c, const std::vector<std::string>& names, const std::string& chosen) {
    c->clear();
    for (const auto& n : names) {
        c->addItem(QString::fromStdString(n));
    }
    int i = c->findText(QString::fromStdString(chosen));
    if (i < 0 && !chosen.empty()) {
        c->addItem(QString::fromStdString(chosen));
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

QHBoxLayout* saveExitRow(QDialog* dialog, QPushButton* save) {
    auto* exit = new QPushButton(QStringLiteral("退出"));
    save->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(save);
    row->addWidget(exit);
    QObject::connect(exit, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

CriteriaBox::CriteriaBox(const QString& caption, QWidget* input, QWidget* parent)
    : CriteriaBox(caption, input, {input}, parent) {}

CriteriaBox::CriteriaBox(const QString& caption, QWidget* input,
                         std::initializer_list<QWidget*> watched, QWidget* parent)
    : QWidget(parent), box_(new QCheckBox(caption, this)), input_(input) {
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(box_);
    lay->addWidget(input_, 1);
    for (QWidget* w : watched) {
        watch(w);
    }
}

void CriteriaBox::watch(QWidget* control) {
    auto tick = [this] { box_->setChecked(true); };
    if (auto* e = qobject_cast<QLineEdit*>(control)) {
        connect(e, &QLineEdit::textEdited, this, tick);
    } else if (auto* c = qobject_cast<QComboBox*>(control)) {
        // What the user picks or types, not what a screen fills in.
        connect(c, &QComboBox::activated, this, tick);
        if (c->lineEdit()) {
            connect(c->lineEdit(), &QLineEdit::textEdited, this, tick);
        }
    } else if (auto* d = qobject_cast<QDateEdit*>(control)) {
        connect(d, &QDateEdit::dateChanged, this, tick);
    }
}

QWidget* dateRange(DateEdit* from, DateEdit* to) {
    auto* range = new QWidget;
    auto* r = new QHBoxLayout(range);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(from);
    r->addWidget(new QLabel(QStringLiteral("至：")));
    r->addWidget(to);
    r->addStretch(1);
    return range;
}

void closeScreen(QWidget* screen) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) {
        sub->close();
    } else {
        screen->close();
    }
}

QPushButton* screenExitButton(QWidget* screen, const QString& caption) {
    auto* b = new QPushButton(caption);
    QObject::connect(b, &QPushButton::clicked, screen, [screen] { closeScreen(screen); });
    return b;
}

}  // namespace fennory::ui
