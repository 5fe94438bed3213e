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
// The first worksheet of an .xlsx or .xls file, whatever its name.
SheetData readFirstSheet(const std::filesystem::path& file);

// Limits that keep a hostile or broken file from exhausting memory.
inline constexpr std::size_t kMaxSheetXmlBytes = 256u << 20;
// The parsed XML of a workbook's parts, held at once: a tree costs about 250
// bytes a cell, so a sheet of millions of cells fits.
inline constexpr std::size_t kMaxXmlTreeBytes = std::size_t{1} << 30;
inline constexpr std::size_t kMaxColumns = 16384;
// Rows times columns of a sheet once squared (an empty cell costs memory too):
// over three times a 100,000-row import of twelve columns.
inline constexpr std::size_t kMaxCells = 4'000'000;
// The text of a sheet's cells, held at once: a shared string is copied into
// every cell that names it, so one long string named by many cells is a bomb.
// Many times the text of a 100,000-row import.
inline constexpr std::size_t kMaxSheetTextBytes = 128u << 20;
// A part that unpacks to more than this many times its packed size, beyond
// a few megabytes, is a zip bomb, not a sheet.
inline constexpr std::size_t kMaxPackRatio = 200;
// Bills and statements are text of a few megabytes at most.
inline constexpr std::size_t kMaxBillBytes = 64u << 20;
// A row costs memory of its own, empty or not: a file of bare line ends stops
// here, far beyond any household's statement.
inline constexpr std::size_t kMaxBillRows = 1'000'000;

}  // namespace fennory
