#pragma once
// Reads worksheets of .xlsx (zip + XML) and .xls (BIFF) files: every cell as
// text, dates as "yyyy-mm-dd" (with " hh:mm:ss" when they hold a time).

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fennory {

class SpreadsheetReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows of one worksheet, the first row taken as the header names.
struct SheetData {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;  // each as wide as the sheet
    std::size_t rowCount() const { return rows.size(); }
    // The column of a header name, or nothing.
    std::optional<std::size_t> column(const std::string& name) const;
};

// The worksheet "Sheet1" of an .xlsx or .xls file. A file that is not a
// workbook, has no "Sheet1", is damaged or too large gives a clear error.
SheetData readSheet1(const std::filesystem::path& file);

// ---- what an .xlsx file says about its layout, for checking written files ----

struct XlsxCellStyle {
    std::string font;
    double size = 0;
    bool bold = false;
    std::string halign, valign;  // "", "center", "left", ...
    bool border = false;         // a line on all four sides
};

struct XlsxSheetLayout {
    std::string name;
    std::vector<std::vector<std::string>> cells;       // every row from row 1, as text
    std::vector<std::string> merges;                   // "A1:I1"
    std::vector<std::pair<int, double>> columnWidths;  // 0-based column, characters
    bool landscape = false;
    double marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // inches
    std::string footer;                                                       // as stored
    // Style of a cell by reference ("A1"); default style when it has none.
    XlsxCellStyle style(const std::string& ref) const;
    std::vector<std::pair<std::string, XlsxCellStyle>> styles;
};

std::vector<XlsxSheetLayout> inspectXlsx(const std::filesystem::path& file);

// Limits that keep a hostile or broken file from exhausting memory.
inline constexpr std::size_t kMaxSheetXmlBytes = 512u << 20;
inline constexpr std::size_t kMaxColumns = 16384;

}  // namespace fennory
