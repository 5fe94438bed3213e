// Screen flows of the income, expense, transfer and threshold screens, opened
// from the main window as a user would.

#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"
#include "modal.h"
#include "named.h"
#include "plans/ui/thresholds_screen.h"
#include "scripted_prompter.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class BookkeepingScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void anIncomeWithNewNamesMovesTheBalanceLogAndTotals();
    void aTransferMovesBothAccounts();
    void theReminderShowsWhenTheScreenOpens();
    void aThresholdIsAddedOnceAndDisabled();
    void aDebtIsRepaidAdjustedAndItsRepaymentDeleted();
    void anInvestmentAndAReturnWithAProfit();
    void theFilterDialogListsTheTickedCriteria();

private:
    template <class Screen>
    Screen* open(const char* id) {
        window_->action(id)->trigger();
        auto* s = dynamic_cast<Screen*>(window_->openScreen());
        return s;
    }
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
    std::unique_ptr<TfrmMain> window_;
};

void BookkeepingScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    window_ = std::make_unique<TfrmMain>(*dm_, *prompter_);
    window_->setAskOnClose(false);
    registerScreens(*window_);
    window_->bookOpened();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void BookkeepingScreensTest::cleanup() {
    window_.reset();
    book_.reset();
}

void BookkeepingScreensTest::anIncomeWithNewNamesMovesTheBalanceLogAndTotals() {
    QVERIFY(window_->action("income")->shortcut() == QKeySequence(QStringLiteral("Ctrl+I")));
    auto* s = open<TfrmInTable>("income");
    QVERIFY(s);
    s->button(RecordScreen::kAdd)->click();
    QCOMPARE(s->grid()->tableModel()->rowCount(), 1);  // the new, empty row
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(prompter_->last(), QStringLiteral("请选择 收入类别！"));
    named<NameCombo>(*s, "nameField")->setEditText(QStringLiteral("稿费"));
    named<MoneyEdit>(*s, "amountField")->setText(QStringLiteral("88.5"));
    named<NameCombo>(*s, "accountField")->setEditText(QStringLiteral("新卡"));
    named<NameCombo>(*s, "memberField")->setEditText(QStringLiteral("妈妈"));
    prompter_->answers = {true};  // the account is new: the save asks first
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(prompter_->asked.back(), QStringLiteral("提示: 账户“新卡”不存在，是否新建？"));
    QCOMPARE(s->mode(), RecordMode::Browse);
    QCOMPARE(s->grid()->tableModel()->rowCount(), 1);
    QCOMPARE(named<QLabel>(*s, "totalsLabel")->text(), QStringLiteral("记账： 1    合计： 88.50"));
    QCOMPARE(dm_->RetAMoney("新卡"), *Money::parse("88.5"));
    QCOMPARE(dm_->db().queryText("SELECT FName FROM SAccount WHERE AName='新卡'").value(),
             std::string("妈妈"));
    QCOMPARE(dm_->db().queryText("SELECT theE FROM UList WHERE theT='InTable'").value(),
             std::string("新增"));
    // Closing the screen brings the main window's totals up to date.
    window_->myfrmClose();
    QTRY_COMPARE(named<TotalsView>(*window_, "totalsView")->figure("现金")->text(),
                 QStringLiteral("88.50"));
}

void BookkeepingScreensTest::aTransferMovesBothAccounts() {
    dm_->AccountUp(Money::yuan(500), "钱包");
    dm_->NewAccount("银行卡", "爸爸");
    auto* s = open<TfrmChangeT>("transfer");
    QVERIFY(s);
    s->button(RecordScreen::kAdd)->click();
    named<NameCombo>(*s, "fromField")->setName("钱包");
    named<NameCombo>(*s, "toField")->setName("钱包");
    named<MoneyEdit>(*s, "amountField")->setText("200");
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(prompter_->last(), QStringLiteral("到账账户 不能与 原账户 一样！请重新选择！"));
    QVERIFY(named<NameCombo>(*s, "toField")->hasFocus() || !s->isActiveWindow());
    named<NameCombo>(*s, "toField")->setName("银行卡");
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(dm_->RetAMoney("钱包"), Money::yuan(300));
    QCOMPARE(dm_->RetAMoney("银行卡"), Money::yuan(200));
    QCOMPARE(named<QLineEdit>(*s, "remarkField")->text(), QStringLiteral(" 钱包->银行卡"));
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM UList WHERE theT='ChangeT'").value(), 2);
}

void BookkeepingScreensTest::theReminderShowsWhenTheScreenOpens() {
    dm_->db().execute(
        "INSERT INTO UWarn(BName,theType,FName,WMoney,Remark) "
        "VALUES('家','支出','爸爸',0,'省着点')");
    testing::ModalScript script;
    QString caption, text;
    script.then<TfrmTXMes>([&](TfrmTXMes& d) {
        caption = d.windowTitle();
        text = d.line(2)->text();
        d.accept();
    });
    script.start();
    QVERIFY(open<TfrmOutTable>("expense"));
    QTRY_VERIFY(script.finished());
    QVERIFY(caption.endsWith(QStringLiteral(" 支出 提醒")));
    QCOMPARE(text, QStringLiteral("省着点"));
}

void BookkeepingScreensTest::aThresholdIsAddedOnceAndDisabled() {
    auto* s = open<TfrmUWarn>("warn");
    QVERIFY(s);
    for (int i = 0; i < 2; ++i) {
        s->button(RecordScreen::kAdd)->click();
        s->kindButton(QStringLiteral("收入"))->setChecked(true);
        named<QComboBox>(*s, "memberField")
            ->setCurrentIndex(named<QComboBox>(*s, "memberField")->findText("爸爸"));
        named<QLineEdit>(*s, "amountField")->setText("1000");
        named<QLineEdit>(*s, "textField")->setText("提醒一下");
        s->button(RecordScreen::kSave)->click();
    }
    QCOMPARE(prompter_->last(), QStringLiteral("提醒 添加重复！"));
    s->button(RecordScreen::kCancel)->click();
    QCOMPARE(s->grid()->tableModel()->rowCount(), 1);
    s->menuAction(QStringLiteral("停用 &E"))->trigger();
    QCOMPARE(QString::fromStdString(s->model().text(ThresholdColumn::State)),
             QStringLiteral("停用"));
}

void BookkeepingScreensTest::aDebtIsRepaidAdjustedAndItsRepaymentDeleted() {
    QVERIFY(window_->action("borrow")->shortcut() == QKeySequence(QStringLiteral("Ctrl+B")));
    auto* s = open<TfrmBorrow>("borrow");
    QVERIFY(s);
    s->button(RecordScreen::kAdd)->click();
    named<NameCombo>(*s, "nameField")->setEditText(QStringLiteral("张三"));
    named<MoneyEdit>(*s, "amountField")->setText("500");
    named<NameCombo>(*s, "accountField")->setName("钱包");
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(dm_->RetAMoney("钱包"), Money::yuan(500));

    testing::ModalScript script;
    script.then<MoneyMoveDialog>([&](MoneyMoveDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("还债"));
        QCOMPARE(named<MoneyEdit>(d, "amountField")->text(),
                 QStringLiteral("500"));  // the outstanding amount
        named<MoneyEdit>(d, "amountField")->setText("200");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.then<MoneyMoveDialog>([&](MoneyMoveDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("增加债务金额"));
        named<MoneyEdit>(d, "amountField")->setText("50");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.then<RecordsDialog>([&](RecordsDialog& d) {
        QCOMPARE(named<RecordGrid>(d, "grid")->tableModel()->rowCount(), 1);
        prompter_->answers = {true};
        named<RecordGrid>(d, "grid")->selectRow(0);
        d.deleteCurrent();
        QCOMPARE(named<RecordGrid>(d, "grid")->tableModel()->rowCount(), 0);
        d.accept();
    });
    script.start();
    s->menuAction(QStringLiteral("还债 &R"))->trigger();
    QCOMPARE(QString::fromStdString(s->model().text(LoanColumn::Amount)), QStringLiteral("300"));
    s->menuAction(QStringLiteral("增加债务金额 &Z"))->trigger();
    QCOMPARE(QString::fromStdString(s->model().text(LoanColumn::Amount)), QStringLiteral("350"));
    s->menuAction(QStringLiteral("还债记录 &V"))->trigger();
    QVERIFY(script.finished());
    QCOMPARE(QString::fromStdString(s->model().text(LoanColumn::Amount)), QStringLiteral("550"));
    QCOMPARE(QString::fromStdString(s->model().text(LoanColumn::Repaid)), QStringLiteral("0"));
    QCOMPARE(dm_->RetAMoney("钱包"), Money::yuan(550));
}

void BookkeepingScreensTest::anInvestmentAndAReturnWithAProfit() {
    dm_->AccountUp(Money::yuan(1000), "钱包");
    auto* s = open<TfrmTZ>("invest");
    QVERIFY(s);
    s->button(RecordScreen::kAdd)->click();
    // The grid stays usable during entry, and a click on it keeps the entry.
    QVERIFY(s->grid()->isEnabled());
    named<NameCombo>(*s, "nameField")->setEditText(QStringLiteral("基金"));
    named<MoneyEdit>(*s, "amountField")->setText("600");
    named<NameCombo>(*s, "accountField")->setName("钱包");
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(dm_->RetAMoney("钱包"), Money::yuan(400));
    s->button(RecordScreen::kAdd)->click();
    s->grid()->selectRow(0);
    QTRY_COMPARE(s->grid()->currentRowIndex(), 1);  // back on the new, empty row
    QCOMPARE(s->mode(), RecordMode::New);
    s->button(RecordScreen::kCancel)->click();

    testing::ModalScript script;
    script.then<TfrmTZ_R>([&](TfrmTZ_R& d) {
        named<MoneyEdit>(d, "principalField")->setText("100");
        named<MoneyEdit>(d, "profitField")->setText("50");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.start();
    s->menuAction(QStringLiteral("收益 &R"))->trigger();
    QVERIFY(script.finished());
    QCOMPARE(dm_->RetAMoney("钱包"), Money::yuan(550));
    QCOMPARE(QString::fromStdString(s->model().text(InvestColumn::Amount)), QStringLiteral("500"));
    QCOMPARE(QString::fromStdString(s->model().text(InvestColumn::Profit)), QStringLiteral("50"));
    QCOMPARE(dm_->db().queryText("SELECT Remark FROM InTable").value(), std::string("投资收益"));
}

void BookkeepingScreensTest::theFilterDialogListsTheTickedCriteria() {
    auto* s = open<TfrmOutTable>("expense");
    QVERIFY(s);
    for (const char* kind : {"餐饮", "交通", "餐饮"}) {
        s->button(RecordScreen::kAdd)->click();
        named<NameCombo>(*s, "nameField")->setEditText(QString::fromUtf8(kind));
        named<MoneyEdit>(*s, "amountField")->setText("10");
        named<NameCombo>(*s, "accountField")->setName("钱包");
        named<NameCombo>(*s, "memberField")->setName("爸爸");
        s->button(RecordScreen::kSave)->click();
    }
    QCOMPARE(s->grid()->tableModel()->rowCount(), 3);
    testing::ModalScript script;
    script.then<RecordFilterDialog>([&](RecordFilterDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("支出查询"));
        auto* byDate = named<QCheckBox>(d, "dateBox");
        QCOMPARE(byDate->text(), QStringLiteral("支出日期"));
        QVERIFY(byDate->isChecked());
        byDate->setChecked(false);
        named<NameCombo>(d, "name")->setEditText(QStringLiteral("餐饮"));
        named<QCheckBox>(d, "nameBox")->setChecked(true);
        named<QPushButton>(d, "query")->click();
    });
    script.start();
    named<QPushButton>(*s, "queryButton")->click();
    QVERIFY(script.finished());
    QCOMPARE(s->grid()->tableModel()->rowCount(), 2);
    QCOMPARE(named<QLabel>(*s, "totalsLabel")->text(), QStringLiteral("记账： 2    合计： 20.00"));
}

QTEST_MAIN(BookkeepingScreensTest)
#include "bookkeeping_screens_test.moc"
