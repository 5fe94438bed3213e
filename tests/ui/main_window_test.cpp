// The main window's screen handling, checks and close question.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "app/history_dialog.h"
#include "app/main_window.h"
#include "app/screens.h"
#include "bookkeeping/entries.h"
#include "bookkeeping/ui/entry_screen.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/ui/desktop.h"
#include "modal.h"
#include "named.h"
#include "reporting/ui/export.h"
#include "scripted_prompter.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void onlyOneChildScreenIsOpenAtATime();
    void bookkeepingAsksForAMemberThenAnAccountFirst();
    void closingTheBookHidesItsMenusAndZeroesTheTotals();
    void closingAsksAndNoKeepsTheWindowOpen();
    void rowsAddedByAModuleLandInTheirMenuByOrder();
    void menuCaptionsAndShortcuts();
    void aDeletedRecordComesBackWithCtrlZ();
    void anUndoneChangeKeepsItsRecordCurrent();
    void theActionListGoesBackToARowAfterOneQuestion();
    void leaderLinesReachTheirFigures();
    void whatTheDesktopCannotOpenIsSaidWithWhereItIs();
    void theBookIsExportedAsAJournalInTheChosenFormat();

private:
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter = nullptr;
    Session* session = nullptr;
    std::unique_ptr<TfrmMain> window_;
};

void MainWindowTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter = &book_->prompter;
    session = &book_->session;
    window_ = std::make_unique<TfrmMain>(*dm_, *prompter);
    registerScreens(*window_);
    window_->setAskOnClose(false);
    window_->bookOpened();
}

void MainWindowTest::cleanup() {
    window_.reset();
    book_.reset();
}

void MainWindowTest::onlyOneChildScreenIsOpenAtATime() {
    QPointer<QWidget> first, second;
    window_->registerScreen("fundFlow", [&](Shell&) { return first = new QLabel("日志"); });
    window_->registerScreen("accountQuery", [&](Shell&) { return second = new QLabel("查询"); });
    window_->action("fundFlow")->trigger();
    QVERIFY(window_->ScreenOpenFlag("fundFlow"));
    QVERIFY(first);
    window_->action("accountQuery")->trigger();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!window_->ScreenOpenFlag("fundFlow"));
    QVERIFY(window_->ScreenOpenFlag("accountQuery"));
    QCOMPARE(window_->openScreen(), second.data());
    // "主界面" closes it and shows the totals again.
    window_->action("home")->trigger();
    QTRY_VERIFY(second.isNull());
    QVERIFY(!window_->ScreenOpenFlag("accountQuery"));
}

void MainWindowTest::bookkeepingAsksForAMemberThenAnAccountFirst() {
    int familyOpened = 0, incomeOpened = 0;
    window_->registerScreen("family", [&](Shell&) {
        ++familyOpened;
        return new QLabel("成员");
    });
    window_->registerScreen("income", [&](Shell&) {
        ++incomeOpened;
        return new QLabel("收入");
    });
    window_->action("income")->trigger();
    QCOMPARE(prompter->last(), QStringLiteral("您还没有录入 家庭成员，请先录入 家庭成员！"));
    QCOMPARE(familyOpened, 1);
    QCOMPARE(incomeOpened, 0);
    QVERIFY(window_->ScreenOpenFlag("family"));

    dm_->NewFamily("爸爸");
    window_->action("income")->trigger();
    QCOMPARE(prompter->last(), QStringLiteral("您还没有录入 账户名称，请先录入 账户名称！"));
    QCOMPARE(incomeOpened, 0);

    // A new plan asks the same; the lists of names do not.
    window_->action("planNew")->trigger();
    QCOMPARE(prompter->last(), QStringLiteral("您还没有录入 账户名称，请先录入 账户名称！"));
    const int asked = static_cast<int>(prompter->shown.size());
    window_->action("fundFlow")->trigger();
    QCOMPARE(static_cast<int>(prompter->shown.size()), asked);

    dm_->NewAccount("现金", "爸爸");
    window_->action("income")->trigger();
    QCOMPARE(incomeOpened, 1);
    QVERIFY(window_->ScreenOpenFlag("income"));
}

void MainWindowTest::leaderLinesReachTheirFigures() {
    dm_->NewAccount("现金", "爸爸");
    dm_->AccountUp(*Money::parse("1234567.89"), "现金");
    window_->resize(1024, 618);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->mySum();
    for (const char* caption : {"现金", "银行卡", "债务", "资金合计：", "负债合计："}) {
        QLabel* fig = named<TotalsView>(*window_, "totalsView")->figure(caption);
        QWidget* line = fig->parentWidget()->findChild<QWidget*>(QStringLiteral("leader"));
        QVERIFY(line);
        const int gap = fig->geometry().left() - line->geometry().right();
        QVERIFY2(gap >= 0 && gap <= 12, caption);
        // The figure is as wide as its text, no wider.
        QVERIFY(fig->width() <= fig->fontMetrics().horizontalAdvance(fig->text()) + 8);
    }
}

void MainWindowTest::closingTheBookHidesItsMenusAndZeroesTheTotals() {
    dm_->NewAccount("现金", "爸爸");
    dm_->AccountUp(Money::yuan(80), "现金");
    window_->mySum();
    QCOMPARE(named<TotalsView>(*window_, "totalsView")->figure("现金")->text(),
             QStringLiteral("80.00"));
    window_->action("closeBook")->trigger();
    QCOMPARE(named<TotalsView>(*window_, "totalsView")->figure("现金")->text(),
             QStringLiteral("0.00"));
    QVERIFY(!window_->menu(QStringLiteral("记账【&W】"))->menuAction()->isVisible());
    QVERIFY(!named<QToolBar>(*window_, "mainToolBar")->isEnabled());
    QCOMPARE(window_->windowTitle(), QStringLiteral("家"));  // keeps the last book's name
    QVERIFY(session->CurrentBook.empty());
}

void MainWindowTest::closingAsksAndNoKeepsTheWindowOpen() {
    window_->setAskOnClose(true);
    window_->show();
    prompter->answers = {false};
    window_->close();
    QVERIFY(window_->isVisible());
    QCOMPARE(prompter->asked.back(),
             QStringLiteral("确认退出: 确认要退出 Fennory记账软件 吗？  ^_^  "));
    prompter->answers = {true};
    window_->close();
    QVERIFY(!window_->isVisible());
}

// The rows a module adds land in their menu by order, grouped between
// separators, and stay disabled until something opens them.
void MainWindowTest::rowsAddedByAModuleLandInTheirMenuByOrder() {
    auto captions = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions()) {
            out << (a->isSeparator() ? QStringLiteral("|") : a->text());
        }
        return out;
    };
    QMenu* settings = window_->menu(QStringLiteral("基础设置【&B】"));
    QCOMPARE(captions(settings),
             (QStringList{"家庭成员 &F", "往来人员 &P", "账户管理 &A", "|", "收入类别 &I",
                          "支出类别 &O", "投资分类 &T", "|", "提醒设置 &W", "排序设置 &X",
                          "默认项设置 &M", "|", "版本设置 &B"}));
    QMenu* reports = window_->menu(QStringLiteral("报表中心【&R】"));
    QCOMPARE(captions(reports).mid(0, 7),
             (QStringList{"账户查询 &X", "|", "收支报表 &F", "收支统计表 &R", "收支分析 &E",
                          "债务债权统计表 &Z", "预算执行表 &U"}));
    QCOMPARE(captions(reports->actions().at(2)->menu()), (QStringList{"月报表 &M", "年报表 &Y"}));

    static constexpr MenuRow later[] = {{.id = "goals", .order = 150, .caption = "储蓄目标 &G"}};
    window_->addMenuRows("计划【&P】", later);
    QMenu* plans = window_->menu(QStringLiteral("计划【&P】"));
    QCOMPARE(captions(plans), (QStringList{"新建计划 &N", "查看计划 &V", "执行计划 &M",
                                           "储蓄目标 &G", "|", "今日计划 &D", "|", "预算设置 &B"}));
    QVERIFY(!window_->action("goals")->isEnabled());
    window_->registerScreen("goals", [](Shell&) { return new QLabel; });
    QVERIFY(window_->action("goals")->isEnabled());
}

void MainWindowTest::menuCaptionsAndShortcuts() {
    QCOMPARE(window_->action("income")->text(), QStringLiteral("收入 &I"));
    QCOMPARE(window_->action("income")->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
    QCOMPARE(window_->action("transfer")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QCOMPARE(window_->action("invest")->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QVERIFY(window_->actionByCaption(QStringLiteral("资金流动日志 &L")));
    QVERIFY(window_->actionByCaption(QStringLiteral("关于... &A")));
    QCOMPARE(named<QToolBar>(*window_, "mainToolBar")->actions().size(), 14);
    QCOMPARE(named<QToolBar>(*window_, "mainToolBar")->actions().back()->text(),
             QStringLiteral("主界面"));
}

namespace {
// A desktop opener on the PATH that answers with the given exit status, as
// xdg-open does when no program takes the file (3 or 4) or one did (0).
class FakeOpener {
public:
    explicit FakeOpener(int status) : oldPath_(qgetenv("PATH")) {
        QFile script(dir_.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> %1/opened\nexit %2\n")
                         .arg(dir_.path())
                         .arg(status)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", dir_.path().toUtf8() + ":" + oldPath_);
    }
    ~FakeOpener() { qputenv("PATH", oldPath_); }
    QString opened() const {
        QFile f(dir_.filePath(QStringLiteral("opened")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }

private:
    QTemporaryDir dir_;
    QByteArray oldPath_;
};
}  // namespace

void MainWindowTest::whatTheDesktopCannotOpenIsSaidWithWhereItIs() {
    {
        FakeOpener failing(3);
        window_->action("website")->trigger();
        QVERIFY(failing.opened().startsWith(QStringLiteral("http")));
        QVERIFY(prompter->last().startsWith(
            QStringLiteral("没有找到能打开网页的程序，请在浏览器中打开：\n")));
        QVERIFY(prompter->last().endsWith(failing.opened()));

        // An exported sheet is saved, and the message says where.
        Sheet sheet;
        sheet.setText(0, 0, "x");
        prompter->shown.clear();
        const QString file = exportSheet(sheet, *session, "测试", *prompter, desktopOpener());
        QVERIFY(QFile::exists(file));
        QCOMPARE(prompter->last(),
                 QStringLiteral("没有找到能打开电子表格的程序，文件已保存在：\n") + file);
    }
    {
        FakeOpener working(0);
        prompter->shown.clear();
        window_->action("website")->trigger();
        QCOMPARE(prompter->shown, QStringList());
        QVERIFY(openOnDesktop(book_->dir.path() + QStringLiteral("/Data/db.eac")));
    }
    // Nothing to open is never reported as opened.
    QVERIFY(!openOnDesktop(QStringLiteral("/no/such/file.xlsx")));
}

// The user deletes an income by mistake and presses Ctrl+Z: the record, its
// account's balance and the totals come back; Ctrl+Y deletes it again.
void MainWindowTest::aDeletedRecordComesBackWithCtrlZ() {
    dm_->NewFamily("爸爸");
    dm_->NewAccount("现金", "爸爸");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));

    window_->action("income")->trigger();
    auto* s = dynamic_cast<TfrmInTable*>(window_->openScreen());
    QVERIFY(s);
    s->button(RecordScreen::kAdd)->click();
    named<NameCombo>(*s, "nameField")->setName("工资");
    named<MoneyEdit>(*s, "amountField")->setText(QStringLiteral("100"));
    named<NameCombo>(*s, "accountField")->setName("现金");
    named<NameCombo>(*s, "memberField")->setName("爸爸");
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(dm_->RetAMoney("现金"), Money::yuan(100));

    prompter->answers = {true};
    s->button(RecordScreen::kDelete)->click();
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 0);
    QCOMPARE(dm_->RetAMoney("现金"), Money());

    window_->setFocus();
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 1);
    QCOMPARE(dm_->RetAMoney("现金"), Money::yuan(100));
    QCOMPARE(named<TotalsView>(*window_, "totalsView")->figure("现金")->text(),
             QStringLiteral("100.00"));
    // The income screen is open again, with the record back in its list.
    auto* again = dynamic_cast<TfrmInTable*>(window_->openScreen());
    QVERIFY(again);
    QCOMPARE(again->grid()->model()->rowCount(), 1);
    QCOMPARE(window_->action("redo")->text(), QStringLiteral("重做 删除收入记录"));
    QCOMPARE(window_->action("undo")->text(), QStringLiteral("撤销 新增收入记录"));

    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 0);
    QCOMPARE(dm_->RetAMoney("现金"), Money());
}

// Two incomes typed in; the older one changed, then the change taken back:
// the screen opens again on that record, not on the first row.
void MainWindowTest::anUndoneChangeKeepsItsRecordCurrent() {
    dm_->NewFamily("爸爸");
    dm_->NewAccount("现金", "爸爸");
    window_->action("income")->trigger();
    auto* s = dynamic_cast<TfrmInTable*>(window_->openScreen());
    QVERIFY(s);
    for (const char* amount : {"100", "200"}) {
        s->button(RecordScreen::kAdd)->click();
        named<NameCombo>(*s, "nameField")->setName("工资");
        named<MoneyEdit>(*s, "amountField")->setText(QString::fromUtf8(amount));
        named<NameCombo>(*s, "accountField")->setName("现金");
        named<NameCombo>(*s, "memberField")->setName("爸爸");
        s->button(RecordScreen::kSave)->click();
    }
    const auto older = dm_->db().queryInt("SELECT min(ID) FROM InTable").value();
    s->makeCurrent(older);
    QCOMPARE(s->currentId(), older);
    s->button(RecordScreen::kChange)->click();
    named<MoneyEdit>(*s, "amountField")->setText(QStringLiteral("150"));
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(dm_->RetAMoney("现金"), Money::yuan(350));

    window_->action("undo")->trigger();
    QCOMPARE(dm_->RetAMoney("现金"), Money::yuan(300));
    auto* again = dynamic_cast<TfrmInTable*>(window_->openScreen());
    QVERIFY(again);
    QCOMPARE(again->currentId(), older);
    QCOMPARE(named<MoneyEdit>(*again, "amountField")->text(), QStringLiteral("100"));
}

void MainWindowTest::theActionListGoesBackToARowAfterOneQuestion() {
    dm_->NewFamily("爸爸");
    dm_->NewAccount("现金", "爸爸");
    for (int i = 1; i <= 3; ++i) {
        EntryModel m(*dm_, incomeEntry());
        m.refresh();
        m.startNewRecord();
        QVERIFY(m.save({"2024-05-01", "工资", std::to_string(i * 10), "现金", "爸爸", ""}).ok);
    }
    QCOMPARE(dm_->RetAMoney("现金"), Money::yuan(60));
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TfrmHistory*>(QApplication::activeModalWidget());
        QVERIFY(d);
        seen = true;
        QCOMPARE(d->grid()->model()->rowCount(), 5);
        QVERIFY(d->findChild<QLabel*>("note")->text().contains(QStringLiteral("删除整个账簿")));
        // The first of the three incomes: three actions to take back.
        d->grid()->selectRow(2);
        QCOMPARE(d->stepButton()->text(), QStringLiteral("撤销到此处（&U）"));
        prompter->answers = {true};
        d->stepButton()->click();
        QVERIFY(prompter->asked.back().contains(QStringLiteral("将撤销最近的 3 个操作")));
        QCOMPARE(d->stepButton()->text(), QStringLiteral("重做到此处（&R）"));
        d->accept();
    });
    window_->action("history")->trigger();
    QVERIFY(seen);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InTable").value(), 0);
    QCOMPARE(named<TotalsView>(*window_, "totalsView")->figure("现金")->text(),
             QStringLiteral("0.00"));
    QCOMPARE(window_->action("redo")->text(), QStringLiteral("重做 新增收入记录"));
}

void MainWindowTest::theBookIsExportedAsAJournalInTheChosenFormat() {
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    dm_->AccountUp(Money::yuan(100), "钱包");
    testing::ModalScript script;
    QString offered;
    script.then<QInputDialog>([&](QInputDialog& d) {
        offered = d.comboBoxItems().join("|");
        d.setTextValue(d.comboBoxItems().at(1));  // beancount
        d.accept();
    });
    script.start();
    window_->action("exportJournal")->trigger();
    QTRY_VERIFY(script.finished());
    QCOMPARE(offered, QStringLiteral("hledger / ledger（.journal）|beancount（.beancount）"));
    QTRY_VERIFY(prompter->last().startsWith(QStringLiteral("已导出 1 笔交易、2 个账户到")));
    const QStringList written =
        QDir(QString::fromStdString((session->dataFile().parent_path() / "Export").string()))
            .entryList({QStringLiteral("*.beancount")});
    QCOMPARE(written.size(), 1);
    QVERIFY(written[0].startsWith(QStringLiteral("家-记账文本-")));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
