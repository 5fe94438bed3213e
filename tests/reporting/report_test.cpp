#include <gtest/gtest.h>

#include "reporting/report.h"

namespace fennory::report {
namespace {

Table amounts(int n) {
    Table t;
    t.columns = {"ID", "theIn"};
    for (int i = 1; i <= n; ++i) {
        t.rows.push_back({std::int64_t{i}, Money::yuan(i)});
    }
    return t;
}

// A page that holds exactly ten rows: 100 mm of body, 10 mm rows.
Layout tenRowLayout(double summaryHeight) {
    Layout l;
    l.pageWidth = 100;
    l.pageHeight = 150;
    l.marginTop = l.marginBottom = 10;
    l.pageHeader.height = 10;
    l.columnHeader.height = 5;
    l.pageFooter.height = 15;
    l.data.height = 10;
    l.data.fields = {{Source::Column, "", "theIn", 0, 30, Align::Right, Format::Number}};
    l.summary.height = summaryHeight;
    l.summary.fields = {{Source::RowCount, "合计 ", "", 0, 30},
                        {Source::Sum, "", "theIn", 30, 30, Align::Right, Format::Number}};
    l.pageFooter.fields = {{Source::PageRowCount, "本页合计 ", "", 0, 30},
                           {Source::PageSum, "", "theIn", 30, 30, Align::Right, Format::Number},
                           {Source::PageNumber, "页数 ", "", 60, 30}};
    return l;
}

TEST(Paginator, PageSumsAndTotalsOverSeveralPages) {
    Layout l = tenRowLayout(5);
    EXPECT_EQ(l.rowsPerPage(), 10);
    Table rows = amounts(25);
    Pagination p = paginate(l, rows, "2026-12-09 10:00:00");
    ASSERT_EQ(p.pages.size(), 3u);
    EXPECT_EQ(p.pages[0].rowCount, 10u);
    EXPECT_EQ(p.pages[2].rowCount, 5u);
    EXPECT_EQ(p.pages[0].sums["theIn"], Money::yuan(55));   // 1..10
    EXPECT_EQ(p.pages[1].sums["theIn"], Money::yuan(155));  // 11..20
    EXPECT_EQ(p.pages[2].sums["theIn"], Money::yuan(115));  // 21..25
    EXPECT_EQ(p.totals["theIn"], Money::yuan(325));
    EXPECT_FALSE(p.pages[0].hasSummary);
    EXPECT_TRUE(p.pages[2].hasSummary);
}

TEST(Paginator, TheLastRowMovesWithTheSummaryWhenTheLastPageIsFull) {
    Pagination p = paginate(tenRowLayout(5), amounts(20), "");
    ASSERT_EQ(p.pages.size(), 3u);
    EXPECT_EQ(p.pages[1].rowCount, 9u);
    EXPECT_EQ(p.pages[2].firstRow, 19u);
    EXPECT_EQ(p.pages[2].rowCount, 1u);
    EXPECT_TRUE(p.pages[2].hasSummary);
    EXPECT_EQ(p.pages[1].sums["theIn"], Money::yuan(135));  // 11..19
    EXPECT_EQ(p.pages[2].sums["theIn"], Money::yuan(20));
    EXPECT_EQ(p.totals["theIn"], Money::yuan(210));
    EXPECT_FALSE(p.pages[1].hasSummary);
}

TEST(Paginator, AnEmptyReportIsOnePageWithItsSummary) {
    Pagination p = paginate(tenRowLayout(5), amounts(0), "");
    ASSERT_EQ(p.pages.size(), 1u);
    EXPECT_TRUE(p.pages[0].hasSummary);
    EXPECT_EQ(p.totals["theIn"], Money());
}

TEST(PlacedPages, FindGoesToTheNextPageHoldingTheTextAndRoundToTheFirst) {
    Layout l = tenRowLayout(5);
    Table rows = amounts(25);
    auto pages = placePages(l, rows, paginate(l, rows, ""));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(findPage(pages, "合计 25", 0), 2u);   // the total, on the last page
    EXPECT_EQ(findPage(pages, "本页合计", 1), 1u);  // after page 1: page 2
    EXPECT_EQ(findPage(pages, "本页合计", 3), 0u);  // round to the first
    EXPECT_EQ(findPage(pages, "不在报表里", 0), std::nullopt);
    EXPECT_EQ(findPage(pages, "", 0), std::nullopt);
}

TEST(PlacedPages, ShowTheRowsSumsAndPageNumbers) {
    Layout l = tenRowLayout(5);
    Table rows = amounts(12);
    Pagination p = paginate(l, rows, "2026-12-09 10:00:00");
    auto pages = placePages(l, rows, p);
    ASSERT_EQ(pages.size(), 2u);
    auto texts = [](const PlacedPage& pg) {
        std::vector<std::string> t;
        for (const auto& b : pg.texts) {
            t.push_back(b.text);
        }
        return t;
    };
    auto first = texts(pages[0]);
    EXPECT_EQ(std::count(first.begin(), first.end(), "本页合计 10"), 1);
    EXPECT_EQ(std::count(first.begin(), first.end(), "10.00"), 1);  // the tenth row
    EXPECT_EQ(std::count(first.begin(), first.end(), "55.00"), 1);  // the page's sum
    EXPECT_EQ(std::count(first.begin(), first.end(), "页数 1"), 1);
    auto second = texts(pages[1]);
    EXPECT_EQ(std::count(second.begin(), second.end(), "合计 12"), 1);
    EXPECT_EQ(std::count(second.begin(), second.end(), "78.00"), 1);  // the report's sum
    EXPECT_EQ(std::count(second.begin(), second.end(), "23.00"), 1);  // 11 + 12 on this page
    // The footer sits at the bottom of the paper, above the margin.
    EXPECT_DOUBLE_EQ(pages[1].texts.back().y, 150 - 10 - 15);
}

TEST(Formats, NumbersWithSeparatorsOrFixedDecimals) {
    EXPECT_EQ(parseFormat("%2.2n"), Format::Number);
    EXPECT_EQ(parseFormat("%2.2f"), Format::Fixed);
    EXPECT_EQ(formatValue(*Money::parse("1234.5"), Format::Number), "1,234.50");
    EXPECT_EQ(formatValue(*Money::parse("1234.5"), Format::Fixed), "1234.50");
    EXPECT_EQ(formatValue(std::string("-500"), Format::Number), "-500.00");
    EXPECT_EQ(formatValue(std::string("工资"), Format::Text), "工资");
}

}  // namespace
}  // namespace fennory::report
