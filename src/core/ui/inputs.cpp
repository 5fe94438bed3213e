#include "core/ui/inputs.h"

#include <QMdiSubWindow>

#include <QAbstractItemView>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "core/gbk.h"
#include "core/ui/guard.h"
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

void NameLineEdit::keyPressEvent(QKeyEvent* e) {
    if (completionShown) {
        const bool plain =
            !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const QString text = e->text();
        if (plain && !text.isEmpty() && text.at(0).isPrint()) {
            e->accept();
            emit typedOverCompletion(text);
            return;
        }
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            e->accept();
            emit completionRefused();
            return;
        }
        if (e->key() != Qt::Key_Shift && e->key() != Qt::Key_Control && e->key() != Qt::Key_Alt) {
            completionShown = false;
            emit completionKept();
        }
    }
    QLineEdit::keyPressEvent(e);
}

void NameLineEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (completionShown && !e->commitString().isEmpty() && e->preeditString().isEmpty()) {
        e->accept();
        emit typedOverCompletion(e->commitString());
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void NameLineEdit::mousePressEvent(QMouseEvent* e) {
    if (completionShown) {
        completionShown = false;
        emit completionKept();
    }
    QLineEdit::mousePressEvent(e);
}

void NameLineEdit::focusOutEvent(QFocusEvent* e) {
    // The list of matches taking the keys is not the user leaving the field.
    if (completionShown && e->reason() != Qt::PopupFocusReason) {
        completionShown = false;
        emit completionKept();
    }
    QLineEdit::focusOutEvent(e);
}

NameCombo::NameCombo(QWidget* parent, std::size_t maxBytes)
    : QComboBox(parent),
      line_(new NameLineEdit(this)),
      matches_(new QCompleter(this)),
      matchModel_(new QStringListModel(this)) {
    setEditable(true);
    setLineEdit(line_);
    setInsertPolicy(QComboBox::NoInsert);
    limitGbk(line_, maxBytes);
    // The list shows exactly the matches the type-ahead found (by pinyin code
    // too), so the completer must not filter them again by prefix.
    matches_->setModel(matchModel_);
    matches_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    matches_->setCaseSensitivity(Qt::CaseInsensitive);
    matches_->setWidget(line_);
    line_->setCompleter(matches_);
    // Whatever else sets the text (a screen showing a record, a clear) ends
    // the completion shown.
    // The line reports the key's own text after the completion replaced it,
    // so the line's present text is what counts.
    connect(line_, &QLineEdit::textChanged, this, guarded([this] {
                if (line_->text() != completion_) {
                    line_->completionShown = false;
                }
            }));
    connect(line_, &QLineEdit::textEdited, this, guarded([this](const QString& text) {
                typed_ = text;
                search(text, true);
            }));
    connect(line_, &NameLineEdit::typedOverCompletion, this, guarded([this](const QString& more) {
                QString typed = typed_ + more;
                // The byte limit holds for what is typed as for what is shown.
                int pos = static_cast<int>(typed.size());
                if (line_->validator() &&
                    line_->validator()->validate(typed, pos) == QValidator::Invalid) {
                    return;
                }
                typed_ = typed;
                line_->completionShown = false;
                line_->setText(typed_);
                search(typed_, false);
            }));
    connect(line_, &NameLineEdit::completionRefused, this, guarded([this] {
                line_->completionShown = false;
                line_->setText(typed_);
            }));
    connect(line_, &NameLineEdit::completionKept, this,
            guarded([this] { typed_ = line_->text(); }));
    connect(matches_, qOverload<const QString&>(&QCompleter::activated), this,
            guarded([this](const QString& picked) {
                typed_ = picked;
                line_->completionShown = false;
                setName(ss(picked));
                emit activated(currentIndex());
            }));
}

void NameCombo::search(const QString& typed, bool fromEdit) {
    QStringList found;
    if (typeAhead_ && !typed.isEmpty()) {
        for (const std::string& n : typeAhead_(ss(typed))) {
            found << qs(n);
        }
    }
    // Two or more matches are listed to pick from; one is filled in.
    matchModel_->setStringList(found.size() > 1 ? found : QStringList());
    if (found.size() == 1 && found.front() != typed) {
        const QString full = found.front();
        const QString keep = typed_;
        setName(ss(full));
        typed_ = keep;
        // What completes the typed text stays selected; when the name does not
        // begin with it (a pinyin code), the whole name is.
        const int from =
            full.startsWith(typed, Qt::CaseInsensitive) ? static_cast<int>(typed.size()) : 0;
        line_->setSelection(from, static_cast<int>(full.size()) - from);
        line_->completionShown = true;
        completion_ = full;
    }
    if (!fromEdit) {
        // An edit of the line opens the list itself once this returns.
        if (found.size() > 1) {
            matches_->complete();
        } else if (matches_->popup()->isVisible()) {
            matches_->popup()->hide();
        }
    }
}

void NameCombo::setNames(const std::vector<std::string>& names) {
    clear();
    for (const auto& n : names) {
        addItem(QString::fromStdString(n));
    }
    setCurrentIndex(-1);
    clearEditText();
    typed_.clear();
    line_->completionShown = false;
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
    typed_.clear();
    line_->completionShown = false;
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
    connect(picker_, &QDateEdit::dateChanged, this, guarded([this](const QDate& d) {
                if (d != picker_->minimumDate()) {
                    lastPicked_ = picker_->dateText();
                }
            }));
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
        QRegularExpression(QStringLiteral("^-?[0-9]*\\.?[0-9]*$")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QComboBox* pickList(const std::vector<std::string>& items) {
    auto* c = new QComboBox;
    fillNames(c, items, items.empty() ? std::string() : items.front());
    return c;
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

}  // namespace fennory::ui
