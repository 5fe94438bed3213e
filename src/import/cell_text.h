#pragma once
// How workbook cells read as text, whichever format holds them: numbers as a
// spreadsheet shows them, dates as "yyyy-mm-dd", and a cell whose formula
// gave an error refused, named as the user sees it.

#include <cstdint>
#include <string>
#include <vector>

#include "import/spreadsheet_reader.h"

namespace fennory {

// Whether a number format shows a date or a time ("yyyy-mm-dd", "h:mm").
bool isDateFormatCode(const std::string& code);
// A serial day number as "yyyy-mm-dd", with " hh:mm:ss" when it has a time.
std::string excelDate(double serial, bool date1904);
// "A", "B", … "Z", "AA": a column as the spreadsheet program names it.
std::string columnLetters(std::uint32_t column);
// The refusal of a sheet with an error cell ("#DIV/0!"), naming the cell.
SpreadsheetReadError errorCell(std::uint32_t row, std::uint32_t column, const std::string& error);
// The shortest text that reads back as the same number; other text as it is.
std::string numberText(const std::string& raw);
// The refusal of a sheet of `rows` rows and `width` columns, once squared,
// when that is more cells than can be imported.
void checkCellCount(std::size_t rows, std::size_t width);

// The rows read so far, cell by cell. An empty cell (a formatted blank, an
// empty text) holds nothing, so it does not lengthen or widen the sheet; it
// only empties a cell already read. A sheet that would square into more
// cells than can be imported is refused as soon as it does, before the rows
// read take the memory of those cells: a cell in the last column of each of
// thousands of rows took a gigabyte. So is one whose cells' text passes
// kMaxSheetTextBytes: a long shared string named by many cells.
class CellRows {
public:
    void set(std::size_t row, std::size_t column, std::string text);
    std::vector<std::vector<std::string>> take() { return std::move(rows_); }

private:
    std::vector<std::vector<std::string>> rows_;
    std::size_t width_ = 0;
    std::size_t textBytes_ = 0;
};

}  // namespace fennory
