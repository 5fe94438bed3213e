// The first start on a fresh data file: wizard, members, accounts, the
// open-book dialog, then the main window of the new book.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "books/ui/new_book_dialogs.h"
#include "books/ui/open_book_dialog.h"
#include "books/ui/wizard_steps.h"
#include "core/data_module.h"
#include "core/database.h"
#include "modal.h"
#include "named.h"
#include "scripted_prompter.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class WizardFlow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstStartGoesThroughTheWizardToTheMainWindow();
    void startWithBooksShowsTheOpenDialogAndExitLeavesOnlyBookAndHelp();
    void wrongPasswordKeepsTheDialogOpen();
    void furtherBookRefusesAMissingSourceBook();
    void namesLongerThanTheLimitCannotBeTyped();
    void aFurtherBookJustCreatedIsOfferedAndOpens();

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;
    Session session_;
    std::unique_ptr<TfrmDM> dm_;
    testing::ScriptedPrompter prompter_;
};

void WizardFlow::init() {
    QVERIFY(dir_.isValid());
    QFile::remove(dir_.filePath("db.eac"));
    db_ = std::make_unique<Database>(Database::create(dir_.filePath("db.eac").toStdString()));
    session_ = Session{};
    session_.StartupDate = "2024-02-10";
    session_.ExeFolder = dir_.path().toStdString();
    dm_ = std::make_unique<TfrmDM>(*db_, session_);
    prompter_ = testing::ScriptedPrompter{};
}

void WizardFlow::cleanup() {
    dm_.reset();
    db_.reset();
}

static bool menuVisible(TfrmMain& w, const char* title) {
    QMenu* m = w.menu(QString::fromUtf8(title));
    return m && m->menuAction()->isVisible();
}

void WizardFlow::firstStartGoesThroughTheWizardToTheMainWindow() {
    TfrmMain window(*dm_, prompter_);
    registerScreens(window);
    window.setAskOnClose(false);
    testing::ModalScript script;
    script.then<TfrmNewBook>([&](TfrmNewBook& d) {
        QCOMPARE(named<NewBookFields>(d, "fields")->name()->text(), QStringLiteral("我家账簿"));
        QCOMPARE(named<NewBookFields>(d, "fields")->count()->text(), QStringLiteral("0"));
        // A mismatching confirmation is refused first, with its focus.
        named<QLineEdit>(d, "password")->setText("a'b");
        named<QLineEdit>(d, "confirm")->setText("x");
        d.nextButton()->click();
        QCOMPARE(prompter_.last(), QStringLiteral("新密码与确认密码不一致！"));
        QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SBook").value(), 0);
        named<QLineEdit>(d, "confirm")->setText("a'b");
        d.nextButton()->click();  // opens the members step
    });
    // Each page leaves the screen before the next appears.
    auto onlyVisibleDialog = [](QDialog& d) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != &d && qobject_cast<QDialog*>(w) && w->isVisible()) {
                return false;
            }
        }
        return true;
    };
    script.then<TfrmNewF>([&](TfrmNewF& d) {
        QVERIFY(onlyVisibleDialog(d));
        MemberStep* s = d.step();
        QVERIFY(!s->nextButton()->isEnabled());
        s->button(RecordScreen::kAdd)->click();
        QVERIFY(!s->button(RecordScreen::kAdd)->isEnabled());
        QVERIFY(!s->grid()->isEnabled());
        QCOMPARE(QString::fromStdString(s->birthdayPicker()->dateText()),
                 QStringLiteral("1980-01-01"));
        s->button(RecordScreen::kSave)->click();
        QCOMPARE(prompter_.last(), QStringLiteral("姓名不能为空！请重新录入！"));
        s->nameField()->setText("爸'爸");
        s->button(RecordScreen::kSave)->click();
        QVERIFY(s->nextButton()->isEnabled());
        QCOMPARE(s->grid()->tableModel()->rowCount(), 1);
        s->nextButton()->click();  // opens the accounts step
    });
    script.then<TfrmNewA>([&](TfrmNewA& d) {
        QVERIFY(onlyVisibleDialog(d));
        AccountStep* s = d.step();
        s->button(RecordScreen::kAdd)->click();
        QCOMPARE(s->amountField()->text(), QStringLiteral("0"));
        s->button(RecordScreen::kSave)->click();
        QCOMPARE(prompter_.last(), QStringLiteral("请选择 账户分类！"));
        QCOMPARE(named<QComboBox>(*s, "typeField")->count(), 5);
        named<QComboBox>(*s, "typeField")->setCurrentIndex(0);  // 现金
        s->memberField()->setCurrentIndex(0);
        s->nameField()->setText("钱包");
        s->amountField()->setText("-50.5");
        s->button(RecordScreen::kSave)->click();
        QCOMPARE(s->grid()->tableModel()->rowCount(), 1);
        s->finishButton()->click();  // opens the open-book dialog
    });
    script.then<TfrmOpenBook>([&](TfrmOpenBook& d) {
        QVERIFY(onlyVisibleDialog(d));
        named<QComboBox>(d, "bookList")
            ->setCurrentIndex(named<QComboBox>(d, "bookList")->findText("我家账簿"));
        named<QLineEdit>(d, "passwordField")->setText("a'b");
        named<QCheckBox>(d, "rememberPassword")->setChecked(true);
        QVERIFY(named<QCheckBox>(d, "rememberBook")->isChecked());
        named<QPushButton>(d, "openButton")->click();
    });
    script.start();
    window.startUp();
    QVERIFY2(script.finished(), "a wizard step never appeared");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("我家账簿"));
    QCOMPARE(QString::fromStdString(session_.CurrentBook), QStringLiteral("我家账簿"));
    for (const char* m : {"账簿【&Z】", "基础设置【&B】", "记账【&W】", "计划【&P】", "导入【&D】",
                          "报表中心【&R】", "工具【&T】", "帮助【&H】"}) {
        QVERIFY2(menuVisible(window, m), m);
    }
    QVERIFY(named<QToolBar>(window, "mainToolBar")->isEnabled());
    QCOMPARE(named<TotalsView>(window, "totalsView")->figure("现金")->text(),
             QStringLiteral("-50.50"));
    QCOMPARE(named<TotalsView>(window, "totalsView")->figure("净资金：")->text(),
             QStringLiteral("-50.50"));
    QCOMPARE(window.statusPanel(1)->text(),
             QStringLiteral("公历2024年02月10日 农历二零二四年一月初一  星期六"));
    QCOMPARE(window.statusPanel(2)->text(),
             QStringLiteral("收入：0.00 支出：0.00 结余：0.00 支出占收入：100.00%"));
    // The account's opening entry is in the log.
    QCOMPARE(dm_->db().queryText("SELECT theType FROM UList").value_or(""), std::string("开户"));
    QCOMPARE(dm_->db().queryText("SELECT BPass FROM SMRX WHERE BPassKG=1").value_or(""),
             std::string("a'b"));
}

void WizardFlow::startWithBooksShowsTheOpenDialogAndExitLeavesOnlyBookAndHelp() {
    NewBookInput in;
    in.name = "家";
    QVERIFY(createFirstBook(*dm_, in).ok);
    session_.CurrentBook.clear();

    TfrmMain window(*dm_, prompter_);
    registerScreens(window);
    window.setAskOnClose(false);
    testing::ModalScript script;
    script.then<TfrmOpenBook>(
        [](TfrmOpenBook& d) { named<QPushButton>(d, "exitButton")->click(); });
    script.start();
    window.startUp();
    QVERIFY(script.finished());
    QVERIFY(menuVisible(window, "账簿【&Z】"));
    QVERIFY(menuVisible(window, "帮助【&H】"));
    for (const char* m : {"基础设置【&B】", "记账【&W】", "计划【&P】", "导入【&D】",
                          "报表中心【&R】", "工具【&T】"}) {
        QVERIFY2(!menuVisible(window, m), m);
    }
    QVERIFY(!window.action("closeBook")->isVisible());
    QVERIFY(!window.action("restore")->isVisible());
    QVERIFY(window.action("newBook")->isVisible());
    QVERIFY(window.action("exit")->isVisible());
    QVERIFY(!named<QToolBar>(window, "mainToolBar")->isEnabled());
    QCOMPARE(window.windowTitle(), QStringLiteral("Fennory记账软件"));
}

void WizardFlow::wrongPasswordKeepsTheDialogOpen() {
    NewBookInput in;
    in.name = "家";
    in.password = in.confirm = "pw";
    QVERIFY(createFirstBook(*dm_, in).ok);
    session_.CurrentBook.clear();

    TfrmMain window(*dm_, prompter_);
    registerScreens(window);
    bool stillOpen = false;
    testing::ModalScript script;
    script.then<TfrmOpenBook>([&](TfrmOpenBook& d) {
        named<QComboBox>(d, "bookList")->setCurrentIndex(0);
        named<QLineEdit>(d, "passwordField")->setText("PW");
        named<QPushButton>(d, "openButton")->click();
        stillOpen = d.isVisible();
        QCOMPARE(prompter_.last(), QStringLiteral("密码错误，请重新录入！"));
        QVERIFY(named<QLineEdit>(d, "passwordField")->hasFocus() || !QApplication::focusWidget());
        named<QLineEdit>(d, "passwordField")->setText("pw");
        named<QPushButton>(d, "openButton")->click();
    });
    script.start();
    window.startUp();
    QVERIFY(script.finished());
    QVERIFY(stillOpen);
    QCOMPARE(QString::fromStdString(session_.CurrentBook), QStringLiteral("家"));
}

void WizardFlow::furtherBookRefusesAMissingSourceBook() {
    NewBookInput in;
    in.name = "家";
    QVERIFY(createFirstBook(*dm_, in).ok);
    TfrmMain window(*dm_, prompter_);
    registerScreens(window);
    TfrmNewBook1 dialog(*dm_, prompter_, window, &window);
    QCOMPARE(named<NewBookFields>(dialog, "fields")->name()->text(), QStringLiteral("我家账簿1"));
    QCOMPARE(named<NewBookFields>(dialog, "fields")->count()->text(), QStringLiteral("1"));
    QVERIFY(dialog.choice(kCopyIncome, CopyChoice::Default)->isChecked());
    QVERIFY(dialog.choice(kCopyAccounts, CopyChoice::Empty)->isChecked());
    dialog.choice(kCopyAccounts, CopyChoice::FromBook)->setChecked(true);
    named<QPushButton>(dialog, "saveButton")->click();
    QCOMPARE(prompter_.last(), QStringLiteral("请选择 账簿名称！"));
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SBook").value(), 1);
    // Picking a source book in a group's list selects that group's copy choice.
    dialog.choice(kCopyMembers, CopyChoice::Empty)->setChecked(true);
    dialog.sourceBook(kCopyMembers)->setCurrentIndex(0);
    emit dialog.sourceBook(kCopyMembers)->activated(0);
    QVERIFY(dialog.choice(kCopyMembers, CopyChoice::FromBook)->isChecked());
}

void WizardFlow::namesLongerThanTheLimitCannotBeTyped() {
    NewBookFields fields;
    fields.name()->clear();
    fields.name()->setFocus();
    QTest::keyClicks(fields.name(), "abcdefghijklmnopqrstuvwxyz");
    QCOMPARE(fields.name()->text(), QStringLiteral("abcdefghijklmnopqrst"));
    fields.name()->clear();
    for (QChar c : QStringLiteral("一二三四五六七八九十十一")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(fields.name(), &press);
    }
    QCOMPARE(fields.name()->text(), QStringLiteral("一二三四五六七八九十"));
}

void WizardFlow::aFurtherBookJustCreatedIsOfferedAndOpens() {
    NewBookInput first;
    first.name = "家";
    QVERIFY(createFirstBook(*dm_, first).ok);
    // The first book is remembered with its password, as most households keep it.
    QVERIFY(openBook(*dm_, {"家", "", true, true}).ok);
    TfrmMain window(*dm_, prompter_);
    registerScreens(window);
    window.setAskOnClose(false);
    QString offered;
    testing::ModalScript script;
    script.then<TfrmOpenBook>([&](TfrmOpenBook& d) {
        offered = named<QComboBox>(d, "bookList")->currentText();
        QVERIFY(named<QLineEdit>(d, "passwordField")->text().isEmpty());
        named<QLineEdit>(d, "passwordField")->setText("pw");
        named<QPushButton>(d, "openButton")->click();
    });
    script.start();
    TfrmNewBook1 dialog(*dm_, prompter_, window, &window);
    named<NewBookFields>(dialog, "fields")->name()->setText(QStringLiteral("新账簿"));
    named<QLineEdit>(dialog, "password")->setText(QStringLiteral("pw"));
    named<QLineEdit>(dialog, "confirm")->setText(QStringLiteral("pw"));
    named<QPushButton>(dialog, "saveButton")->click();
    QVERIFY(script.finished());
    QCOMPARE(offered, QStringLiteral("新账簿"));
    QCOMPARE(dm_->book(), std::string("新账簿"));
}

QTEST_MAIN(WizardFlow)
#include "wizard_flow_test.moc"
