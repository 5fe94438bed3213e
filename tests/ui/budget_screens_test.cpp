// The budget screens opened from the main window as a user would: amounts
// typed into the grid key by key, the report with its bars and its sheet, the
// month's line on the main window, and the reminder when an expense's save
// takes its category past the month's budget.

#include <QBarSet>
#include <QStackedBarSeries>
#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "app/totals_view.h"
#include "bookkeeping/ui/entry_screen.h"
#include "keyboard.h"
#include "modal.h"
#include "named.h"
#include "plans/ui/budget_screens.h"
#include "plans/ui/thresholds_screen.h"
#include "scripted_prompter.h"
#include "support/workbook_probe.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::key;
using fennory::testing::named;
using fennory::testing::type;

class BudgetScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void amountsAreTypedIntoTheGridAndABadOneIsRefused();
    void lastYearsSpendingIsCopiedAfterOneQuestion();
    void theReportColoursItsBarsAndExportsNumbers();
    void theMainWindowLineOpensTheReport();
    void aSaveThatTakesACategoryPastItsBudgetRemindsOnce();

private:
    template <class Screen>
    Screen* open(const char* id) {
        window_->action(id)->trigger();
        return dynamic_cast<Screen*>(window_->openScreen());
    }
    // Return in a cell being typed into: the editor hands its text over once
    // the event loop runs, as it does between a person's keys.
    static void enter() {
        key(Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void expense(const char* date, const char* name, const char* amount) {
        dm_->db().execute(
            "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) "
            "VALUES(?1,?2,?3,?4,'钱包','爸爸','')",
            dm_->book(), date, name, *Money::parse(amount));
    }
    void budget(int year, int month, const char* name, const char* amount) {
        BudgetYear y(*dm_, BudgetKind::Expense, year);
        QVERIFY(y.setMonth(name, month, amount).ok);
    }
    std::string budgets(const char* name) {
        return dm_->db()
            .queryText(
                "SELECT group_concat(theMonth || ':' || (theMoney / 10000), ' ') FROM "
                "(SELECT * FROM Budget WHERE theName=?1 ORDER BY theMonth)",
                std::string(name))
            .value_or("");
    }
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
    std::unique_ptr<TfrmMain> window_;
};

void BudgetScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    book_->session.clock = [] { return std::string("2024-05-31"); };
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    dm_->AccountUp(Money::yuan(10000), "钱包");
    dm_->db().execute("DELETE FROM OutD");
    for (const char* name : {"餐饮", "交通"}) {
        dm_->db().execute("INSERT INTO OutD(BName,OName) VALUES('家',?1)", std::string(name));
    }
    window_ = std::make_unique<TfrmMain>(*dm_, *prompter_);
    window_->setAskOnClose(false);
    registerScreens(*window_);
    window_->bookOpened();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void BudgetScreensTest::cleanup() {
    window_.reset();
    book_.reset();
}

void BudgetScreensTest::amountsAreTypedIntoTheGridAndABadOneIsRefused() {
    auto* s = open<TfrmBudget>("budget");
    QVERIFY(s);
    QCOMPARE(named<QSpinBox>(*s, "yearField")->value(), 2024);
    QTableWidget* grid = named<QTableWidget>(*s, "grid");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("餐饮"));

    // "每月相同" of 餐饮: the first key opens the cell, Return saves it.
    grid->setFocus();
    grid->setCurrentCell(0, static_cast<int>(BudgetColumn::EveryMonth));
    type("1500");
    enter();
    QCOMPARE(budgets("餐饮"), std::string("1:1500 2:1500 3:1500 4:1500 5:1500 6:1500 7:1500 "
                                          "8:1500 9:1500 10:1500 11:1500 12:1500"));
    QCOMPARE(grid->item(0, static_cast<int>(BudgetColumn::Year))->text(),
             QStringLiteral("18,000.00"));

    // One month more for the new year's feast, the cell picked by a click.
    QTableWidgetItem* february = grid->item(0, static_cast<int>(BudgetColumn::January) + 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(february).center());
    type("3000");
    enter();
    QCOMPARE(grid->item(0, static_cast<int>(BudgetColumn::EveryMonth))->text(), QString());
    QCOMPARE(grid->item(0, static_cast<int>(BudgetColumn::Year))->text(),
             QStringLiteral("19,500.00"));

    // A cell taken back as it is shown keeps its amount.
    grid->setCurrentCell(0, static_cast<int>(BudgetColumn::January));
    key(Qt::Key_F2);
    enter();
    QVERIFY(prompter_->shown.isEmpty());
    QCOMPARE(grid->item(0, static_cast<int>(BudgetColumn::January))->text(),
             QStringLiteral("1,500.00"));

    // Letters are refused with the reason, and nothing is written.
    grid->setCurrentCell(1, static_cast<int>(BudgetColumn::January) + 4);
    type("abc");
    enter();
    QCOMPARE(prompter_->last(), QStringLiteral("预算金额 必须是数字！"));
    QCOMPARE(budgets("交通"), std::string());
    QCOMPARE(grid->item(1, static_cast<int>(BudgetColumn::January) + 4)->text(), QString());

    // Another year shows its own budgets: none yet.
    named<QSpinBox>(*s, "yearField")->setValue(2025);
    QCOMPARE(grid->item(0, static_cast<int>(BudgetColumn::Year))->text(), QString());
}

void BudgetScreensTest::lastYearsSpendingIsCopiedAfterOneQuestion() {
    expense("2023-03-05", "交通", "120.5");
    expense("2023-03-20", "交通", "79.5");
    expense("2023-07-01", "餐饮", "888");
    auto* s = open<TfrmBudget>("budget");
    QVERIFY(s);
    prompter_->answers = {false};
    named<QPushButton>(*s, "copyButton")->click();
    QCOMPARE(prompter_->asked.back(),
             QStringLiteral("按去年实际: 按 2023 年每个类别每月的实际支出设置 2024 年的预算？\n"
                            "2024 年已设的预算将被替换。"));
    QCOMPARE(budgets("交通"), std::string());
    prompter_->answers = {true};
    named<QPushButton>(*s, "copyButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("已按 2023 年的实际设置 2 个月份的预算。"));
    QCOMPARE(budgets("交通"), std::string("3:200"));
    QCOMPARE(budgets("餐饮"), std::string("7:888"));
    QCOMPARE(named<QTableWidget>(*s, "grid")
                 ->item(1, static_cast<int>(BudgetColumn::January) + 2)
                 ->text(),
             QStringLiteral("200.00"));
}

void BudgetScreensTest::theReportColoursItsBarsAndExportsNumbers() {
    budget(2024, 5, "餐饮", "1000");
    budget(2024, 5, "交通", "100");
    expense("2024-05-02", "餐饮", "950");
    expense("2024-05-03", "交通", "130");
    QString opened;
    TfrmBudgetReport s(*dm_, *prompter_, [&opened](const QString& f) {
        opened = f;
        return true;
    });
    // It opens on the month under way, with its pace.
    QCOMPARE(named<QComboBox>(s, "indexField")->currentText(), QStringLiteral("5月"));
    QCOMPARE(s.grid()->model()->rowCount(), 3);
    QCOMPARE(s.grid()->model()->index(2, 0).data().toString(), QStringLiteral("合计"));
    QCOMPARE(s.grid()->model()->index(1, 4).data().toString(), QStringLiteral("130%"));
    QCOMPARE(s.paceLabel()->text(), QStringLiteral("按目前速度，月底将花费 1,080.00 元"));
    // 交通 is red, 餐饮 amber; neither has budget left.
    auto* series = qobject_cast<QStackedBarSeries*>(s.chart()->series().at(0));
    QVERIFY(series);
    const auto sets = series->barSets();
    QCOMPARE(sets.size(), 4);
    QCOMPARE(sets[2]->label(), QStringLiteral("超出预算"));
    QCOMPARE(sets[2]->at(1), 130.0);
    QCOMPARE(sets[1]->at(0), 950.0);
    QCOMPARE(sets[0]->at(0), 0.0);
    QCOMPARE(sets[3]->at(0), 50.0);

    // A quarter: the period offers quarters, and the sheet holds numbers.
    named<QComboBox>(s, "periodField")->setCurrentIndex(1);
    QCOMPARE(named<QComboBox>(s, "indexField")->count(), 4);
    named<QComboBox>(s, "indexField")->setCurrentIndex(1);
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(s.paceLabel()->text(), QString());
    named<QPushButton>(s, "excelButton")->click();
    QVERIFY(!opened.isEmpty());
    const auto x = inspectXlsx(opened.toStdString()).at(0);
    QCOMPARE(x.cells.at(0).at(0), std::string("家 支出预算执行表 2024年第2季度"));
    QCOMPARE(x.cells.at(3).at(0), std::string("交通"));
    QCOMPARE(x.cells.at(3).at(3), std::string("-30"));
    QVERIFY(x.isNumber("D4"));
}

void BudgetScreensTest::theMainWindowLineOpensTheReport() {
    auto* totals = named<TotalsView>(*window_, "totalsView");
    QVERIFY(!totals->budgetLine()->isVisible());
    budget(2024, 5, "餐饮", "400");
    expense("2024-05-02", "餐饮", "100");
    window_->mySum();
    QVERIFY(totals->budgetLine()->isVisible());
    QVERIFY(totals->budgetLine()->text().contains(
        QStringLiteral("本月预算 400.00 元，已支出 100.00 元（25%）")));
    QTest::mouseClick(totals->budgetLine(), Qt::LeftButton, {},
                      QPoint(10, totals->budgetLine()->height() / 2));
    QTRY_VERIFY(dynamic_cast<TfrmBudgetReport*>(window_->openScreen()));
}

void BudgetScreensTest::aSaveThatTakesACategoryPastItsBudgetRemindsOnce() {
    auto* s = open<TfrmOutTable>("expense");
    QVERIFY(s);
    // The month of the date a new record is given.
    s->button(RecordScreen::kAdd)->click();
    const std::string day = named<DateEdit>(*s, "dateField")->dateText();
    s->button(RecordScreen::kCancel)->click();
    const int year = std::stoi(day.substr(0, 4));
    const int month = std::stoi(day.substr(5, 2));
    budget(year, month, "餐饮", "100");
    expense((day.substr(0, 8) + "01").c_str(), "餐饮", "90");

    // Any reminder window is counted and closed, so that none can hang the test.
    QStringList shown;
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<TfrmTXMes*>(QApplication::activeModalWidget())) {
            shown << box->windowTitle() + "|" + box->line(0)->text() + "|" + box->line(1)->text() +
                         "|" + box->line(2)->text();
            box->accept();
        }
    });
    watch.start();
    auto save = [&](const char* amount, const QString& name = QStringLiteral("餐饮")) {
        // The window has the keyboard again once a reminder has closed.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        s->button(RecordScreen::kAdd)->click();
        named<NameCombo>(*s, "nameField")->lineEdit()->setFocus();
        type(name);
        named<MoneyEdit>(*s, "amountField")->setFocus();
        type(QString::fromUtf8(amount));
        named<NameCombo>(*s, "accountField")->setName("钱包");
        named<NameCombo>(*s, "memberField")->setName("爸爸");
        s->button(RecordScreen::kSave)->click();
        QCOMPARE(s->mode(), RecordMode::Browse);
    };
    save("5");  // 95 of 100: nothing to tell
    QCOMPARE(shown.size(), 0);
    save("20");  // 115: past the budget by this save
    QTRY_COMPARE(shown.size(), 1);
    QCOMPARE(shown[0], QStringLiteral("预算提醒|支出类别：餐饮|%1年%2月预算 100.00 元，已支出 "
                                      "115.00 元|已超出预算 15.00 元。")
                           .arg(year)
                           .arg(month));
    save("1");  // already past: not again
    QTest::qWait(50);
    QCOMPARE(shown.size(), 1);

    // Turned off in the preferences: a save past the budget says nothing.
    book_->session.OpenBookState.TX_B = false;
    budget(year, month, "交通", "1");
    save("5", QStringLiteral("交通"));
    QTest::qWait(50);
    QCOMPARE(shown.size(), 1);
}

QTEST_MAIN(BudgetScreensTest)
#include "budget_screens_test.moc"
