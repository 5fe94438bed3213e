// The record queries as a user drives them: criteria ticked by typing, the
// details under the splitter, every printed report read back from its PDF, and
// the main window's pictures opening their queries.

#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "core/data_module.h"
#include "named.h"
#include "reporting/ui/report_preview.h"
#include "reports/ui/record_query_screen.h"
#include "ui_book.h"

using namespace fennory;
using fennory::testing::named;
using namespace fennory::ui;

class RecordQueryScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typingACategoryCompletesItAndTicksItsBox();
    void clickingADebtShowsItsRepaymentsUnderTheSplitter();
    void everyPrintedQueryReadsBackFromItsPdf();
    void theCashPictureOpensTheAccountQueryOnCashAccounts();

private:
    QString pdfText(const report::Layout& l, const Table& rows);
    FileOpener opener() {
        return [](const QString&) { return true; };
    }

    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
};

void RecordQueryScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    auto& db = dm_->db();
    const std::string b = dm_->book();
    db.execute(
        "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) VALUES"
        "(?1,'2024-05-01','工资',10000000,'钱包','爸爸','五月'),"
        "(?1,'2024-05-02','奖金',2000000,'钱包','爸爸','')",
        b);
    db.execute(
        "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) VALUES"
        "(?1,'2024-05-03','餐饮',123400,'钱包','爸爸','午饭')",
        b);
    db.execute(
        "INSERT INTO ChangeT(BName,CDate,OldN,NewN,CMoney,FName,Remark) VALUES"
        "(?1,'2024-05-04','钱包','银行卡',500000,'爸爸','存钱')",
        b);
    db.execute(
        "INSERT INTO Borrow(ID,BName,BDate,BPro,BMoney,AName,FName,RMoney,Remark) VALUES"
        "(1,?1,'2024-05-05','老王',3000000,'钱包','爸爸',1000000,''),"
        "(2,?1,'2024-05-06','老李',500000,'钱包','爸爸',0,'')",
        b);
    db.execute(
        "INSERT INTO BorrowR(BID,RDate,RMoney,AName,FName,Remark,BName) VALUES"
        "(1,'2024-05-10',400000,'钱包','爸爸','',?1),(1,'2024-05-20',600000,'钱包','爸爸','',?1)",
        b);
    db.execute(
        "INSERT INTO Debt(BName,DDate,DPro,DMoney,AName,FName,RMoney,Remark) VALUES"
        "(?1,'2024-05-07','小张',800000,'钱包','爸爸',0,'')",
        b);
    db.execute(
        "INSERT INTO TTable(BName,TDate,TName,TMoney,AName,FName,RMoney,Remark) VALUES"
        "(?1,'2024-05-08','基金',5000000,'钱包','爸爸',150000,'')",
        b);
}

void RecordQueryScreensTest::cleanup() {
    book_.reset();
}

QString RecordQueryScreensTest::pdfText(const report::Layout& l, const Table& rows) {
    const QString pdf = book_->dir.filePath(QStringLiteral("query.pdf"));
    if (!writeReportPdf(l, rows, pdf)) {
        return {};
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(30000)) {
        return {};
    }
    // The extractor gives some characters as their radical or traditional forms
    // (⾦ for 金, ⻚ for 页, 戶 for 户): the font draws them with one glyph.
    return QString::fromUtf8(text.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .replace(QChar(0x2EDA), QChar(0x9875))
        .replace(QChar(0x6236), QChar(0x6237));
}

void RecordQueryScreensTest::typingACategoryCompletesItAndTicksItsBox() {
    dm_->mySaveNew("InD", "IName", "工资");
    TfrmP_In q(*dm_, *prompter_, opener());
    QVERIFY(named<QCheckBox>(q, "dateBox")->isChecked());
    QVERIFY(!named<QCheckBox>(q, "nameBox")->isChecked());
    QVERIFY(!named<QPushButton>(q, "excelButton")->isEnabled());
    QVERIFY(!named<QPushButton>(q, "printButton")->isEnabled());
    auto* names = named<NameCombo>(q, "name");
    QVERIFY(names);
    QTest::keyClicks(names->lineEdit(), "gz");  // the pinyin code of 工资
    QCOMPARE(names->currentText(), QStringLiteral("工资"));
    QVERIFY(named<QCheckBox>(q, "nameBox")->isChecked());
    named<QPushButton>(q, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(q, "grid")->model()->rowCount(), 1);
    QCOMPARE(q.totalLabel(0)->text(), QStringLiteral("笔数：1"));
    QCOMPARE(q.totalLabel(1)->text(), QStringLiteral("合计金额：1,000.00"));
    QVERIFY(named<QPushButton>(q, "printButton")->isEnabled());
    QVERIFY(named<QComboBox>(q, "sortList")->count() == 5 &&
            !named<QComboBox>(q, "sortList")->isEditable());
}

void RecordQueryScreensTest::clickingADebtShowsItsRepaymentsUnderTheSplitter() {
    TfrmP_B q(*dm_, *prompter_, opener());
    QVERIFY(named<RecordGrid>(q, "detailGrid"));
    named<QPushButton>(q, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(q, "grid")->model()->rowCount(), 2);
    q.showDetail(0);  // 老王, oldest first under the date order
    QCOMPARE(named<RecordGrid>(q, "detailGrid")->model()->rowCount(), 2);
    QCOMPARE(named<RecordGrid>(q, "detailGrid")->model()->index(0, 0).data().toString(),
             QStringLiteral("2024-05-20"));
    named<QPushButton>(q, "queryButton")->click();  // a new query keeps the details
    QCOMPARE(named<RecordGrid>(q, "detailGrid")->model()->rowCount(), 2);
    q.showDetail(1);  // 老李 has repaid nothing
    QCOMPARE(named<RecordGrid>(q, "detailGrid")->model()->rowCount(), 0);

    TfrmP_A transfers(*dm_, *prompter_, opener());
    QVERIFY(!transfers.findChild<RecordGrid*>(QStringLiteral("detailGrid")));
    QVERIFY(!transfers.findChild<QComboBox*>(QStringLiteral("sortList")));
    TfrmA_Q accounts(*dm_, *prompter_, opener());
    QVERIFY(!accounts.findChild<QPushButton*>(QStringLiteral("printButton")));
}

void RecordQueryScreensTest::everyPrintedQueryReadsBackFromItsPdf() {
    struct Expect {
        const QueryKind& kind;
        QStringList texts;
    };
    const Expect members[] = {
        {incomeQuery(),
         {"家收入报表", "收入日期", "收入类别", "工资", "1,000.00", "合计 2", "1,200.00",
          "本页合计 2"}},
        {expenseQuery(), {"家支出报表", "支出金额", "餐饮", "12.34", "合计 1", "本页合计 1"}},
        {transferQuery(), {"家转账报表", "转帐日期", "原始帐户", "到账账户", "存钱", "50.00"}},
        {debtQuery(), {"家债务报表", "债权人名", "已还金额", "老王", "350.00", "100.00"}},
        {creditQuery(), {"家债权报表", "债务人名", "已收金额", "小张", "80.00"}},
        {investmentQuery(), {"家投资报表", "投资日期", "帐户名称", "基金", "500.00", "15.00"}},
    };
    for (const Expect& m : members) {
        RecordQuery q(*dm_, m.kind);
        q.run(q.initialCriteria("2024-05-31"));
        const QString page = pdfText(q.printLayout(), q.printRows(0, false));
        QVERIFY2(!page.isEmpty(), m.kind.caption);
        QCOMPARE(page.count(QChar('\f')), 1);  // one page
        for (const QString& t : m.texts + QStringList{"序号", "页数 1", "备注"}) {
            QVERIFY2(page.contains(t), qPrintable(QString::fromUtf8(m.kind.caption) + ": " + t));
        }
    }
}

void RecordQueryScreensTest::theCashPictureOpensTheAccountQueryOnCashAccounts() {
    dm_->NewAccount("零钱", "爸爸");
    dm_->db().execute("UPDATE SAccount SET theType='银行卡' WHERE AName='零钱'");
    TfrmMain window(*dm_, *prompter_);
    window.setAskOnClose(false);
    registerScreens(window);
    window.bookOpened();
    window.show();
    QToolButton* cash = named<TotalsView>(window, "totalsView")->picture("现金");
    QVERIFY(cash->isEnabled());
    QCOMPARE(cash->cursor().shape(), Qt::PointingHandCursor);
    cash->click();
    QVERIFY(window.ScreenOpenFlag("accountQuery"));
    auto* q = qobject_cast<RecordQueryScreen*>(window.openScreen());
    QVERIFY(q);
    QVERIFY(named<QCheckBox>(q, "typeBox")->isChecked());
    QCOMPARE(named<RecordGrid>(*q, "grid")->model()->rowCount(), 1);
    QCOMPARE(named<RecordGrid>(*q, "grid")->model()->index(0, 2).data().toString(),
             QStringLiteral("钱包"));

    named<TotalsView>(window, "totalsView")->picture("债务")->click();
    QVERIFY(window.ScreenOpenFlag("queryBorrow"));
}

QTEST_MAIN(RecordQueryScreensTest)
#include "record_query_screens_test.moc"
