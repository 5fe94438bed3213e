#pragma once
// A worksheet to export, described in memory: text cells, merges, column
// widths, row styles, bordered ranges and the page setup. Screens fill one;
// the writer turns it into a real .xlsx file.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/database.h"
#include "core/money.h"

namespace fennory {

enum class HAlign { General, Left, Center, Right };
enum class VAlign { Bottom, Center, Top };

struct CellStyle {
    std::optional<std::string> font;
    std::optional<double> size;
    std::optional<bool> bold;
    std::optional<HAlign> halign;
    std::optional<VAlign> valign;
    bool border = false;
    std::optional<std::string> numberFormat;  // "#,##0.00"; General when unset

    // This style with the set fields of another laid over it.
    CellStyle over(const CellStyle& top) const;
    bool operator==(const CellStyle&) const = default;
};

struct CellRange {
    int firstRow, firstCol, lastRow, lastCol;  // 0-based, inclusive
    bool contains(int r, int c) const {
        return r >= firstRow && r <= lastRow && c >= firstCol && c <= lastCol;
    }
};

// The bottom margin the report sheets print with: 360/7 points, room for the
// centre footer.
inline constexpr double kReportBottomMargin = 360.0 / 7.0;

struct PageSetup {
    bool landscape = false;
    double marginTop = 54, marginBottom = 54, marginLeft = 50.4, marginRight = 50.4;  // points
    std::string centerFooter;  // with the spreadsheet's &N and &P page codes
};

// A cell: text, or a number the spreadsheet can sum, shown in its format.
struct SheetCell {
    std::string text;
    std::optional<double> number;
    std::string numberFormat;  // empty: General
    bool operator==(const SheetCell&) const = default;
};

// How money reads in a sheet: thousands separated, two decimals.
inline constexpr const char* kMoneyFormat = "#,##0.00";

class Sheet {
public:
    explicit Sheet(std::string name = "Sheet1") : name_(std::move(name)) {}

    void setText(int row, int col, std::string text);
    void setNumber(int row, int col, double value, std::string format = {});
    void setMoney(int row, int col, Money value);
    // A cell of a listed table as the user reads it: money and whole numbers as
    // numbers, everything else as text.
    void setValue(int row, int col, const Value& value);
    void merge(const CellRange& range);
    void setColumnWidth(int col, double characters);
    // The widths of the first columns, and their headings on `headingRow`
    // when there are headings.
    void setColumns(const std::vector<double>& widths, int headingRow = 0,
                    const std::vector<std::string>& headings = {});
    void styleRow(int row, const CellStyle& style);
    void styleRange(const CellRange& range, const CellStyle& style);
    void borderRange(const CellRange& range);
    PageSetup& page() { return page_; }

    const std::string& name() const { return name_; }
    const std::map<std::pair<int, int>, SheetCell>& cells() const { return cells_; }
    const std::vector<CellRange>& merges() const { return merges_; }
    const std::map<int, double>& columnWidths() const { return widths_; }
    const PageSetup& page() const { return page_; }
    int lastRow() const;
    int lastCol() const;
    // The style a cell ends up with: row styles, then range styles, then borders.
    CellStyle styleAt(int row, int col) const;

private:
    std::string name_;
    std::map<std::pair<int, int>, SheetCell> cells_;
    std::vector<CellRange> merges_;
    std::map<int, double> widths_;
    std::map<int, CellStyle> rowStyles_;
    std::vector<std::pair<CellRange, CellStyle>> rangeStyles_;
    std::vector<CellRange> borders_;
    PageSetup page_;
};

class SpreadsheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the sheets into a new .xlsx file, each column at least as wide as
// its widest value as shown (header included, merged titles aside). Throws SpreadsheetError when
// the file cannot be written.
void writeXlsx(const std::filesystem::path& file, const std::vector<Sheet>& sheets);

// ---- the export scheme every "Excel" button shares ----

// "Fennory", the vendor's address and the page codes, for the centre footer.
std::string exportFooter();

// A sheet laid out by the scheme: the title merged across the columns in
// "宋体" 16 bold, centred; row 2 at size 12 (centred and bold too when asked).
Sheet schemeSheet(const std::string& title, int columns, bool centreRow2);

// {book}-{sheet name}-{yyyyMMdd-hhmmss}.xlsx in the Export folder beside the
// data file. The stamp is given so that tests can fix it.
std::filesystem::path exportPath(const std::filesystem::path& dataFile, const std::string& book,
                                 const std::string& sheetName, const std::string& stamp);
// The current local time as yyyyMMdd-hhmmss.
std::string exportStamp();

// What a spreadsheet shows in a cell: a number in its format ("#,##0.00",
// "0.00" or General), or the text.
std::string shownText(const SheetCell& cell, const std::string& format);
// The width of a text in the spreadsheet's character units: a wide (CJK)
// character takes two.
double textWidth(std::string_view text);

// Column letters of a 0-based column: 0 → "A", 26 → "AA".
std::string columnName(int col);

}  // namespace fennory
