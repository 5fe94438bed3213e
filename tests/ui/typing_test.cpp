// Typing into the name drop-downs as a person does: one key at a time, Chinese
// through the input method, arrows in the list of matches, against the names
// of a real book.

#include <QApplication>
#include <QInputMethodEvent>
#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "bookkeeping/ui/bookkeeping_screen.h"
#include "bookkeeping/ui/entry_screen.h"
#include "keyboard.h"
#include "named.h"
#include "scripted_prompter.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::key;
using fennory::testing::named;
using fennory::testing::type;

namespace {

// Empties the field the way a user does: select all, delete (a shown
// completion goes with the first Delete, the typed text with the next).
void clearField(NameCombo* combo) {
    combo->lineEdit()->setFocus();
    for (int i = 0; i < 3 && !combo->currentText().isEmpty(); ++i) {
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
    }
    QCOMPARE(combo->currentText(), QString());
}

QStringList listed(NameCombo* combo) {
    QStringList out;
    QAbstractItemModel* m = combo->matchList()->popup()->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        out << m->index(r, 0).data().toString();
    }
    return out;
}

}  // namespace

class TypingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachLetterRefinesTheOneMatch();
    void aLetterMatchingNothingLeavesWhatWasTyped();
    void twoMatchesArePickedWithTheArrowKeys();
    void theSaveBooksToTheCompletedAccount();
    void anAccountTheBookLacksIsMadeOnlyWhenTheUserSaysSo();
    void aThirdDecimalIsRefusedForThatReason();
    void theFilterDialogListsAndCompletesNamesToo();

private:
    TfrmInTable* openIncome();
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
    std::unique_ptr<TfrmMain> window_;
};

void TypingTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    for (const char* a : {"工商银行", "招商信用卡", "支付宝", "钱包"}) {
        dm_->NewAccount(a, "爸爸");
    }
    for (const char* c : {"衣服", "汽油费"}) {
        dm_->mySaveNew("OutD", "OName", c);
    }
    window_ = std::make_unique<TfrmMain>(*dm_, *prompter_);
    window_->setAskOnClose(false);
    registerScreens(*window_);
    window_->bookOpened();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void TypingTest::cleanup() {
    window_.reset();
    book_.reset();
}

TfrmInTable* TypingTest::openIncome() {
    window_->action("income")->trigger();
    auto* s = dynamic_cast<TfrmInTable*>(window_->openScreen());
    if (s) {
        s->button(RecordScreen::kAdd)->click();
    }
    return s;
}

void TypingTest::eachLetterRefinesTheOneMatch() {
    auto* s = openIncome();
    QVERIFY(s);
    NameCombo* account = named<NameCombo>(*s, "accountField");
    struct Case {
        QString typed;
        QString shown;
    };
    const QList<Case> cases = {
        {QStringLiteral("g"), QStringLiteral("工商银行")},
        {QStringLiteral("gs"), QStringLiteral("工商银行")},
        {QStringLiteral("gsy"), QStringLiteral("工商银行")},
        {QStringLiteral("GSYH"), QStringLiteral("工商银行")},
        {QStringLiteral("工"), QStringLiteral("工商银行")},
        {QStringLiteral("工商"), QStringLiteral("工商银行")},
        {QStringLiteral("zs"), QStringLiteral("招商信用卡")},
        {QStringLiteral("zfb"), QStringLiteral("支付宝")},
        {QStringLiteral("qb"), QStringLiteral("钱包")},
    };
    for (const Case& c : cases) {
        clearField(account);
        type(c.typed);
        QCOMPARE(account->currentText(), c.shown);
        QCOMPARE(account->typedText(), c.typed);
        QCOMPARE(account->name(), c.shown.toStdString());
    }
    // A completion taken back with Backspace leaves what was typed.
    clearField(account);
    type(QStringLiteral("gs"));
    key(Qt::Key_Backspace);
    QCOMPARE(account->currentText(), QStringLiteral("gs"));
}

void TypingTest::aLetterMatchingNothingLeavesWhatWasTyped() {
    auto* s = openIncome();
    QVERIFY(s);
    NameCombo* account = named<NameCombo>(*s, "accountField");
    clearField(account);
    type(QStringLiteral("gx"));  // "g" completes 工商银行, "gx" matches nothing
    QCOMPARE(account->currentText(), QStringLiteral("gx"));
    clearField(account);
    type(QStringLiteral("钱袋"));
    QCOMPARE(account->currentText(), QStringLiteral("钱袋"));
}

void TypingTest::twoMatchesArePickedWithTheArrowKeys() {
    auto* s = openIncome();
    QVERIFY(s);
    NameCombo* account = named<NameCombo>(*s, "accountField");
    clearField(account);
    type(QStringLiteral("z"));  // 招商信用卡 (ZSXYK) and 支付宝 (ZFB)
    QCOMPARE(account->currentText(), QStringLiteral("z"));
    QTRY_VERIFY(account->matchList()->popup()->isVisible());
    const QStringList shown = listed(account);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.contains(QStringLiteral("招商信用卡")));
    QVERIFY(shown.contains(QStringLiteral("支付宝")));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    QVERIFY(!account->matchList()->popup()->isVisible());
    QCOMPARE(account->currentText(), shown.at(1));
    // Letter case is ignored, and a further letter narrows the list to one.
    clearField(account);
    type(QStringLiteral("Z"));
    QTRY_COMPARE(listed(account).size(), 2);
    type(QStringLiteral("f"));
    QCOMPARE(account->currentText(), QStringLiteral("支付宝"));
    QVERIFY(!account->matchList()->popup()->isVisible());
}

void TypingTest::theSaveBooksToTheCompletedAccount() {
    auto* s = openIncome();
    QVERIFY(s);
    const auto accountsBefore = dm_->db().queryInt("SELECT count(*) FROM SAccount").value();
    named<NameCombo>(*s, "nameField")->lineEdit()->setFocus();
    type(QStringLiteral("稿费"));
    named<MoneyEdit>(*s, "amountField")->setFocus();
    type(QStringLiteral("88.5"));
    clearField(named<NameCombo>(*s, "accountField"));
    type(QStringLiteral("gs"));
    named<NameCombo>(*s, "memberField")->lineEdit()->setFocus();
    type(QStringLiteral("bb"));
    QCOMPARE(named<NameCombo>(*s, "memberField")->currentText(), QStringLiteral("爸爸"));
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(s->mode(), RecordMode::Browse);
    QCOMPARE(prompter_->asked, QStringList());
    QCOMPARE(dm_->RetAMoney("工商银行"), *Money::parse("88.5"));
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SAccount").value(), accountsBefore);
    QCOMPARE(dm_->db().queryText("SELECT AName FROM InTable").value(), std::string("工商银行"));
}

void TypingTest::anAccountTheBookLacksIsMadeOnlyWhenTheUserSaysSo() {
    auto* s = openIncome();
    QVERIFY(s);
    named<NameCombo>(*s, "nameField")->setName("工资");
    named<MoneyEdit>(*s, "amountField")->setText(QStringLiteral("10"));
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    clearField(named<NameCombo>(*s, "accountField"));
    type(QStringLiteral("新卡"));
    prompter_->answers = {false};
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(prompter_->asked, QStringList{QStringLiteral("提示: 账户“新卡”不存在，是否新建？")});
    QCOMPARE(prompter_->shown, QStringList());  // "否" is no failure to report
    QCOMPARE(s->mode(), RecordMode::New);
    QVERIFY(named<NameCombo>(*s, "accountField")->lineEdit()->hasFocus());
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 0);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SAccount WHERE AName='新卡'").value(), 0);

    prompter_->answers = {true};
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(s->mode(), RecordMode::Browse);
    QCOMPARE(prompter_->asked.size(), 2);
    QCOMPARE(dm_->RetAMoney("新卡"), Money::yuan(10));
    QCOMPARE(dm_->db().queryText("SELECT theType FROM SAccount WHERE AName='新卡'").value(),
             std::string("现金"));
}

void TypingTest::aThirdDecimalIsRefusedForThatReason() {
    auto* s = openIncome();
    QVERIFY(s);
    named<NameCombo>(*s, "nameField")->setName("工资");
    named<NameCombo>(*s, "accountField")->setName("钱包");
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    named<MoneyEdit>(*s, "amountField")->setFocus();
    type(QStringLiteral("1.235"));
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(prompter_->last(), QStringLiteral("金额 最多两位小数，请重新录入！"));
    QVERIFY(named<MoneyEdit>(*s, "amountField")->hasFocus());
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 0);
}

void TypingTest::theFilterDialogListsAndCompletesNamesToo() {
    const FilterForm form = recordFilterForm(RecordType::Expense);
    RecordFilterDialog d(*dm_, form, Criteria(), window_.get());
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* kind = named<NameCombo>(d, "name");
    kind->lineEdit()->setFocus();
    QVERIFY(kind->lineEdit()->hasFocus());
    type(QStringLiteral("yf"));  // 衣服 (YF) and 汽油费 (QYF)
    QTRY_VERIFY(kind->matchList()->popup()->isVisible());
    const QStringList shown = listed(kind);
    QVERIFY(shown.contains(QStringLiteral("衣服")));
    QVERIFY(shown.contains(QStringLiteral("汽油费")));
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    QCOMPARE(kind->currentText(), shown.at(0));
    QVERIFY(named<QCheckBox>(d, "nameBox")->isChecked());
    // A remark criterion holds what a remark can hold, and no more.
    auto* remark = named<QLineEdit>(d, "remark");
    remark->setFocus();
    QTest::keyClicks(remark, QString(150, QLatin1Char('x')));
    QCOMPARE(remark->text().size(), 100);
    clearField(kind);
    type(QStringLiteral("qy"));
    QCOMPARE(kind->currentText(), QStringLiteral("汽油费"));
    QCOMPARE(d.filter().text(Criterion::Name), std::string("汽油费"));
}

QTEST_MAIN(TypingTest)
#include "typing_test.moc"
