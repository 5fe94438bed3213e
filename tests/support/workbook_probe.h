#pragma once
// What a written .xlsx file says about its layout and cells, for the tests of
// the spreadsheet output.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace fennory {

struct XlsxCellStyle {
    std::string font;
    double size = 0;
    bool bold = false;
    std::string halign, valign;  // "", "center", "left", ...
    bool border = false;         // a line on all four sides
    std::string numberFormat;    // "" for General, else the format code ("#,##0.00")
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
    // Whether a cell holds a number (no t attribute, or t="n") rather than text.
    bool isNumber(const std::string& ref) const;
    std::vector<std::pair<std::string, std::string>> types;  // ref, t attribute ("" = number)
};

std::vector<XlsxSheetLayout> inspectXlsx(const std::filesystem::path& file);

}  // namespace fennory
