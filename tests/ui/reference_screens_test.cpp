// The reference-data screens: accounts with their adjustment and fund-flow
// view, the name lists, family members, and their wiring into the main window.

#include <QtTest>

#include "app/screens.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "modal.h"
#include "named.h"
#include "reference/ui/accounts_screen.h"
#include "reference/ui/editor_dialogs.h"
#include "reference/ui/family_screen.h"
#include "reference/ui/name_list_screen.h"
#include "reports/ui/fund_flow_screen.h"
#include "reports/ui/screens.h"
#include "scripted_prompter.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class ReferenceScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void addAnAccountAdjustItAndViewItsFundFlow();
    void aNonZeroAccountIsNotDeletedAndNoQuestionIsAsked();
    void renamingACategoryMovesItsRecords();
    void newShowsAnEmptyRowAndTheUsersRowStaysCurrent();
    void changingAMemberKeepsTheBirthday();
    void pinyinAndUseCountEditorsReloadTheList();
    void theMainWindowOpensTheseScreens();

private:
    FileOpener opener() {
        return [](const QString&) { return true; };
    }
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    Database* db_ = nullptr;
    testing::ScriptedPrompter* prompter = nullptr;
};

void ReferenceScreensTest::init() {
    // The log opens through the navigation its module installs.
    installReportNavigation();
    book_ = std::make_unique<testing::UiBook>("2026-12-09");
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    db_ = book_->db.get();
    prompter = &book_->prompter;
    dm_->NewFamily("爸爸");
}

void ReferenceScreensTest::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<TfrmPage3*>(w)) {
            delete w;
        }
    }
    book_.reset();
}

void ReferenceScreensTest::addAnAccountAdjustItAndViewItsFundFlow() {
    TfrmA_Manage screen(*dm_, *prompter, opener());
    screen.button(RecordScreen::kAdd)->click();
    QVERIFY(!screen.grid()->isEnabled());
    QVERIFY(!screen.button(RecordScreen::kAdd)->isEnabled());
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(prompter->last(), QStringLiteral("请选择 账户分类！"));
    named<QComboBox>(screen, "typeField")
        ->setCurrentIndex(named<QComboBox>(screen, "typeField")->findText("银行卡"));
    screen.memberField()->setCurrentIndex(0);
    screen.nameField()->setText("工行卡");
    screen.balanceField()->setText("100");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(screen.grid()->tableModel()->rowCount(), 1);
    QVERIFY(screen.grid()->isEnabled());
    QCOMPARE(QString::fromStdString(screen.model().text(AccountColumn::Balance)),
             QStringLiteral("100"));

    testing::ModalScript script;
    script.then<TfrmA_TZ>([&](TfrmA_TZ& d) {
        named<QLineEdit>(d, "realField")->setText("100");
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter->last(), QStringLiteral("实际余额 不能等于 账户余额！请重新录入！"));
        named<QLineEdit>(d, "realField")->setText("130");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.start();
    screen.menuAction(QStringLiteral("调整账户余额 &T"))->trigger();
    QVERIFY(script.finished());
    QCOMPARE(prompter->last(), QStringLiteral("恭喜！恭喜！ 调整账户余额 保存成功！"));
    QCOMPARE(dm_->RetAMoney("工行卡"), Money::yuan(130));
    QCOMPARE(QString::fromStdString(screen.model().text(AccountColumn::Balance)),
             QStringLiteral("130"));

    screen.menuAction(QStringLiteral("查看流动日志 &V"))->trigger();
    TfrmPage3* flow = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<TfrmPage3*>(w)) {
            flow = p;
        }
    }
    QVERIFY(flow);
    QVERIFY(named<QCheckBox>(*flow, "accountBox")->isChecked());
    QCOMPARE(named<QComboBox>(*flow, "account")->currentText(), QStringLiteral("工行卡"));
    QCOMPARE(named<RecordGrid>(*flow, "grid")->tableModel()->rowCount(), 2);  // 开户 and 调账
    QCOMPARE(QString::fromStdString(
                 named<RecordGrid>(*flow, "grid")->tableModel()->table().text(1, "收支类别")),
             QStringLiteral("调账"));
}

void ReferenceScreensTest::aNonZeroAccountIsNotDeletedAndNoQuestionIsAsked() {
    dm_->NewAccount("钱包", "爸爸");
    dm_->AccountUp(Money::yuan(1), "钱包");
    TfrmA_Manage screen(*dm_, *prompter, opener());
    screen.button(RecordScreen::kDelete)->click();
    QVERIFY(prompter->last().startsWith(QStringLiteral("账户余额不为零，不能删除")));
    QVERIFY(prompter->asked.isEmpty());
    dm_->AccountDown(Money::yuan(1), "钱包");
    screen.Ref();
    prompter->answers = {true};
    screen.button(RecordScreen::kDelete)->click();
    QCOMPARE(prompter->asked.size(), 1);
    QCOMPARE(screen.grid()->tableModel()->rowCount(), 0);
}

void ReferenceScreensTest::newShowsAnEmptyRowAndTheUsersRowStaysCurrent() {
    TfrmOut_Manage screen(*dm_, *prompter);
    const int rows = screen.grid()->tableModel()->rowCount();
    screen.grid()->selectRow(3);
    const QString third = named<QLineEdit>(screen, "nameField")->text();
    screen.button(RecordScreen::kAdd)->click();
    QCOMPARE(screen.grid()->tableModel()->rowCount(), rows + 1);
    QCOMPARE(screen.grid()->currentRowIndex(), rows);
    QVERIFY(named<QLineEdit>(screen, "nameField")->text().isEmpty());
    screen.button(RecordScreen::kCancel)->click();
    QCOMPARE(screen.grid()->tableModel()->rowCount(), rows);
    QCOMPARE(named<QLineEdit>(screen, "nameField")->text(), third);

    // A rename moves the name in the list's order; the grid follows it.
    screen.button(RecordScreen::kChange)->click();
    named<QLineEdit>(screen, "nameField")->setText("啊新名字");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(named<QLineEdit>(screen, "nameField")->text(), QStringLiteral("啊新名字"));
    const int at = screen.grid()->currentRowIndex();
    QCOMPARE(screen.grid()->model()->index(at, 0).data().toString(), QStringLiteral("啊新名字"));

    screen.button(RecordScreen::kAdd)->click();
    named<QLineEdit>(screen, "nameField")->setText("新增的");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(screen.grid()->tableModel()->rowCount(), rows + 1);
    QCOMPARE(screen.grid()->model()->index(screen.grid()->currentRowIndex(), 0).data().toString(),
             QStringLiteral("新增的"));
}

void ReferenceScreensTest::renamingACategoryMovesItsRecords() {
    TfrmOut_Manage screen(*dm_, *prompter);
    QCOMPARE(screen.windowTitle(), QStringLiteral("支出类别"));
    QCOMPARE(screen.grid()->tableModel()->rowCount(), 50);
    db_->execute("INSERT INTO OutTable(BName,ODate,OName) VALUES('家','2024-01-01','食品')");
    screen.grid()->selectRow(0);
    QCOMPARE(named<QLineEdit>(screen, "nameField")->text(), QStringLiteral("食品"));
    screen.button(RecordScreen::kChange)->click();
    QVERIFY(named<QLineEdit>(screen, "nameField")->isEnabled());
    named<QLineEdit>(screen, "nameField")->setText("水费");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(prompter->last(), QStringLiteral("支出类别添加重复！"));
    named<QLineEdit>(screen, "nameField")->setText("食物");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(QString::fromStdString(db_->queryText("SELECT OName FROM OutTable").value()),
             QStringLiteral("食物"));
    // Category lists do not sort by title; contacts do.
    screen.grid()->horizontalHeader()->sectionClicked(0);
    QCOMPARE(screen.grid()->tableModel()->sortColumn(), -1);
}

void ReferenceScreensTest::changingAMemberKeepsTheBirthday() {
    db_->execute("UPDATE SFamily SET BirDate='1975-06-01'");
    TfrmFamily screen(*dm_, *prompter, opener());
    screen.grid()->selectRow(0);
    QCOMPARE(screen.birthdayText()->text(), QStringLiteral("1975-06-01"));
    screen.button(RecordScreen::kChange)->click();
    QCOMPARE(QString::fromStdString(screen.birthdayPicker()->dateText()),
             QStringLiteral("1975-06-01"));
    screen.nameField()->setText("老爸");
    screen.button(RecordScreen::kSave)->click();
    QCOMPARE(QString::fromStdString(
                 db_->queryText("SELECT FName || ' ' || BirDate FROM SFamily").value()),
             QStringLiteral("老爸 1975-06-01"));
}

void ReferenceScreensTest::pinyinAndUseCountEditorsReloadTheList() {
    TfrmP_Manage screen(*dm_, *prompter);
    screen.button(RecordScreen::kAdd)->click();
    named<QLineEdit>(screen, "nameField")->setText("张三");
    screen.button(RecordScreen::kSave)->click();
    testing::ModalScript script;
    script.then<TfrmJZCS>([](TfrmJZCS& d) {
        named<QLineEdit>(d, "field")->setText("007");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.then<TfrmPY>([](TfrmPY& d) {
        QCOMPARE(named<QLineEdit>(d, "field")->text(), QStringLiteral("ZS"));
        named<QLineEdit>(d, "field")->setText("zs3");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.start();
    // As the user does: the current row's context menu.
    for (const QString& text :
         {QStringLiteral("修改记账次数 &A"), QStringLiteral("修改拼音码 &P")}) {
        const QList<QAction*> actions = screen.gridMenu()->actions();
        auto at = std::find_if(actions.begin(), actions.end(),
                               [&](QAction* a) { return a->text() == text; });
        QVERIFY(at != actions.end());
        (*at)->trigger();
    }
    QVERIFY(script.finished());
    QCOMPARE(QString::fromStdString(screen.model().text(NameListColumn::Count)),
             QStringLiteral("7"));
    QCOMPARE(QString::fromStdString(screen.model().text(NameListColumn::Pinyin)),
             QStringLiteral("zs3"));
}

void ReferenceScreensTest::theMainWindowOpensTheseScreens() {
    TfrmMain window(*dm_, *prompter);
    window.setAskOnClose(false);
    registerScreens(window);
    window.bookOpened();
    for (const char* id : {"accounts", "family", "contacts", "incomeKinds", "expenseKinds",
                           "investKinds", "fundFlow"}) {
        QVERIFY2(window.action(id)->isEnabled(), id);
    }
    window.action("accounts")->trigger();
    QVERIFY(qobject_cast<TfrmA_Manage*>(window.openScreen()));
    // No account yet: bookkeeping would open the account screen with its message.
    QVERIFY(window.myCheckA());
    QVERIFY(qobject_cast<TfrmA_Manage*>(window.openScreen()));
    QCOMPARE(prompter->last(), QStringLiteral("您还没有录入 账户名称，请先录入 账户名称！"));

    // Closing the account screen brings the totals up to date.
    auto* accounts = qobject_cast<TfrmA_Manage*>(window.openScreen());
    accounts->button(RecordScreen::kAdd)->click();
    named<QComboBox>(*accounts, "typeField")
        ->setCurrentIndex(named<QComboBox>(*accounts, "typeField")->findText("现金"));
    accounts->memberField()->setCurrentIndex(0);
    accounts->nameField()->setText("钱包");
    accounts->balanceField()->setText("88.8");
    accounts->button(RecordScreen::kSave)->click();
    accounts->button(RecordScreen::kExit)->click();
    QTRY_VERIFY(!window.openScreen());
    QCOMPARE(named<TotalsView>(window, "totalsView")->figure("现金")->text(),
             QStringLiteral("88.80"));
}

QTEST_MAIN(ReferenceScreensTest)
#include "reference_screens_test.moc"
