// The statistics screens as a user drives them: the run, the totals shown,
// the wrong span refused, the export of the last run, the printed monthly report.

#include <QProcess>
#include <QtTest>

#include "core/data_module.h"
#include "core/dates.h"
#include "reporting/ui/report_preview.h"
#include "reports/ui/analysis_screen.h"
#include "reports/ui/loan_statistics_screen.h"
#include "reports/ui/movement_query_screen.h"
#include "reports/ui/period_report_screen.h"
#include "reports/ui/statistics_screen.h"

#include <QAbstractSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QPieSeries>
#include "named.h"
#include "support/workbook_probe.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class StatisticsScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void incomeAndExpenseStatisticsShowBothSidesAndExportTheLastRun();
    void theMonthlyReportRunsRefusesAWrongSpanAndPrints();
    void theYearlyReportOpensOnLastYearAndThisYear();
    void debtStatisticsAndRepaymentQueriesList();
    void theAnalysisDrawsThreeChartsAndANewRunReplacesThem();
    void theMonthByGroupCommandWritesItsWorkbook();
    void tenYearsDrawEveryYearAsASliceAndEveryDayAsAVisibleBar();

private:
    void income(const char* date, const char* name, const char* amount);
    void expense(const char* date, const char* name, const char* amount);
    FileOpener opener() {
        return [this](const QString& f) {
            opened_ = f;
            return true;
        };
    }

    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
    QString opened_;
};

void StatisticsScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    dm_->NewFamily("爸爸");
    dm_->NewAccount("钱包", "爸爸");
    opened_.clear();
}

void StatisticsScreensTest::cleanup() {
    book_.reset();
}

void StatisticsScreensTest::income(const char* date, const char* name, const char* amount) {
    dm_->db().execute(
        "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName,Remark) "
        "VALUES(?1,?2,?3,?4,'钱包','爸爸','')",
        dm_->book(), date, name, *Money::parse(amount));
}

void StatisticsScreensTest::expense(const char* date, const char* name, const char* amount) {
    dm_->db().execute(
        "INSERT INTO OutTable(BName,ODate,OName,OMoney,AName,FName,Remark) "
        "VALUES(?1,?2,?3,?4,'钱包','爸爸','')",
        dm_->book(), date, name, *Money::parse(amount));
}

void StatisticsScreensTest::incomeAndExpenseStatisticsShowBothSidesAndExportTheLastRun() {
    income("2024-05-10", "工资", "1000");
    income("2024-05-11", "奖金", "200");
    TfrmPage1 s(*dm_, *prompter_, opener());
    QVERIFY(named<QCheckBox>(s, "dateBox")->isChecked());
    QCOMPARE(named<DateEdit>(s, "from")->dateText(), std::string("2024-04-30"));
    QCOMPARE(named<QComboBox>(s, "groupList")->currentText(), QStringLiteral("收支类别"));
    QCOMPARE(named<QComboBox>(s, "sortList")->currentText(), QStringLiteral("金额降序"));
    QVERIFY(!named<QComboBox>(s, "groupList")->isEditable());
    QVERIFY(!named<QPushButton>(s, "excelButton")->isEnabled());

    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(s.incomeGrid()->model()->rowCount(), 2);
    QCOMPARE(s.incomeGrid()->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("收入名称"));
    QCOMPARE(s.countLabel(0)->text(), QStringLiteral("笔数：2"));
    QCOMPARE(s.sumLabel(0)->text(), QStringLiteral("合计金额：1,200.00"));
    QCOMPARE(s.countLabel(1)->text(), QStringLiteral("笔数：0"));
    QCOMPARE(s.sumLabel(1)->text(), QStringLiteral("合计金额："));
    QVERIFY(named<QPushButton>(s, "excelButton")->isEnabled());

    // The export writes what the last run found, even with the criteria changed since.
    named<QComboBox>(s, "groupList")->setCurrentIndex(4);
    named<QPushButton>(s, "excelButton")->click();
    QVERIFY(!opened_.isEmpty());
    const auto x = inspectXlsx(opened_.toStdString()).at(0);
    QCOMPARE(x.cells.at(2).at(1), std::string("收入名称"));
    QCOMPARE(x.cells.at(3).at(1), std::string("工资"));
    QVERIFY(x.isNumber("D4"));

    // Picking an account ticks its box.
    named<QComboBox>(s, "account")->activated(0);
    QVERIFY(named<QCheckBox>(s, "accountBox")->isChecked());
}

void StatisticsScreensTest::theMonthlyReportRunsRefusesAWrongSpanAndPrints() {
    for (int m = 1; m <= 12; ++m) {
        const std::string date = dates::format(2023, m, 10);
        income(date.c_str(), "工资", "1000");
        expense(date.c_str(), "餐饮", "250.5");
    }
    TfrmSZ_M s(*dm_, *prompter_, opener());
    QCOMPARE(s.windowTitle(), QStringLiteral("收支月报表"));
    QVERIFY(!named<QPushButton>(s, "printButton")->isEnabled());
    named<DateEdit>(s, "from")->setDateText("2023-01-01");
    named<DateEdit>(s, "to")->setDateText("2023-12-31");
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 12);
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("月份"));
    QCOMPARE(s.totalLabel(0)->text(), QStringLiteral("数量：12"));
    QCOMPARE(s.totalLabel(1)->text(), QStringLiteral("收入合计：12,000.00"));
    QCOMPARE(s.totalLabel(5)->text(), QStringLiteral("结余合计：8,994.00"));
    QCOMPARE(named<QProgressBar>(s, "progressBar")->value(), 12);
    QVERIFY(named<QPushButton>(s, "printButton")->isEnabled());

    named<DateEdit>(s, "from")->setDateText("2024-01-01");
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("日期选择错误，请重新选择！"));
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 12);

    // The printed report: headings, rows numbered from 1, page sums and totals.
    const QString pdf = book_->dir.filePath(QStringLiteral("month.pdf"));
    QVERIFY(writeReportPdf(s.report().printLayout(), s.report().printRows(), pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000), "pdftotext did not run");
    const QString all = QString::fromUtf8(text.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .replace(QChar(0x2EDA), QChar(0x9875));
    const QStringList pages = all.split(QChar('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 1);
    const QString& page = pages.first();
    for (const char* s : {"收支月统计表", "序号", "月份", "收入金额", "收入笔数", "支出金额",
                          "支出笔数", "结余", "页数 1", "2023-01", "2023-12", "1,000.00", "0.25",
                          "本页合计 12", "合计 12", "12,000.00", "3,006.00", "8,994.00"}) {
        QVERIFY2(page.contains(QString::fromUtf8(s)), s);
    }
    QVERIFY(!page.contains(QStringLiteral("支出占收入")));
    QVERIFY(QRegularExpression(QStringLiteral("(^|\\n)\\s*1\\s+2023-01")).match(page).hasMatch());
}

void StatisticsScreensTest::theYearlyReportOpensOnLastYearAndThisYear() {
    income("2023-06-01", "工资", "10");
    TfrmSZ_Y s(*dm_, *prompter_, opener());
    QCOMPARE(named<DateEdit>(s, "from")->dateText(), std::string("2023-01-01"));
    QCOMPARE(named<DateEdit>(s, "to")->dateText(), std::string("2024-12-31"));
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 2);
    named<QPushButton>(s, "excelButton")->click();
    const auto x = inspectXlsx(opened_.toStdString()).at(0);
    QCOMPARE(x.cells.at(0).at(0), std::string("家-收支年报表"));
    QCOMPARE(x.cells.at(1).at(1), std::string("年份"));
}

void StatisticsScreensTest::debtStatisticsAndRepaymentQueriesList() {
    dm_->db().execute(
        "INSERT INTO Borrow(ID,BName,BDate,BPro,BMoney,AName,FName) VALUES(1,?1,'2024-05-01',"
        "'老王',500000,'钱包','爸爸')",
        dm_->book());
    dm_->db().execute(
        "INSERT INTO BorrowR(BID,RDate,RMoney,AName,FName,Remark,BName) "
        "VALUES(1,'2024-05-20',200000,'钱包','爸爸','part payment',?1)",
        dm_->book());
    TfrmPage2 loans(*dm_, *prompter_, opener());
    // Enter in a criteria field runs the statistics, as the default button.
    loans.show();
    QApplication::setActiveWindow(&loans);
    QVERIFY(QTest::qWaitForWindowActive(&loans));
    auto* date = loans.findChild<QDateEdit*>();
    QVERIFY(date);
    date->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(named<RecordGrid>(loans, "debtGrid")->model()->rowCount(), 1);
    QCOMPARE(named<RecordGrid>(loans, "creditGrid")->model()->rowCount(), 0);
    named<QPushButton>(loans, "excelButton")->click();
    QVERIFY(opened_.contains(QStringLiteral("债务债权统计表")));

    TfrmBR_Q q(*dm_, *prompter_, opener());
    QCOMPARE(q.windowTitle(), QStringLiteral("还债记录查询"));
    QCOMPARE(named<QCheckBox>(q, "nameBox")->text(), QStringLiteral("债  权  人"));
    QCOMPARE(named<QComboBox>(q, "sortList")->itemText(2), QStringLiteral("还债金额"));
    named<QLineEdit>(q, "remark")->setText(QString());
    QTest::keyClicks(named<QLineEdit>(q, "remark"), "part");
    QVERIFY(named<QCheckBox>(q, "remarkBox")->isChecked());  // typing ticks its box
    named<QPushButton>(q, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(q, "grid")->model()->rowCount(), 1);
    QVERIFY(named<RecordGrid>(q, "grid")->isColumnHidden(static_cast<int>(MovementColumn::Book)));
    QCOMPARE(named<QLabel>(q, "countLabel")->text(), QStringLiteral("笔数：1"));
    QCOMPARE(named<QLabel>(q, "totalLabel")->text(), QStringLiteral("合计金额：20.00"));
    named<QPushButton>(q, "excelButton")->click();
    QVERIFY(opened_.contains(QStringLiteral("还债表")));

    TfrmTR_Q r(*dm_, *prompter_, opener());
    QCOMPARE(named<QCheckBox>(r, "accountBox")->text(), QStringLiteral("帐户名称"));
}

void StatisticsScreensTest::theAnalysisDrawsThreeChartsAndANewRunReplacesThem() {
    for (int m = 1; m <= 30; ++m) {
        const std::string date = dates::format(2022 + (m - 1) / 12, (m - 1) % 12 + 1, 5);
        expense(date.c_str(), m % 2 ? "餐饮" : "交通", "10");
    }
    QString saved = book_->dir.filePath(QStringLiteral("chart"));
    QString suggestedName;
    AnalysisScreen s(*dm_, *prompter_, opener(), expenseAnalysis(),
                     [&](QWidget*, const QString& suggested) {
                         suggestedName = suggested;
                         return saved;
                     });
    s.resize(1000, 600);
    s.show();
    QCOMPARE(named<QComboBox>(s, "itemList")->currentText(), QStringLiteral("月支出"));
    QVERIFY(!named<QCheckBox>(s, "dateBox")->isChecked());
    QCOMPARE(named<QTabWidget>(s, "tabs")->tabText(2), QStringLiteral("饼图"));
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 30);
    QCOMPARE(named<QLabel>(s, "countLabel")->text(), QStringLiteral("数量：30"));
    QCOMPARE(named<QLabel>(s, "totalLabel")->text(), QStringLiteral("合计金额：300.00"));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(s.chart(i)->title(), QStringLiteral("支出分析"));
        QCOMPARE(s.chart(i)->series().size(), 1);
    }
    auto* x = qobject_cast<QBarCategoryAxis*>(s.chart(0)->axes(Qt::Horizontal).value(0));
    QVERIFY(x);
    QCOMPARE(x->count(), 30);
    QCOMPARE(x->labelsAngle(), -90);  // thirty months stay readable

    named<QComboBox>(s, "itemList")->setCurrentIndex(static_cast<int>(AnalysisItem::Category));
    named<QPushButton>(s, "runButton")->click();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(s.chart(i)->series().size(), 1);  // replaced, not added
    }
    auto* pie = qobject_cast<QPieSeries*>(s.chart(2)->series().first());
    QCOMPARE(pie->count(), 2);
    QVERIFY(pie->slices().first()->isLabelVisible());
    QVERIFY(pie->slices().first()->label().startsWith(QStringLiteral("交通")) ||
            pie->slices().first()->label().startsWith(QStringLiteral("餐饮")));

    named<QPushButton>(s, "savePictureButton")->click();
    QCOMPARE(suggestedName, QStringLiteral("支出分析-柱图.png"));
    QCOMPARE(s.lastPicture(), saved + QStringLiteral(".png"));
    QImage picture(s.lastPicture());
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() > 100);

    named<QPushButton>(s, "excelButton")->click();
    const auto sheet = inspectXlsx(opened_.toStdString()).at(0);
    QCOMPARE(sheet.cells.at(0).at(0), std::string("家-支出分析表"));
}

void StatisticsScreensTest::theMonthByGroupCommandWritesItsWorkbook() {
    expense("2024-01-05", "餐饮", "10");
    expense("2024-02-05", "交通", "5");
    const QString file = mySumReport(*dm_, *prompter_, monthGroupKinds().at(3), opener());
    QVERIFY(file.contains(QStringLiteral("支出月报表-按支出类别")));
    QCOMPARE(file, opened_);
    const auto x = inspectXlsx(file.toStdString()).at(0);
    QCOMPARE(x.cells.at(0).at(0), std::string("家-支出月报表-按支出类别"));
    QCOMPARE(x.cells.at(4).at(4), std::string("15"));
}

void StatisticsScreensTest::tenYearsDrawEveryYearAsASliceAndEveryDayAsAVisibleBar() {
    // Ten years of daily spending, one year much larger than the rest.
    dm_->db().execute("BEGIN");
    for (int day = 0; day < 3648; ++day) {
        const std::string date = dates::addDays("2015-01-01", day);
        expense(date.c_str(), "餐饮", date.starts_with("2020") ? "200" : "10");
    }
    dm_->db().execute("COMMIT");
    AnalysisScreen s(*dm_, *prompter_, opener(), expenseAnalysis(),
                     [](QWidget*, const QString&) { return QString(); });
    s.resize(1000, 600);
    s.show();
    named<QComboBox>(s, "itemList")->setCurrentIndex(static_cast<int>(AnalysisItem::Year));
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 10);
    auto* pie = qobject_cast<QPieSeries*>(s.chart(2)->series().first());
    QCOMPARE(pie->count(), 10);  // no year folded into another slice
    int labelled = 0;
    for (QPieSlice* slice : pie->slices()) {
        labelled += slice->isLabelVisible() ? 1 : 0;
        QVERIFY(slice->label().startsWith(QString::number(2015 + pie->slices().indexOf(slice))));
    }
    QVERIFY(labelled >= 1 && labelled <= 10);

    named<QComboBox>(s, "itemList")->setCurrentIndex(static_cast<int>(AnalysisItem::Day));
    named<QPushButton>(s, "runButton")->click();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 3648);
    named<QTabWidget>(s, "tabs")->setCurrentIndex(0);
    auto* view = qobject_cast<QChartView*>(named<QTabWidget>(s, "tabs")->currentWidget());
    QVERIFY(view);
    const QImage shot = view->grab().toImage();
    const QColor bar =
        qobject_cast<QBarSeries*>(s.chart(0)->series().first())->barSets().first()->brush().color();
    // The bars cover a good share of the plot: they are seen, not lost
    // between pixels.
    const QRectF plot = s.chart(0)->plotArea();
    int barPixels = 0;
    for (int y = static_cast<int>(plot.top()); y < static_cast<int>(plot.bottom()); ++y) {
        for (int x = static_cast<int>(plot.left()); x < static_cast<int>(plot.right()); ++x) {
            const QColor c = shot.pixelColor(x * shot.width() / view->width(),
                                             y * shot.height() / view->height());
            if (std::abs(c.red() - bar.red()) + std::abs(c.green() - bar.green()) +
                    std::abs(c.blue() - bar.blue()) <
                60) {
                ++barPixels;
            }
        }
    }
    QVERIFY2(barPixels > plot.width() * plot.height() * 0.02,
             qPrintable(QStringLiteral("only %1 pixels of bars").arg(barPixels)));
}

QTEST_MAIN(StatisticsScreensTest)
#include "statistics_screens_test.moc"
