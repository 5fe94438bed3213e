#pragma once
// The Excel 97 workbook reader (.xls, BIFF8): one worksheet's cells as text,
// as the spreadsheet program shows them. Formula cells read as the result
// the program last computed and kept in the file; an error there, in a
// formula or a cell, refuses the sheet. Read from the compound file's
// "Workbook" stream; every length in the file is checked against the stream.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fennory {

using CellGrid = std::vector<std::vector<std::string>>;

// The cells of the worksheet named `sheet` (the first worksheet when it is
// empty), by row from 0. Throws
// SpreadsheetReadError: not a workbook, an older or protected one, no such
// sheet, or an error cell.
CellGrid readXlsSheet(const std::filesystem::path& file, std::string_view sheet);

// The same from the bytes of a "Workbook" stream.
CellGrid readXlsStream(std::string_view workbook, std::string_view sheet);

// The bytes of a workbook file's "Workbook" stream. Throws SpreadsheetReadError.
std::string xlsWorkbookStream(const std::filesystem::path& file);

}  // namespace fennory
