#pragma once
// The band report engine: a layout model (page, margins, bands, fields placed
// in millimetres with alignment and format) and a paginator that computes the
// pages, page sums and totals. Drawing is the renderer's business (ui/).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/money.h"
#include "core/table.h"

namespace fennory::report {

enum class Align { Left, Center, Right };

// How a field writes its value: text as it is, "%2.2n" two decimals with
// thousands separators, "%2.2f" two decimals without.
enum class Format { Text, Number, Fixed };
Format parseFormat(const std::string& code);
std::string formatValue(const Value& v, Format f);

// What a field shows.
enum class Source {
    Literal,        // text
    Column,         // the row's value of column
    PageNumber,     // 1, 2, ...
    PrintDateTime,  // when the report was made
    RowCount,       // rows of the report
    Sum,            // report sum of column
    PageRowCount,   // rows on this page
    PageSum,        // this page's sum of column
    RowNumber       // 1, 2, ... over the report
};

struct Field {
    Source source = Source::Literal;
    std::string text;    // literal text, or a prefix for the other sources
    std::string column;  // for Column, Sum, PageSum
    double left = 0;     // mm from the left margin
    double width = 30;   // mm
    Align align = Align::Left;
    Format format = Format::Text;
    bool bold = false;
    double fontPt = 9;
    double top = 0;     // mm from the band's top
    double height = 0;  // mm; 0 = down to the band's bottom
};

struct Rule {
    double x1, y1, x2, y2;  // mm within the band
};

struct Band {
    double height = 0;  // mm; 0 = no band
    std::vector<Field> fields;
    std::vector<Rule> rules;
};

struct Layout {
    std::string name;                          // "Print/thePage3.rf3"
    std::string title;                         // what the preview's caption says
    double pageWidth = 210, pageHeight = 297;  // mm, portrait size
    bool landscape = false;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    Band pageHeader;    // every page
    Band columnHeader;  // every page, under the page header
    Band data;          // once per row
    Band summary;       // after the last row
    Band pageFooter;    // every page, at the bottom

    double width() const { return landscape ? pageHeight : pageWidth; }
    double height() const { return landscape ? pageWidth : pageHeight; }
    // Rows that fit on one page.
    int rowsPerPage() const;
};

struct Page {
    int number = 1;
    std::size_t firstRow = 0, rowCount = 0;
    std::map<std::string, Money> sums;  // this page's sums of the summed columns
    bool hasSummary = false;            // the summary band follows the rows here
};

struct Pagination {
    std::vector<Page> pages;
    std::map<std::string, Money> totals;
    std::size_t rowCount = 0;
    std::string printedAt;  // "yyyy-mm-dd hh:mm:ss"
};

// The page header of the ruled reports: the title bold across the width, and
// 9 mm down the page number at the left and the print time at the right; the
// heading row follows in the column header band.
Band titledPageHeader(const std::string& title, double usableWidth);

// A column of a ruled list: where it starts (mm from the left margin), its
// heading, the row's column it shows, and whether it is money (right-aligned
// with separators, summed per page and at the end).
struct ListColumn {
    double left;
    const char* heading;
    const char* column;
    bool money = false;
    bool leftAligned = false;  // a first column is right-aligned (a number) unless so
};

// The ruled list the queries print: the title and page number above, the
// heading row, a ruled line per row, and the page's and the report's count
// and sums at the foot.
Layout ruledListLayout(std::string name, std::string title, bool landscape,
                       const std::vector<ListColumn>& cols);

// Splits the rows into pages. Every column a Sum or PageSum field names is
// summed per page and over the report. The summary goes on the last page when
// it fits under the last row; else the last row moves to a new page with it.
Pagination paginate(const Layout& layout, const Table& rows, const std::string& printedAt);

// The text a field shows on a page (row = the row of a data band, or -1).
std::string fieldText(const Field& f, const Table& rows, const Pagination& p, const Page& page,
                      long row);

// A page placed in millimetres from the paper's top-left corner: what the
// renderer draws, one text box or line at a time.
struct TextBox {
    double x, y, width, height;
    std::string text;
    Align align = Align::Left;
    bool bold = false;
    double fontPt = 9;
};
struct Line {
    double x1, y1, x2, y2;
};
struct PlacedPage {
    std::vector<TextBox> texts;
    std::vector<Line> lines;
};

std::vector<PlacedPage> placePages(const Layout& layout, const Table& rows, const Pagination& p);
// One page (from 0), so that a long report is placed only as it is shown.
PlacedPage placePage(const Layout& layout, const Table& rows, const Pagination& p,
                     std::size_t index);

// The first page after page `after` (counted from 1; 0 searches from the
// start) whose text holds what is sought, as an index from 0; the search goes
// round to the first page. Nothing when no page holds it.
std::optional<std::size_t> findPage(const std::vector<PlacedPage>& pages, const std::string& text,
                                    int after);
// The same over `count` pages placed one at a time as the search reaches them.
std::optional<std::size_t> findPage(std::size_t count,
                                    const std::function<PlacedPage(std::size_t)>& page,
                                    const std::string& text, int after);

// The current local date and time as "yyyy-mm-dd hh:mm:ss".
std::string nowText();

}  // namespace fennory::report
