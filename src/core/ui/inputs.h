#pragma once
// The entry controls every screen uses: text with a GBK byte limit, the
// editable name drop-down with type-ahead, dates, amounts and criteria.

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringListModel>
#include <QValidator>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fennory::ui {

// A widget named for what it is, so that tests and presets find it by name.
template <class W>
W* withName(const char* name, W* widget) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Refuses an edit that would make the text longer than its GBK byte limit, so
// a name longer than the limit cannot be typed.
class GbkLimitValidator : public QValidator {
public:
    GbkLimitValidator(std::size_t maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    std::size_t maxBytes() const { return maxBytes_; }

private:
    std::size_t maxBytes_;
};

// A plain text field limited to maxBytes of GBK text.
void limitGbk(QLineEdit* edit, std::size_t maxBytes);

// The line of a name drop-down. While a completion is shown (the rest of a
// name selected after what was typed), the next letter refines what the user
// typed instead of replacing the completion.
class NameLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    // A letter (or a committed input-method text) typed over a completion.
    void typedOverCompletion(const QString& text);
    // Backspace or Delete over a completion: it is taken away.
    void completionRefused();
    // The user moved on inside the line: the completion is kept as text.
    void completionKept();

public:
    bool completionShown = false;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// The editable drop-down of names with the pinyin type-ahead. What the user
// typed is the search; each further letter refines it. One match fills in the
// whole name (the rest selected); several show in the list, to be picked with
// the arrow keys; none leaves the typed text as it is.
class NameCombo : public QComboBox {
    Q_OBJECT
public:
    // The names in use that match a typed text (by name or pinyin code).
    using TypeAhead = std::function<std::vector<std::string>(const std::string&)>;
    explicit NameCombo(QWidget* parent = nullptr, std::size_t maxBytes = 20);

    void setNames(const std::vector<std::string>& names);
    void setTypeAhead(TypeAhead typeAhead) { typeAhead_ = std::move(typeAhead); }
    std::string name() const;
    void setName(const std::string& name);
    // What the user typed, without a completion.
    QString typedText() const { return typed_; }
    // The list of matches shown while typing.
    QCompleter* matchList() const { return matches_; }

private:
    void search(const QString& typed, bool fromEdit);
    NameLineEdit* line_;
    QCompleter* matches_;
    QStringListModel* matchModel_;
    TypeAhead typeAhead_;
    QString typed_;
    QString completion_;  // the name last filled in
};

// A date picker that reads and writes "yyyy-mm-dd".
class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);
    std::string dateText() const;
    void setDateText(const std::string& date);
};

// A birthday: the stored text while browsing, a date picker while entering.
// For a new member the picker starts at 1980-01-01 and then keeps the date last
// picked; a change starts at the member's own birthday, or at "no date".
class BirthdayField : public QWidget {
    Q_OBJECT
public:
    explicit BirthdayField(QWidget* parent = nullptr);
    void showStored(const QString& text);      // browsing
    void startEditing();                       // a new member: the date last picked
    void startEditing(const QString& stored);  // a change: the stored date, or none
    void stopEditing();
    // The picked date, or "" when none is set.
    std::string dateText() const;
    DateEdit* picker() const { return picker_; }
    QLineEdit* storedText() const { return text_; }

private:
    QStackedWidget* stack_;
    QLineEdit* text_;
    DateEdit* picker_;
    std::string lastPicked_ = "1980-01-01";
};

// An amount field: only the characters a number can hold.
class MoneyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget* parent = nullptr);
};

// Fills a drop-down with names and chooses one, adding it when missing; an
// empty choice leaves nothing chosen.
void fillNames(QComboBox* c, const std::vector<std::string>& names, const std::string& chosen);
// A pick-only list of fixed captions, the first chosen.
QComboBox* pickList(const std::vector<std::string>& items);

// A titled group of labelled fields, as a small dialog shows what it edits.
// More rows go into its form layout.
struct FieldRow {
    QString label;
    QWidget* field;
};
QGroupBox* fieldGroup(const QString& title, std::initializer_list<FieldRow> rows);

// The button row of a small dialog: the default button (its save), then "退出",
// which closes the dialog.
QHBoxLayout* saveExitRow(QDialog* dialog, QPushButton* save);

// The button Enter runs on a screen that is not a dialog (where a push
// button's own default does nothing): Enter anywhere in the screen that no
// field takes for itself clicks it, when it is enabled.
void setScreenDefault(QWidget* screen, QPushButton* button);

// Two date pickers of a period side by side: "from 至：to".
QWidget* dateRange(DateEdit* from, DateEdit* to);

// "退出" of a screen: it closes the frame the main window shows it in, or the
// screen itself when it stands alone.
QPushButton* screenExitButton(QWidget* screen, const QString& caption = QStringLiteral("退出"));
void closeScreen(QWidget* screen);

// A tick box beside an input; the user changing the input ticks it. An input
// made of several controls (a date range) names the controls to watch.
class CriteriaBox : public QWidget {
    Q_OBJECT
public:
    CriteriaBox(const QString& caption, QWidget* input, QWidget* parent = nullptr);
    CriteriaBox(const QString& caption, QWidget* input, std::initializer_list<QWidget*> watched,
                QWidget* parent = nullptr);
    bool isTicked() const { return box_->isChecked(); }
    void setTicked(bool on) { box_->setChecked(on); }
    QCheckBox* box() const { return box_; }
    QWidget* input() const { return input_; }

private:
    void watch(QWidget* control);
    QCheckBox* box_;
    QWidget* input_;
};

}  // namespace fennory::ui
