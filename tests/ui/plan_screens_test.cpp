// The plan screens as a user drives them: the due plans at start-up with the
// reminder sound, a new plan, the viewing and execution screens, the sound dialog.

#include <QFile>
#include <QtTest>

#include <fstream>

#include "app/main_window.h"
#include "app/screens.h"
#include "core/data_module.h"
#include "modal.h"
#include "named.h"
#include "plans/plans.h"
#include "plans/ui/plan_screens.h"
#include "plans/ui/sound.h"
#include "support/workbook_probe.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

namespace {

// Records what it was asked to play instead of making a sound.
class FakePlayer : public SoundPlayer {
public:
    explicit FakePlayer(QStringList& log) : log_(log) {}
    void play(const QString& file) override { log_ << file; }
    void stop() override { log_ << QStringLiteral("stop"); }

private:
    QStringList& log_;
};

}  // namespace

class PlanScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpWithDuePlansPlaysTheSoundAndExecutesFromTheDialog();
    void startUpWithoutDuePlansShowsAndPlaysNothing();
    void aMissingSoundFileIsSkippedSilently();
    void aNewPlanFollowsItsKindAndRuleAndSaves();
    void theViewingScreenDeletesAndExportsWhatIsListed();
    void theExecutionScreenBooksOnlyPlansDueByTheStartupDate();
    void theSoundDialogPlaysAndReplacesTheReminder();

private:
    void plan(const char* kind, const char* date, const char* amount = "100",
              const char* account = "钱包");
    QString soundFile() const;
    void writeSoundFile(const QByteArray& bytes) const;
    std::unique_ptr<TfrmMain> window();

    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
    QStringList played_;
};

void PlanScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    dm_->mySaveNew("InD", "IName", "工资");
    played_.clear();
}

void PlanScreensTest::cleanup() {
    book_.reset();
}

void PlanScreensTest::plan(const char* kind, const char* date, const char* amount,
                           const char* account) {
    dm_->db().execute(
        "INSERT INTO UPlan(BName,PType,PDate,PName,PMoney,AName,FName,PState,Remark) "
        "VALUES(?1,?2,?3,'工资',?4,?5,'爸爸','否','')",
        dm_->book(), kind, date, *Money::parse(amount), account);
}

QString PlanScreensTest::soundFile() const {
    return qs(reminderSoundFile(book_->session.ExeFolder).string());
}

void PlanScreensTest::writeSoundFile(const QByteArray& bytes) const {
    QDir(book_->dir.path()).mkpath(QStringLiteral("Music"));
    QFile f(soundFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::unique_ptr<TfrmMain> PlanScreensTest::window() {
    auto w = std::make_unique<TfrmMain>(*dm_, *prompter_);
    w->setAskOnClose(false);
    registerScreens(*w);
    w->setSoundPlayers([this] { return std::make_unique<FakePlayer>(played_); });
    w->bookOpened();
    return w;
}

void PlanScreensTest::startUpWithDuePlansPlaysTheSoundAndExecutesFromTheDialog() {
    book_->session.OpenBookState.TX_M = true;
    book_->session.OpenBookState.TX_T = true;
    writeSoundFile("chime");
    plan("收入", "2024-05-31", "250");  // today: due
    plan("收入", "2024-06-01");         // tomorrow: not yet
    auto w = window();

    int dialogs = 0;
    testing::ModalScript script;
    script.then<TfrmPlan_Now>([&](TfrmPlan_Now& d) {
        ++dialogs;
        QCOMPARE(named<QLabel>(d, "countLabel")->text(), QStringLiteral("笔数：1"));
        QCOMPARE(named<QLabel>(d, "totalLabel")->text(), QStringLiteral("合计金额：250"));
        prompter_->answers = {true};
        named<QPushButton>(d, "executeButton")->click();
    });
    script.start();
    w->show();
    QTRY_VERIFY(script.finished());
    QTRY_VERIFY(!QApplication::activeModalWidget());

    QCOMPARE(played_, QStringList{soundFile()});
    QCOMPARE(prompter_->asked.back(),
             QStringLiteral("执行计划: 确认要执行全部计划吗？该执行将不可恢复！"));
    QCOMPARE(prompter_->last(), QStringLiteral("计划执行成功！"));
    QCOMPARE(dm_->RetAMoney("钱包").toPlain(), std::string("250"));
    QVERIFY(!hasDuePlans(*dm_, "2024-05-31"));
    // The totals were read again after the dialog closed.
    QVERIFY(w->statusPanel(2)->text().contains(QStringLiteral("250.00")));

    // Only once per run: showing the window again checks nothing.
    plan("支出", "2024-05-30");
    w->hide();
    w->show();
    QTest::qWait(50);
    QCOMPARE(dialogs, 1);
    QCOMPARE(played_.size(), 1);
}

void PlanScreensTest::startUpWithoutDuePlansShowsAndPlaysNothing() {
    book_->session.OpenBookState.TX_M = true;
    book_->session.OpenBookState.TX_T = true;
    writeSoundFile("chime");
    plan("收入", "2024-06-01");
    auto w = window();
    w->show();
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(played_.isEmpty());
}

void PlanScreensTest::aMissingSoundFileIsSkippedSilently() {
    book_->session.OpenBookState.TX_M = true;
    book_->session.OpenBookState.TX_T = false;
    plan("收入", "2024-05-01");
    auto w = window();
    w->show();
    QTest::qWait(50);
    QVERIFY(played_.isEmpty());
    QVERIFY(prompter_->shown.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

void PlanScreensTest::aNewPlanFollowsItsKindAndRuleAndSaves() {
    book_->session.OpenBookState.IName = "工资";
    {
        TfrmPlan_New first(*dm_, *prompter_);
        QCOMPARE(named<QComboBox>(first, "accountList")->currentIndex(),
                 -1);  // the book has no default account
        named<QLineEdit>(first, "amountField")->setText(QStringLiteral("5"));
        named<QPushButton>(first, "saveButton")->click();
        QCOMPARE(prompter_->last(), QStringLiteral("请选择 账户名称！"));
    }
    book_->session.OpenBookState.AName = "钱包";
    book_->session.OpenBookState.FName = "爸爸";
    TfrmPlan_New d(*dm_, *prompter_);
    d.show();
    QCOMPARE(named<QLabel>(d, "nameLabel")->text(), QStringLiteral("收入类别："));
    QCOMPARE(named<PlanNamePicker>(d, "names")->current()->currentText(), QStringLiteral("工资"));
    QCOMPARE(named<DateEdit>(d, "startDate")->dateText(), std::string("2024-05-31"));
    QCOMPARE(named<DateEdit>(d, "endDate")->dateText(), std::string("2024-06-30"));

    named<PlanKindButtons>(d, "kinds")->button(QStringLiteral("债权"))->click();
    QCOMPARE(named<QLabel>(d, "nameLabel")->text(), QStringLiteral("债  务  人："));
    named<PlanKindButtons>(d, "kinds")->button(QStringLiteral("收入"))->click();
    QCOMPARE(named<PlanNamePicker>(d, "names")->current()->currentText(),
             QStringLiteral("工资"));  // kept its choice

    d.repeatButton(Repeat::Monthly)->click();
    QCOMPARE(named<DateEdit>(d, "endDate")->dateText(), std::string("2025-05-31"));
    named<QSpinBox>(d, "monthlyDay")->setValue(40);
    QCOMPARE(named<QSpinBox>(d, "monthlyDay")->value(), 28);  // kept inside its range

    QTest::keyClicks(named<QLineEdit>(d, "amountField"), "0");
    named<QPushButton>(d, "saveButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("金额不能为空！请重新录入！"));
    QVERIFY(named<QLineEdit>(d, "amountField")->text().isEmpty());
    QTest::keyClicks(named<QLineEdit>(d, "amountField"),
                     "-1a5.5");  // only digits and points get in
    QCOMPARE(named<QLineEdit>(d, "amountField")->text(), QStringLiteral("15.5"));
    named<QPushButton>(d, "saveButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("计划保存成功！"));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    Statement s = dm_->db().prepare("SELECT count(*), min(PDate), max(PDate) FROM UPlan");
    QVERIFY(s.step());
    QCOMPARE(s.integer(0), 12);  // 365 days hold 11 whole months
    QCOMPARE(s.text(1), std::string("2024-06-28"));
    QCOMPARE(s.text(2), std::string("2025-05-28"));
}

void PlanScreensTest::theViewingScreenDeletesAndExportsWhatIsListed() {
    dm_->NewAccount("银行卡", "爸爸");
    plan("收入", "2024-06-01", "10");
    plan("收入", "2024-06-02", "20", "银行卡");
    plan("收入", "2024-06-03", "30", "银行卡");
    plan("支出", "2024-06-03", "40", "银行卡");
    QString opened;
    TfrmPlan_V v(*dm_, *prompter_, [&](const QString& f) {
        opened = f;
        return true;
    });
    QVERIFY(!named<QPushButton>(v, "actionButton")->isEnabled());
    QVERIFY(named<QMenu>(v, "contextMenu")->isEmpty());
    QCOMPARE(named<RecordGrid>(v, "grid")->model()->rowCount(), 0);

    // Choosing a value does not tick its box.
    named<QComboBox>(v, "account")->setCurrentText(QStringLiteral("银行卡"));
    QVERIFY(!named<QCheckBox>(v, "accountBox")->isChecked());
    named<QPushButton>(v, "queryButton")->click();
    QCOMPARE(named<QLabel>(v, "countLabel")->text(), QStringLiteral("笔数：3"));
    QCOMPARE(named<QLabel>(v, "totalLabel")->text(), QStringLiteral("合计金额：60"));
    QCOMPARE(named<QMenu>(v, "contextMenu")->actions().size(), 2);
    QVERIFY(named<QPushButton>(v, "actionButton")->isEnabled());

    v.onExcel();
    QVERIFY(!opened.isEmpty());
    const auto sheets = inspectXlsx(opened.toStdString());
    QCOMPARE(sheets.at(0).cells.at(0).at(0), std::string("家-计划表"));
    QVERIFY(sheets.at(0).isNumber("E3"));
    QCOMPARE(sheets.at(0).cells.at(5).at(0), std::string("合计"));

    named<QCheckBox>(v, "accountBox")->setChecked(true);
    named<QPushButton>(v, "queryButton")->click();
    QCOMPARE(named<QLabel>(v, "countLabel")->text(), QStringLiteral("笔数：2"));
    prompter_->answers = {false};
    v.deleteAll();
    QCOMPARE(v.model().count(), 2u);
    prompter_->answers = {true};
    v.deleteAll();
    QCOMPARE(prompter_->asked.back(), QStringLiteral("删除: 确认要全部删除吗？该删除将不可恢复！"));
    QCOMPARE(prompter_->last(), QStringLiteral("数据删除成功！"));
    QCOMPARE(named<QLabel>(v, "countLabel")->text(), QStringLiteral("笔数：0"));
    QCOMPARE(named<QLabel>(v, "totalLabel")->text(), QStringLiteral("合计金额："));

    // The other account's plan and the bank's expense plan are still there.
    named<QCheckBox>(v, "accountBox")->setChecked(false);
    named<QPushButton>(v, "queryButton")->click();
    QCOMPARE(v.model().count(), 1u);
    named<RecordGrid>(v, "grid")->selectRow(0);
    v.deleteCurrent();
    QCOMPARE(v.model().count(), 0u);
    named<PlanKindButtons>(v, "kinds")
        ->button(QStringLiteral("支出"))
        ->click();  // choosing a kind lists it
    QCOMPARE(named<QCheckBox>(v, "nameBox")->text(), QStringLiteral("支出类别"));
    QCOMPARE(v.model().count(), 1u);
}

void PlanScreensTest::theExecutionScreenBooksOnlyPlansDueByTheStartupDate() {
    plan("收入", "2024-05-30", "10");
    plan("收入", "2024-05-31", "20");
    plan("收入", "2024-06-01", "40");
    TfrmPlan_EX x(*dm_, *prompter_);
    QCOMPARE(named<QPushButton>(x, "actionButton")->text(), QStringLiteral("执行"));
    QVERIFY(!named<QPushButton>(x, "actionButton")->isEnabled());
    named<QPushButton>(x, "queryButton")->click();
    QCOMPARE(x.model().count(), 3u);
    prompter_->answers = {true};
    named<QPushButton>(x, "actionButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("计划执行成功！"));
    QCOMPARE(named<QProgressBar>(x, "progressBar")->value(), 3);
    QCOMPARE(x.model().count(), 1u);
    QCOMPARE(x.model().text(PlanColumn::Date), std::string("2024-06-01"));
    QCOMPARE(dm_->RetAMoney("钱包").toPlain(), std::string("30"));
}

void PlanScreensTest::theSoundDialogPlaysAndReplacesTheReminder() {
    writeSoundFile("old");
    const QString chosen = QDir(book_->dir.path()).filePath(QStringLiteral("bell.mp3"));
    {
        QFile f(chosen);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("new bell");
    }
    QString answer;
    TfrmSound d(
        book_->session.ExeFolder, *prompter_,
        [this] { return std::make_unique<FakePlayer>(played_); }, [&](QWidget*) { return answer; });
    QCOMPARE(named<QLineEdit>(d, "currentPath")->text(), soundFile());
    named<QPushButton>(d, "playButton")->click();
    QCOMPARE(played_, QStringList{soundFile()});

    named<QPushButton>(d, "replaceButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("请打开声音文件！"));

    answer = QDir(book_->dir.path()).filePath(QStringLiteral("missing.mp3"));
    named<QPushButton>(d, "openButton")->click();
    QCOMPARE(named<QLineEdit>(d, "newPath")->text(), answer);
    played_.clear();
    named<QPushButton>(d, "listenButton")->click();
    QVERIFY(played_.isEmpty());  // nothing there to play

    answer = chosen;
    named<QPushButton>(d, "openButton")->click();
    named<QPushButton>(d, "listenButton")->click();
    QCOMPARE(played_, QStringList{chosen});
    named<QPushButton>(d, "replaceButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("替换成功！"));
    QVERIFY(named<QLineEdit>(d, "newPath")->text().isEmpty());
    QCOMPARE(played_.back(), QStringLiteral("stop"));  // released before the copy
    QFile now(soundFile());
    QVERIFY(now.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll(), QByteArray("new bell"));
}

QTEST_MAIN(PlanScreensTest)
#include "plan_screens_test.moc"
