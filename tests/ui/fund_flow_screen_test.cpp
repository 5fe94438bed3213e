// The fund-flow log screen: query, totals, the context menu, the sheet it
// writes and the report it prints.

#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "books/book_creation.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "import/spreadsheet_reader.h"
#include "modal.h"
#include "named.h"
#include "reporting/ui/report_preview.h"
#include "reports/ui/fund_flow_screen.h"
#include "scripted_prompter.h"
#include "support/workbook_probe.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class FundFlowScreenTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void queryListsAndTotalsTheTickedEntries();
    void changingInputsTicksTheirCriteria();
    void excelWritesTheSheetAndOpensIt();
    void contextMenuDeletesAfterTheQuestion();
    void editDialogSavesAndRefusesAnEmptyAmount();
    void printRendersPagesToPdf();
    void thePreviewIsCaptionedAndOffersPdfExcelAndFind();
    void presetOpensOnAnAccount();

private:
    void entry(const char* date, const char* type, const char* in, const char* out,
               const char* account);
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter = nullptr;
    QStringList opened_;
    FileOpener opener_;
};

void FundFlowScreenTest::init() {
    book_ = std::make_unique<testing::UiBook>("2024-02-15");
    dm_ = book_->dm.get();
    prompter = &book_->prompter;
    opened_.clear();
    opener_ = [this](const QString& f) {
        opened_ << f;
        return true;
    };
    QVERIFY(book_->openNew("家"));
    dm_->NewFamily("爸爸");
    dm_->NewAccount("现金", "爸爸");
    entry("2024-01-20", "工资", "1000", "0", "现金");
    entry("2024-02-01", "餐饮", "0", "30.5", "现金");
    entry("2024-02-02", "餐饮", "0", "12", "银行卡");
}

void FundFlowScreenTest::cleanup() {
    book_.reset();
}

void FundFlowScreenTest::entry(const char* date, const char* type, const char* in, const char* out,
                               const char* account) {
    dm_->List_Add({.theDate = date,
                   .theType = type,
                   .Remark = "备注",
                   .theIn = *Money::parse(in),
                   .theOut = *Money::parse(out),
                   .AName = account,
                   .FName = "爸爸",
                   .theT = "InTable",
                   .theID = 1,
                   .theE = LogEvent::Added});
}

void FundFlowScreenTest::queryListsAndTotalsTheTickedEntries() {
    TfrmPage3 screen(*dm_, *prompter, opener_);
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 0);
    QVERIFY(!named<QPushButton>(screen, "excelButton")->isEnabled());
    QVERIFY(named<QMenu>(screen, "contextMenu")->isEmpty());
    QCOMPARE(QString::fromStdString(named<DateEdit>(screen, "from")->dateText()),
             QStringLiteral("2024-01-15"));
    named<QPushButton>(screen, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 3);
    QCOMPARE(named<QLabel>(screen, "totalsLabel")->text(),
             QStringLiteral("记录：3    收入合计：1,000.00    支出合计：42.50"));
    QVERIFY(named<QPushButton>(screen, "excelButton")->isEnabled());
    QCOMPARE(named<QMenu>(screen, "contextMenu")->actions().size(), 4);
    QCOMPARE(
        named<RecordGrid>(screen, "grid")
            ->columnWidth(named<RecordGrid>(screen, "grid")->tableModel()->table().column("摘要")),
        260);
    QVERIFY(named<RecordGrid>(screen, "grid")
                ->isColumnHidden(
                    named<RecordGrid>(screen, "grid")->tableModel()->table().column("ID")));

    named<QCheckBox>(screen, "dateBox")->setChecked(true);
    named<DateEdit>(screen, "from")->setDateText("2024-02-01");
    named<DateEdit>(screen, "to")->setDateText("2024-02-29");
    named<QPushButton>(screen, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 2);
}

void FundFlowScreenTest::changingInputsTicksTheirCriteria() {
    TfrmPage3 screen(*dm_, *prompter, opener_);
    QVERIFY(!named<QCheckBox>(screen, "dateBox")->isChecked());
    named<DateEdit>(screen, "to")->setDateText("2024-02-10");
    QVERIFY(named<QCheckBox>(screen, "dateBox")->isChecked());
    QTest::keyClicks(named<QLineEdit>(screen, "remark"), "x");
    QVERIFY(named<QCheckBox>(screen, "remarkBox")->isChecked());
    emit named<QComboBox>(screen, "kind")->activated(0);
    QVERIFY(named<QCheckBox>(screen, "kindBox")->isChecked());
    QCOMPARE(named<QComboBox>(screen, "kind")->count(),
             2);  // the kinds of this book's log: 工资, 餐饮
}

void FundFlowScreenTest::excelWritesTheSheetAndOpensIt() {
    TfrmPage3 screen(*dm_, *prompter, opener_);
    named<QPushButton>(screen, "queryButton")->click();
    named<QPushButton>(screen, "excelButton")->click();
    QCOMPARE(opened_.size(), 1);
    QVERIFY(opened_[0].contains(QStringLiteral("/Data/Export/家-资金流动日志-")));
    auto layout = inspectXlsx(opened_[0].toStdString()).at(0);
    QCOMPARE(QString::fromStdString(layout.cells.at(0).at(0)),
             QStringLiteral("家-资金流动日志（2024-01-15至2024-02-15）"));
    QCOMPARE(QString::fromStdString(layout.cells.at(5).at(0)), QStringLiteral("合计"));
    QCOMPARE(QString::fromStdString(layout.cells.at(5).at(5)), QStringLiteral("42.5"));

    // No application to open it: the user is told where the file is.
    TfrmPage3 second(*dm_, *prompter, [](const QString&) { return false; });
    named<QPushButton>(second, "queryButton")->click();
    named<QPushButton>(second, "excelButton")->click();
    QVERIFY(prompter->last().contains(second.lastExport()));
}

void FundFlowScreenTest::contextMenuDeletesAfterTheQuestion() {
    TfrmPage3 screen(*dm_, *prompter, opener_);
    named<QPushButton>(screen, "queryButton")->click();
    prompter->answers = {false};
    screen.deleteCurrent();
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 3);
    QCOMPARE(prompter->asked.back(), QStringLiteral("删除: 确认要删除吗？该删除将不可恢复！"));
    prompter->answers = {true};
    named<RecordGrid>(screen, "grid")->selectRow(0);
    screen.deleteCurrent();
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 2);

    named<QCheckBox>(screen, "accountBox")->setChecked(true);
    named<QComboBox>(screen, "account")
        ->setCurrentIndex(named<QComboBox>(screen, "account")->findText("现金"));
    named<QPushButton>(screen, "queryButton")->click();
    prompter->answers = {true};
    screen.deleteAll();
    QCOMPARE(named<RecordGrid>(screen, "grid")->tableModel()->rowCount(), 0);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM UList").value(), 1);  // the bank card's
}

void FundFlowScreenTest::editDialogSavesAndRefusesAnEmptyAmount() {
    TfrmPage3 screen(*dm_, *prompter, opener_);
    named<QPushButton>(screen, "queryButton")->click();
    named<RecordGrid>(screen, "grid")->selectRow(0);
    testing::ModalScript script;
    script.then<TfrmPage3_M>([&](TfrmPage3_M& d) {
        QCOMPARE(named<QLineEdit>(d, "inField")->text(), QStringLiteral("1000"));
        named<QLineEdit>(d, "inField")->clear();
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter->last(), QStringLiteral("收入 不能为空！请重新录入！"));
        named<QLineEdit>(d, "inField")->setText("999");
        named<QPushButton>(d, "saveButton")->click();
    });
    script.start();
    screen.editCurrent();
    QVERIFY(script.finished());
    QCOMPARE(prompter->last(), QStringLiteral("资金流动日志 修改成功！"));
    QCOMPARE(QString::fromStdString(
                 named<RecordGrid>(screen, "grid")->tableModel()->table().displayText(0, 3)),
             QStringLiteral("999.00"));
}

void FundFlowScreenTest::printRendersPagesToPdf() {
    for (int i = 0; i < 60; ++i) {
        entry("2024-02-03", "餐饮", "0", "1", "现金");
    }
    FundFlowLog log(*dm_);
    log.query(FundFlowCriteria{});
    QString pdf = book_->dir.filePath("flow.pdf");
    QVERIFY(writeReportPdf(log.printLayout(), log.printRows(), pdf));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    int pages = static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                                 bytes.count("/Type /Page "));
    report::Pagination p = report::paginate(log.printLayout(), log.printRows(), "");
    QVERIFY(p.pages.size() > 1);
    QVERIFY2(pages >= static_cast<int>(p.pages.size()), QByteArray::number(pages));

    // The pages show the headings, the rows and the sums.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY2(text.waitForFinished(30000), "pdftotext did not run");
    // The extractor gives some characters as their radical forms (⾦ for 金, ⻚ for 页).
    QString all = QString::fromUtf8(text.readAllStandardOutput())
                      .normalized(QString::NormalizationForm_KC)
                      .replace(QChar(0x2EDA), QChar(0x9875));
    QStringList pagesText = all.split(QChar('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pagesText.size(), static_cast<int>(p.pages.size()));
    for (const QString& page : pagesText) {
        QVERIFY(page.contains(QStringLiteral("家资金流动日志")));
        QVERIFY(page.contains(QStringLiteral("收支类别")));
        QVERIFY(page.contains(QStringLiteral("本页合计")));
    }
    QVERIFY(pagesText.first().contains(QStringLiteral("页数 1")));
    QVERIFY(pagesText.first().contains(QStringLiteral("1,000.00")));  // the salary row
    QVERIFY(pagesText.last().contains(QStringLiteral("合计 63")));
    QVERIFY(pagesText.last().contains(QStringLiteral("102.50")));  // all expenses
}

void FundFlowScreenTest::thePreviewIsCaptionedAndOffersPdfExcelAndFind() {
    for (int i = 0; i < 60; ++i) {
        entry("2024-02-03", "餐饮", "0", "1", "现金");
    }
    TfrmPage3 screen(*dm_, *prompter, opener_);
    screen.onQuery();
    testing::ModalScript script;
    script.then<ReportPreview>([&](ReportPreview& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("家资金流动日志"));
        QVERIFY(d.extra(ReportPreview::kSavePdf)->isVisible());
        QVERIFY(d.extra(ReportPreview::kFind)->isVisible());
        QVERIFY(d.extra(ReportPreview::kExportSheet)->isVisible());
        d.extra(ReportPreview::kExportSheet)->trigger();
        QCOMPARE(opened_.size(), 1);
        // The grand total stands on the last page; find goes there.
        QVERIFY(d.find(QStringLiteral("合计 6")));
        QVERIFY(d.currentPage() > 1);
        QVERIFY(!d.find(QStringLiteral("没有这段文字")));
        QCOMPARE(prompter->last(), QStringLiteral("没有找到“没有这段文字”。"));
        d.reject();
    });
    script.start();
    named<QPushButton>(screen, "printButton")->click();
    QVERIFY(script.finished());
}

void FundFlowScreenTest::presetOpensOnAnAccount() {
    FundFlowPreset preset;
    preset.account = "银行卡";
    TfrmPage3* w = TfrmPage3::openWindow(*dm_, *prompter, opener_, nullptr, preset);
    QVERIFY(named<QCheckBox>(*w, "accountBox")->isChecked());
    QCOMPARE(named<RecordGrid>(*w, "grid")->tableModel()->rowCount(), 1);
    // The preset is an ordinary criterion: untick it and every entry is listed.
    named<QCheckBox>(*w, "accountBox")->setChecked(false);
    named<QPushButton>(*w, "queryButton")->click();
    QCOMPARE(named<RecordGrid>(*w, "grid")->tableModel()->rowCount(),
             static_cast<int>(dm_->db().queryInt("SELECT count(*) FROM UList").value()));
    // The recalculation takes the account chosen now, not the one of the query.
    named<QComboBox>(*w, "account")
        ->setCurrentIndex(named<QComboBox>(*w, "account")->findText("现金"));
    prompter->answers = {true};
    w->recalculate();
    QVERIFY(prompter->last() != QStringLiteral("请选择 账户名称！"));
    w->close();
}

QTEST_MAIN(FundFlowScreenTest)
#include "fund_flow_screen_test.moc"
