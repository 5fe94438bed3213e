#include "books/ui/new_book_dialogs.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "books/ui/open_book_dialog.h"
#include "books/ui/wizard_steps.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

NewBookFields::NewBookFields(QWidget* parent)
    : QGroupBox(QStringLiteral("新账簿信息"), parent),
      count_(new QLabel(this)),
      name_(new QLineEdit(this)),
      password_(withName("password", new QLineEdit(this))),
      confirm_(withName("confirm", new QLineEdit(this))),
      description_(new QLineEdit(this)) {
    limitGbk(name_, limits::kName);
    limitGbk(password_, limits::kName);
    limitGbk(confirm_, limits::kName);
    limitGbk(description_, limits::kBookDescription);
    maskWithAtSigns(password_);
    maskWithAtSigns(confirm_);
    auto* grid = new QGridLayout(this);
    auto hint = [this](const char* text) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setStyleSheet(QStringLiteral("color: gray;"));
        return l;
    };
    grid->addWidget(new QLabel(QStringLiteral("目前账簿数："), this), 0, 0);
    grid->addWidget(count_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("账簿名称："), this), 1, 0);
    grid->addWidget(name_, 1, 1);
    grid->addWidget(hint("第一次使用的时候需要新建账簿。"), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("新  密  码："), this), 2, 0);
    grid->addWidget(password_, 2, 1);
    grid->addWidget(hint("录入账簿的密码。"), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("确认密码："), this), 3, 0);
    grid->addWidget(confirm_, 3, 1);
    grid->addWidget(hint("再输入一次确认密码。"), 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("描        述："), this), 4, 0);
    grid->addWidget(description_, 4, 1, 1, 2);
}

void NewBookFields::setBookNum(const BookNum& n) {
    count_->setText(QString::number(n.count));
    name_->setText(qs(n.proposedName));
}

NewBookInput NewBookFields::input() const {
    NewBookInput in;
    in.name = ss(name_->text());
    in.password = ss(password_->text());
    in.confirm = ss(confirm_->text());
    in.description = ss(description_->text());
    return in;
}

void NewBookFields::focusField(BookField f) {
    QLineEdit* e = f == BookField::Confirm    ? confirm_
                   : f == BookField::Password ? password_
                                              : name_;
    e->setFocus();
    e->selectAll();
}

// ---- TfrmNewBook ----

TfrmNewBook::TfrmNewBook(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      host_(host),
      fields_(withName("fields", new NewBookFields(this))),
      next_(new QPushButton(QStringLiteral("下一步"), this)) {
    setWindowTitle(QStringLiteral("新建账簿"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fields_);
    auto* ticks = new QHBoxLayout;
    const char* captions[3] = {"默认收入类别", "默认支出类别", "默认投资类别"};
    for (int i = 0; i < 3; ++i) {
        defaults_[static_cast<std::size_t>(i)] =
            new QCheckBox(QString::fromUtf8(captions[i]), this);
        defaults_[static_cast<std::size_t>(i)]->setChecked(true);
        ticks->addWidget(defaults_[static_cast<std::size_t>(i)]);
    }
    outer->addLayout(ticks);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(next_);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    next_->setDefault(true);
    fields_->setBookNum(myBookNum(dm_.db()));
    connect(next_, &QPushButton::clicked, this, guarded(this, &TfrmNewBook::onNext));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmNewBook::onNext() {
    NewBookInput in = fields_->input();
    in.defaultIncome = defaults_[0]->isChecked();
    in.defaultExpense = defaults_[1]->isChecked();
    in.defaultInvestment = defaults_[2]->isChecked();
    BookCheck r = createFirstBook(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        fields_->focusField(r.field);
        return;
    }
    fields_->setBookNum(myBookNum(dm_.db()));
    // Each page of the wizard leaves the screen before the next appears.
    hide();
    TfrmNewF members(dm_, prompter_, host_, parentWidget());
    members.exec();
    accept();
}

// ---- TfrmNewBook1 ----

TfrmNewBook1::TfrmNewBook1(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      host_(host),
      fields_(withName("fields", new NewBookFields(this))),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存"), this))) {
    setWindowTitle(QStringLiteral("新建账簿"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fields_);
    auto* groupsGrid = new QGridLayout;
    struct GroupCaptions {
        const char* title;
        const char* defaultCaption;
    };
    const GroupCaptions captions[kCopyGroupCount] = {{"收入类别信息", "默认收入类别"},
                                                     {"支出类别信息", "默认支出类别"},
                                                     {"投资类别信息", "默认投资类别"},
                                                     {"家庭成员信息", nullptr},
                                                     {"账户信息", nullptr},
                                                     {"往来人员信息", nullptr}};
    std::vector<std::string> books = dm_.DBComSBook();
    auto defaults = defaultCopySources();
    for (int g = 0; g < kCopyGroupCount; ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(captions[g].title), this);
        auto* lay = new QHBoxLayout(box);
        Group& gr = groups_[static_cast<std::size_t>(g)];
        gr.fromBook = new QRadioButton(QStringLiteral("账簿名称"), box);
        gr.book = new QComboBox(box);
        for (const auto& b : books) {
            gr.book->addItem(qs(b));
        }
        gr.book->setCurrentIndex(-1);
        gr.book->setMinimumWidth(110);
        lay->addWidget(gr.fromBook);
        lay->addWidget(gr.book);
        if (captions[g].defaultCaption) {
            gr.defaults = new QRadioButton(QString::fromUtf8(captions[g].defaultCaption), box);
            lay->addWidget(gr.defaults);
        }
        gr.empty = new QRadioButton(QStringLiteral("空"), box);
        lay->addWidget(gr.empty);
        (defaults[static_cast<std::size_t>(g)].choice == CopyChoice::Default ? gr.defaults
                                                                             : gr.empty)
            ->setChecked(true);
        QRadioButton* from = gr.fromBook;
        connect(gr.book, &QComboBox::activated, from, guarded([from] { from->setChecked(true); }));
        groupsGrid->addWidget(box, g / 2, g % 2);
    }
    outer->addLayout(groupsGrid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(save_);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    fields_->setBookNum(myBookNum(dm_.db()));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmNewBook1::onSave));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* TfrmNewBook1::choice(int group, CopyChoice c) const {
    const Group& g = groups_[static_cast<std::size_t>(group)];
    return c == CopyChoice::FromBook ? g.fromBook : c == CopyChoice::Default ? g.defaults : g.empty;
}

void TfrmNewBook1::onSave() {
    NewBook1Input in;
    in.book = fields_->input();
    for (int g = 0; g < kCopyGroupCount; ++g) {
        const Group& gr = groups_[static_cast<std::size_t>(g)];
        CopySource& src = in.groups[static_cast<std::size_t>(g)];
        if (gr.fromBook->isChecked()) {
            src = {CopyChoice::FromBook, ss(gr.book->currentText())};
        } else if (gr.defaults && gr.defaults->isChecked()) {
            src = {CopyChoice::Default, ""};
        } else {
            src = {CopyChoice::Empty, ""};
        }
    }
    BookCheck r = createBookWithCopies(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        for (int g = 0; g < kCopyGroupCount; ++g) {
            if (r.field == copyGroupField(g)) {
                groups_[static_cast<std::size_t>(g)].book->setFocus();
                return;
            }
        }
        fields_->focusField(r.field);
        return;
    }
    hide();
    TfrmOpenBook open(dm_, prompter_, host_, parentWidget(), in.book.name);
    open.exec();
    accept();
}

}  // namespace fennory::ui
