#include "import/cell_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace fennory {

bool isDateFormatCode(const std::string& code) {
    bool inQuote = false, inBracket = false;
    for (char c : code) {
        if (c == '"') {
            inQuote = !inQuote;
        } else if (!inQuote && c == '[') {
            inBracket = true;
        } else if (!inQuote && c == ']') {
            inBracket = false;
        } else if (!inQuote && !inBracket) {
            char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (l == 'y' || l == 'd' || l == 'h' || l == 's' || l == 'm') {
                return true;
            }
        }
    }
    return false;
}

namespace {

std::string civil(long daysSince1970) {
    long z = daysSince1970 + 719468;
    long era = (z >= 0 ? z : z - 146096) / 146097;
    long doe = z - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long y = yoe + era * 400;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    long dd = doy - (153 * mp + 2) / 5 + 1;
    long m = mp < 10 ? mp + 3 : mp - 9;
    return fmt::format("{:04d}-{:02d}-{:02d}", y + (m <= 2), m, dd);
}

// The serial of 10000-01-01, the first day no spreadsheet shows.
constexpr double kLastSerial = 2958466;

}  // namespace

std::string excelDate(double serial, bool date1904) {
    // Beyond 9999-12-31 (or before 1900) a spreadsheet shows no date either:
    // the number is read as it stands, and the date check refuses it.
    if (!std::isfinite(serial) || serial < 0 || serial >= kLastSerial) {
        return numberText(fmt::format("{}", serial));
    }
    double whole = std::floor(serial);
    double frac = serial - whole;
    long n = static_cast<long>(whole);
    long since1970;
    if (date1904) {
        since1970 = n - 24107;  // 1904-01-01 is day 0
    } else {
        if (n < 60) {
            n += 1;  // before the phantom 1900-02-29
        }
        since1970 = n - 25569;  // 1899-12-30 is day 0 after the correction
    }
    std::string out = civil(since1970);
    long secs = std::lround(frac * 86400.0);
    if (secs >= 86400) {
        secs = 86399;
    }
    if (secs > 0) {
        out += fmt::format(" {:02d}:{:02d}:{:02d}", secs / 3600, (secs / 60) % 60, secs % 60);
    }
    return out;
}

std::string columnLetters(std::uint32_t column) {
    std::string out;
    for (std::uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
        out.insert(out.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return out;
}

SpreadsheetReadError errorCell(std::uint32_t row, std::uint32_t column, const std::string& error) {
    return SpreadsheetReadError(
        fmt::format("第 {} 行第 {} 列（{}{}）是公式错误 {}，请在表格程序中改正后再导入", row + 1,
                    column + 1, columnLetters(column), row + 1, error.empty() ? "#错误" : error));
}

void checkCellCount(std::size_t rows, std::size_t width) {
    if (width != 0 && rows > kMaxCells / width) {
        throw SpreadsheetReadError(fmt::format(
            "工作表太大：{} 行 {} 列，超过了能导入的 {} 个单元格。请只留下要导入的行和列。", rows,
            width, kMaxCells));
    }
}

void CellRows::set(std::size_t row, std::size_t column, std::string text) {
    if (text.empty()) {
        if (row < rows_.size() && column < rows_[row].size()) {
            textBytes_ -= rows_[row][column].size();
            rows_[row][column].clear();
        }
        return;
    }
    // Rows and width only grow, so a sheet refused here would be refused
    // once read whole: the same answer, without the memory.
    checkCellCount(std::max(rows_.size(), row + 1), std::max(width_, column + 1));
    if (row >= rows_.size()) {
        rows_.resize(row + 1);
    }
    auto& line = rows_[row];
    if (column >= line.size()) {
        line.resize(column + 1);
    }
    width_ = std::max(width_, line.size());
    textBytes_ = textBytes_ - line[column].size() + text.size();
    if (textBytes_ > kMaxSheetTextBytes) {
        throw SpreadsheetReadError(
            fmt::format("工作表太大：单元格的文字超过了能导入的 {} MB。请只留下要导入的行和列。",
                        kMaxSheetTextBytes >> 20));
    }
    line[column] = std::move(text);
}

std::string numberText(const std::string& raw) {
    char* end = nullptr;
    double v = std::strtod(raw.c_str(), &end);
    if (end == raw.c_str() || *end != '\0') {
        return raw;
    }
    // The shortest text that reads back as the same number, like a spreadsheet shows it.
    for (int precision = 1; precision <= 17; ++precision) {
        std::string s = fmt::format("{:.{}g}", v, precision);
        if (std::strtod(s.c_str(), nullptr) == v) {
            if (s.find('e') == std::string::npos) {
                return s;
            }
            break;
        }
    }
    return fmt::format("{}", v);
}

}  // namespace fennory
