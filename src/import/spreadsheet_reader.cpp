#include "import/spreadsheet_reader.h"

#include "import/xls_formulas.h"
#include "import/xlsx_parts.h"

#include <fmt/format.h>
#include <freexl.h>
#include <zip.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace fennory {

std::optional<std::size_t> SheetData::column(const std::string& name) const {
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (header[i] == name) {
            return i;
        }
    }
    return std::nullopt;
}

namespace {

using Grid = std::vector<std::vector<std::string>>;

// ---- .xlsx ----

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

}  // namespace

std::map<int, std::string> customNumberFormats(const pugi::xml_node& styleSheet) {
    std::map<int, std::string> custom;
    for (auto f : styleSheet.child("numFmts").children("numFmt")) {
        custom[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").as_string();
    }
    return custom;
}

std::vector<bool> readDateStyles(const Zip& zip) {
    std::vector<bool> dateXf;
    if (!zip.has("xl/styles.xml")) {
        return dateXf;
    }
    auto doc = parseXml(zip.read("xl/styles.xml"), "styles.xml");
    auto ss = doc.child("styleSheet");
    std::map<int, std::string> custom = customNumberFormats(ss);
    for (auto xf : ss.child("cellXfs").children("xf")) {
        int id = xf.attribute("numFmtId").as_int();
        dateXf.push_back((id >= 14 && id <= 22) || (id >= 45 && id <= 47) ||
                         (custom.count(id) && isDateFormatCode(custom[id])));
    }
    return dateXf;
}

// "B12" → (11, 1).
std::pair<int, int> parseRef(const std::string& ref) {
    int col = 0;
    std::size_t i = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i]))) {
        col = col * 26 + (std::toupper(static_cast<unsigned char>(ref[i])) - 'A' + 1);
        ++i;
    }
    int row = 0;
    for (; i < ref.size() && std::isdigit(static_cast<unsigned char>(ref[i])); ++i) {
        row = row * 10 + (ref[i] - '0');
        if (row > 1048576) {
            break;
        }
    }
    return {row - 1, col - 1};
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

std::string excelDate(double serial, bool date1904) {
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

// "A", "B", … "Z", "AA": a column as the spreadsheet program names it.
std::string columnLetters(std::uint32_t column) {
    std::string out;
    for (std::uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
        out.insert(out.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return out;
}

// A cell whose formula gave an error: the sheet is refused, naming the cell.
SpreadsheetReadError errorCell(std::uint32_t row, std::uint32_t column, const std::string& error) {
    return SpreadsheetReadError(
        fmt::format("第 {} 行第 {} 列（{}{}）是公式错误 {}，请在表格程序中改正后再导入", row + 1,
                    column + 1, columnLetters(column), row + 1, error.empty() ? "#错误" : error));
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

}  // namespace

Grid readSheetCells(const Zip& zip, const std::string& part, const std::vector<std::string>& shared,
                    const std::vector<bool>& dateXf, bool date1904) {
    Grid cells;
    auto doc = parseXml(zip.read(part), part);
    auto ws = doc.child("worksheet");
    if (!ws) {
        throw SpreadsheetReadError("工作簿已损坏：" + part + " 不是工作表");
    }
    int nextRow = 0;
    for (auto row : ws.child("sheetData").children("row")) {
        int r = row.attribute("r") ? row.attribute("r").as_int() - 1 : nextRow;
        if (r < 0 || r >= 1048576) {
            throw SpreadsheetReadError("工作表已损坏：行号超出范围");
        }
        nextRow = r + 1;
        int nextCol = 0;
        for (auto c : row.children("c")) {
            int col = nextCol;
            if (auto ref = c.attribute("r")) {
                auto rc = parseRef(ref.as_string());
                col = rc.second;
            }
            if (col < 0 || static_cast<std::size_t>(col) >= kMaxColumns) {
                throw SpreadsheetReadError("工作表已损坏：列号超出范围");
            }
            nextCol = col + 1;
            std::string type = c.attribute("t").as_string();
            auto sIdx = static_cast<std::size_t>(c.attribute("s").as_int());
            std::string value = c.child("v").text().get();
            std::string text;
            if (type == "s") {
                auto i = static_cast<std::size_t>(std::strtoul(value.c_str(), nullptr, 10));
                text = i < shared.size() ? shared[i] : "";
            } else if (type == "inlineStr") {
                auto is = c.child("is");
                text = is.child("t").text().get();
                for (auto rr : is.children("r")) {
                    text += rr.child("t").text().get();
                }
            } else if (type == "b") {
                text = value == "1" ? "TRUE" : "FALSE";
            } else if (type == "e") {
                throw errorCell(static_cast<std::uint32_t>(r), static_cast<std::uint16_t>(col),
                                value);
            } else if (type == "str" || type == "d") {
                text = value;
            } else if (!value.empty() && sIdx < dateXf.size() && dateXf[sIdx]) {
                text = excelDate(std::strtod(value.c_str(), nullptr), date1904);
            } else {
                text = numberText(value);
            }
            if (static_cast<std::size_t>(r) >= cells.size()) {
                cells.resize(static_cast<std::size_t>(r) + 1);
            }
            auto& line = cells[static_cast<std::size_t>(r)];
            if (static_cast<std::size_t>(col) >= line.size()) {
                line.resize(static_cast<std::size_t>(col) + 1);
            }
            line[static_cast<std::size_t>(col)] = std::move(text);
        }
    }
    return cells;
}

namespace {

Grid squared(Grid g) {
    std::size_t width = 0;
    for (const auto& r : g) {
        width = std::max(width, r.size());
    }
    for (auto& r : g) {
        r.resize(width);
    }
    return g;
}

SheetData toSheetData(Grid g) {
    g = squared(std::move(g));
    SheetData d;
    if (g.empty()) {
        return d;
    }
    d.header = std::move(g.front());
    d.rows.assign(std::make_move_iterator(g.begin() + 1), std::make_move_iterator(g.end()));
    // Rows left empty at the end of a sheet are no records.
    while (!d.rows.empty() && std::all_of(d.rows.back().begin(), d.rows.back().end(),
                                          [](const std::string& s) { return s.empty(); })) {
        d.rows.pop_back();
    }
    return d;
}

// The worksheet named `name`, or the first one when no name is given.
SheetData readXlsxSheet(const std::filesystem::path& file, const char* name) {
    Zip zip(file);
    bool date1904 = false;
    auto refs = sheetRefs(zip, date1904);
    auto it = name ? std::find_if(refs.begin(), refs.end(),
                                  [name](const SheetRef& r) { return r.name == name; })
                   : refs.begin();
    if (it == refs.end()) {
        throw SpreadsheetReadError(name ? fmt::format("工作簿中没有名为 {} 的工作表", name)
                                        : std::string("工作簿中没有工作表"));
    }
    auto shared = sharedStrings(zip);
    return toSheetData(readSheetCells(zip, it->part, shared, readDateStyles(zip), date1904));
}

// ---- .xls ----

class Xls {
public:
    explicit Xls(const std::filesystem::path& file) {
        int rc = freexl_open(file.string().c_str(), &handle_);
        if (rc != FREEXL_OK) {
            handle_ = nullptr;
            throw SpreadsheetReadError(
                fmt::format("{} 不是有效的 Excel 工作簿（无法作为 xls 打开，错误 {}）",
                            file.filename().string(), rc));
        }
    }
    ~Xls() {
        if (handle_) {
            freexl_close(handle_);
        }
    }
    Xls(const Xls&) = delete;
    Xls& operator=(const Xls&) = delete;
    const void* handle() const { return handle_; }

private:
    const void* handle_ = nullptr;
};

// A formula cell holds the result its spreadsheet program last computed; an
// error there refuses the sheet rather than import a wrong or missing amount.
void fillFormulaResults(Grid& g, const std::vector<XlsFormulaResult>& results) {
    for (const XlsFormulaResult& f : results) {
        if (f.row >= g.size() || f.column >= g[f.row].size()) {
            continue;
        }
        std::string& out = g[f.row][f.column];
        switch (f.kind) {
            case XlsFormulaResult::Kind::Number:
                out = numberText(fmt::format("{:.17g}", f.number));
                break;
            case XlsFormulaResult::Kind::Error:
                throw errorCell(f.row, f.column, f.text);
            case XlsFormulaResult::Kind::Empty:
                out.clear();
                break;
            default:
                out = f.text;
                break;
        }
    }
}

SheetData readXlsSheet1(const std::filesystem::path& file) {
    Xls xls(file);
    unsigned int count = 0;
    if (freexl_get_info(xls.handle(), FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        throw SpreadsheetReadError("工作簿已损坏，无法读取工作表");
    }
    int found = -1;
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.handle(), static_cast<unsigned short>(i), &name) ==
                FREEXL_OK &&
            name && std::strcmp(name, "Sheet1") == 0) {
            found = static_cast<int>(i);
        }
    }
    if (found < 0) {
        throw SpreadsheetReadError("工作簿中没有名为 Sheet1 的工作表");
    }
    if (freexl_select_active_worksheet(xls.handle(), static_cast<unsigned short>(found)) !=
        FREEXL_OK) {
        throw SpreadsheetReadError("工作簿已损坏，无法读取 Sheet1");
    }
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(xls.handle(), &rows, &cols) != FREEXL_OK) {
        throw SpreadsheetReadError("工作簿已损坏，无法读取 Sheet1 的大小");
    }
    Grid g(rows, std::vector<std::string>(cols));
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(xls.handle(), r, c, &v) != FREEXL_OK) {
                throw SpreadsheetReadError(fmt::format("工作簿已损坏：第 {} 行无法读取", r + 1));
            }
            std::string& out = g[r][c];
            switch (v.type) {
                case FREEXL_CELL_INT:
                    out = std::to_string(v.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    out = numberText(fmt::format("{:.17g}", v.value.double_value));
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    out = v.value.text_value ? v.value.text_value : "";
                    break;
                default:
                    break;
            }
            if (v.type == FREEXL_CELL_DATETIME && out.size() == 19 &&
                out.substr(11) == "00:00:00") {
                // A date without a time of day reads as the date alone.
                out = out.substr(0, 10);
            }
        }
    }
    fillFormulaResults(g, xlsFormulaResults(file, "Sheet1"));
    return toSheetData(std::move(g));
}

bool startsWith(const std::string& data, const char* magic, std::size_t n) {
    return data.size() >= n && std::memcmp(data.data(), magic, n) == 0;
}

std::string fileHead(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.string().c_str(), "rb");
    if (!f) {
        throw SpreadsheetReadError("无法打开文件 " + file.string());
    }
    char buf[8] = {};
    std::size_t n = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
    return std::string(buf, n);
}

}  // namespace

SheetData readSheet1(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw SpreadsheetReadError("文件不存在：" + file.string());
    }
    // The content decides, not the name: a renamed file still reads.
    std::string head = fileHead(file);
    if (startsWith(head, "PK\x03\x04", 4)) {
        return readXlsxSheet(file, "Sheet1");
    }
    if (startsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        return readXlsSheet1(file);
    }
    throw SpreadsheetReadError(
        fmt::format("{} 不是 Excel 工作簿（.xls 或 .xlsx）", file.filename().string()));
}

SheetData readFirstXlsxSheet(const std::filesystem::path& file) {
    return readXlsxSheet(file, nullptr);
}

}  // namespace fennory
