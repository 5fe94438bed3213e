// Printed reports read back from their PDF as another program reads them:
// every figure whole, inside the cell it was printed in.

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "core/dates.h"
#include "named.h"
#include "reporting/ui/report_preview.h"
#include "reports/period_report.h"
#include "reports/record_query.h"
#include "scripted_prompter.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

namespace {

struct Word {
    int page;
    double xMin, xMax;
    QString text;
};

// The words of the PDF with their boxes in points, as pdftotext -bbox gives them.
QList<Word> wordsOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) {
        return {};
    }
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    QList<Word> out;
    int page = -1;
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        out.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return out;
}

bool isFigure(const std::string& s) {
    return !s.empty() && s.find_first_not_of("-0123456789,.") == std::string::npos &&
           s.find_first_of("0123456789") != std::string::npos;
}

// Every figure the layout placed is one word of the PDF, whole, within its cell.
void expectFiguresWhole(const report::Layout& layout, const Table& rows, const QString& pdf) {
    QVERIFY(writeReportPdf(layout, rows, pdf));
    const QList<Word> words = wordsOf(pdf);
    QVERIFY2(!words.isEmpty(), "pdftotext read nothing");
    const auto pages =
        report::placePages(layout, rows, report::paginate(layout, rows, report::nowText()));
    constexpr double kPt = 72.0 / 25.4;
    constexpr double kSlack = 0.5;  // points: the rounding of a glyph's advance
    int checked = 0;
    for (std::size_t pg = 0; pg < pages.size(); ++pg) {
        for (const report::TextBox& box : pages[pg].texts) {
            if (!isFigure(box.text)) {
                continue;
            }
            const QString want = QString::fromStdString(box.text);
            const double left = box.x * kPt - kSlack, right = (box.x + box.width) * kPt + kSlack;
            bool found = false;
            for (const Word& w : words) {
                if (w.page == static_cast<int>(pg) && w.text == want && w.xMin >= left &&
                    w.xMax <= right) {
                    found = true;
                    break;
                }
            }
            QVERIFY2(found, qPrintable(QStringLiteral("page %1: \"%2\" is not printed whole in "
                                                      "its cell")
                                           .arg(pg + 1)
                                           .arg(want)));
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theYearlyReportPrintsTwelveDigitAmountsWhole();
    void theQueryPrintsSixDigitNumbersAndTotalsWhole();
    void aLongPreviewPlacesOnlyThePagesShownAndKeepsOnePrintingTime();

private:
    void add(const char* table, const char* dateColumn, const char* nameColumn,
             const char* moneyColumn, std::int64_t id, const char* date, const char* amount);
    std::unique_ptr<testing::UiBook> book_;
};

void PrintingTest::init() {
    book_ = std::make_unique<testing::UiBook>("2024-05-31");
    QVERIFY(book_->openNew("家"));
}

void PrintingTest::cleanup() {
    book_.reset();
}

void PrintingTest::add(const char* table, const char* dateColumn, const char* nameColumn,
                       const char* moneyColumn, std::int64_t id, const char* date,
                       const char* amount) {
    book_->db->execute(QStringLiteral("INSERT INTO %1(ID,BName,%2,%3,%4,AName,FName,Remark) "
                                      "VALUES(?1,'家',?2,'工资',?3,'工商银行','爸爸','')")
                           .arg(table, dateColumn, nameColumn, moneyColumn)
                           .toStdString(),
                       id, date, *Money::parse(amount));
}

void PrintingTest::theYearlyReportPrintsTwelveDigitAmountsWhole() {
    std::int64_t id = 1;
    for (int y = 2015; y <= 2024; ++y) {
        const std::string date = std::to_string(y) + "-06-30";
        for (int i = 0; i < 9; ++i) {
            add("InTable", "IDate", "IName", "IMoney", id++, date.c_str(), "9999999999.99");
        }
        add("OutTable", "ODate", "OName", "OMoney", id++, date.c_str(), "8311226.24");
    }
    PeriodReport report(*book_->dm, yearlyReport());
    QVERIFY(report.run(Criteria().dates("2015-01-01", "2024-12-31")).ok);
    QCOMPARE(report.rows().size(), std::size_t{10});
    expectFiguresWhole(report.printLayout(), report.printRows(),
                       book_->dir.filePath(QStringLiteral("year.pdf")));
}

void PrintingTest::theQueryPrintsSixDigitNumbersAndTotalsWhole() {
    add("InTable", "IDate", "IName", "IMoney", 9151, "2024-05-01", "9999999999.99");
    add("InTable", "IDate", "IName", "IMoney", 80000, "2024-05-02", "9999999999.99");
    add("InTable", "IDate", "IName", "IMoney", 123456, "2024-05-03", "9999999999.99");
    RecordQuery query(*book_->dm, incomeQuery());
    Criteria c = query.initialCriteria("2024-05-31");
    c.untick(Criterion::Date);
    query.run(c);
    QCOMPARE(query.rows().size(), std::size_t{3});
    expectFiguresWhole(query.printLayout(), query.printRows(0, false),
                       book_->dir.filePath(QStringLiteral("query.pdf")));
}

void PrintingTest::aLongPreviewPlacesOnlyThePagesShownAndKeepsOnePrintingTime() {
    book_->db->execute("BEGIN");
    for (int i = 1; i <= 3000; ++i) {
        const std::string date = dates::addDays("2020-01-01", i % 1500);
        add("InTable", "IDate", "IName", "IMoney", i, date.c_str(), i == 2999 ? "4321.09" : "12");
    }
    book_->db->execute("COMMIT");
    RecordQuery query(*book_->dm, incomeQuery());
    Criteria c = query.initialCriteria("2024-05-31");
    c.untick(Criterion::Date);
    query.run(c);
    testing::ScriptedPrompter prompter;
    ReportPreview preview(query.printLayout(), query.printRows(0, false), prompter, {});
    preview.show();
    QApplication::setActiveWindow(&preview);
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    QVERIFY(preview.pageCount() > 50);
    QCOMPARE(preview.currentPage(), 1);
    QCOMPARE(preview.placedPages(), std::size_t{1});  // the rest waits until it is shown

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    QCOMPARE(preview.currentPage(), 2);
    QVERIFY(preview.find(QStringLiteral("4,321.09")));
    const int found = preview.currentPage();
    QVERIFY(found > 2);
    QVERIFY(!preview.find(QStringLiteral("不在报表里")));
    QCOMPARE(prompter.last(), QStringLiteral("没有找到“不在报表里”。"));
    preview.setCurrentPage(preview.pageCount());

    // Each page shown carries the one printing time of this preview.
    const std::string printedAt = preview.pagination().printedAt;
    for (int number : {1, 2, found, preview.pageCount()}) {
        const auto page =
            report::placePage(query.printLayout(), query.printRows(0, false), preview.pagination(),
                              static_cast<std::size_t>(number - 1));
        bool stamped = false;
        for (const report::TextBox& t : page.texts) {
            stamped = stamped || t.text.find(printedAt) != std::string::npos;
        }
        QVERIFY2(stamped, qPrintable(QStringLiteral("page %1").arg(number)));
    }
    const QImage shot = named<PageView>(preview, "pageView")->grab().toImage();
    QVERIFY(!shot.isNull());
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
