#pragma once
// The results of formula cells in an Excel 97 workbook. The cell reader we use
// for .xls leaves a formula cell empty, although the file keeps the result the
// spreadsheet program last computed beside the formula; this reads those
// results from the workbook stream, so that no computed amount is lost.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fennory {

struct XlsFormulaResult {
    enum class Kind { Number, Text, Boolean, Error, Empty };
    std::uint32_t row;  // from 0
    std::uint16_t column;
    Kind kind;
    double number = 0;  // Number
    std::string text;   // Text (UTF-8); Error: "#DIV/0!" and the like; Boolean: TRUE/FALSE
};

// The formula results of the worksheet named `sheet` in a BIFF8 workbook
// stream; none when the stream holds no such sheet. Records that run past the
// stream end the reading.
std::vector<XlsFormulaResult> xlsFormulaResultsOfStream(std::string_view workbook,
                                                        std::string_view sheet);

// The same from a workbook file: its "Workbook" stream read from the compound
// file. Nothing when the file has no such stream (an older format).
std::vector<XlsFormulaResult> xlsFormulaResults(const std::filesystem::path& file,
                                                std::string_view sheet);

}  // namespace fennory
