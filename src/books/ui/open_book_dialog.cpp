#include "books/ui/open_book_dialog.h"
#include "core/field_limits.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/main_texts.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

void maskWithAtSigns(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 64;"));
}

namespace {

// In place of the vendor's page: the product name on the program's green.
QLabel* productBanner(QWidget* parent) {
    auto* banner = new QLabel(qs(std::string(kProductName)), parent);
    banner->setFixedHeight(72);
    banner->setMinimumWidth(280);
    banner->setAlignment(Qt::AlignCenter);
    QFont bf = banner->font();
    bf.setPixelSize(22);
    bf.setBold(true);
    banner->setFont(bf);
    banner->setStyleSheet(QStringLiteral("background:#2e7d5b; color:white;"));
    return banner;
}

}  // namespace

TfrmOpenBook::TfrmOpenBook(TfrmDM& dm, Prompter& prompter, BookHost& host, QWidget* parent,
                           const std::string& offered)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      host_(host),
      books_(withName("bookList", new QComboBox(this))),
      password_(withName("passwordField", new QLineEdit(this))),
      rememberBook_(withName("rememberBook", new QCheckBox(QStringLiteral("记住账簿"), this))),
      rememberPassword_(
          withName("rememberPassword", new QCheckBox(QStringLiteral("记住密码"), this))),
      open_(withName("openButton", new QPushButton(QStringLiteral("打开"), this))),
      exit_(withName("exitButton", new QPushButton(QStringLiteral("退出"), this))) {
    setWindowTitle(QStringLiteral("打开账簿"));
    // 280 wide at the least, wider where the font needs it: a book name of
    // ten Chinese characters shows whole.
    books_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(10, QChar(0x8D26))) +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16);

    QLabel* banner = productBanner(this);

    auto* group = fieldGroup(
        QStringLiteral("软件登录"),
        {{QStringLiteral("账簿名称："), books_}, {QStringLiteral("密        码："), password_}});
    auto* form = static_cast<QFormLayout*>(group->layout());
    maskWithAtSigns(password_);
    limitGbk(password_, limits::kName);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(rememberBook_);
    ticks->addWidget(rememberPassword_);
    form->addRow(ticks);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(open_);
    buttons->addWidget(exit_);
    form->addRow(buttons);
    open_->setDefault(true);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(0, 0, 0, 8);
    outer->addWidget(banner);
    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(8, 0, 8, 0);
    inner->addWidget(group);
    outer->addLayout(inner);

    OpenDialogStart start = openDialogStart(dm_, offered);
    for (const auto& b : start.books) {
        books_->addItem(qs(b));
    }
    books_->setCurrentIndex(books_->findText(qs(start.book)));
    rememberBook_->setChecked(start.rememberBook);
    password_->setText(qs(start.password));
    rememberPassword_->setChecked(start.rememberPassword);

    connect(books_, &QComboBox::activated, this, guarded([this] {
                password_->clear();
                password_->setFocus();
            }));
    connect(rememberPassword_, &QCheckBox::toggled, this, guarded([this](bool on) {
                if (on) {
                    rememberBook_->setChecked(true);
                }
            }));
    connect(open_, &QPushButton::clicked, this, guarded(this, &TfrmOpenBook::onOpen));
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);

    QWidget* focus = start.focus == BookField::Open       ? static_cast<QWidget*>(open_)
                     : start.focus == BookField::Password ? static_cast<QWidget*>(password_)
                                                          : static_cast<QWidget*>(books_);
    QTimer::singleShot(0, focus, [focus] { focus->setFocus(); });
}

void TfrmOpenBook::onOpen() {
    OpenInput in{ss(books_->currentText()), ss(password_->text()), rememberBook_->isChecked(),
                 rememberPassword_->isChecked()};
    BookCheck r = openBook(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        (r.field == BookField::BookList ? static_cast<QWidget*>(books_) : password_)->setFocus();
        return;
    }
    host_.bookOpened();
    accept();
}

}  // namespace fennory::ui
