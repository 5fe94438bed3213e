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
// Puts a cell's text into the rows read so far. An empty cell (a formatted
// blank, an empty text) holds nothing, so it does not lengthen or widen the
// sheet; it only empties a cell already read.
void setCell(std::vector<std::vector<std::string>>& rows, std::size_t row, std::size_t column,
             std::string text);

}  // namespace fennory
