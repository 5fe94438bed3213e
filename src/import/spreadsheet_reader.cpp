#include "import/spreadsheet_reader.h"

#include "import/cell_text.h"
#include "import/xls_reader.h"
#include "import/xlsx_parts.h"

#include <fmt/format.h>
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
        // Past any sheet's last column it only needs to stay out of range.
        if (col <= static_cast<int>(kMaxColumns)) {
            col = col * 26 + (std::toupper(static_cast<unsigned char>(ref[i])) - 'A' + 1);
        }
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

Grid readSheetCells(const Zip& zip, const std::string& part, const std::vector<std::string>& shared,
                    const std::vector<bool>& dateXf, bool date1904) {
    CellRows cells;
    auto doc = parseXml(zip.read(part), part);
    auto ws = doc.child("worksheet");
    if (!ws) {
        throw SpreadsheetReadError("工作簿已损坏：" + part + " 不是工作表");
    }
    int nextRow = 0;
    for (auto row : ws.child("sheetData").children("row")) {
        const long long number = row.attribute("r") ? row.attribute("r").as_llong() : nextRow + 1LL;
        if (number < 1 || number > 1048576) {
            throw SpreadsheetReadError("工作表已损坏：行号超出范围");
        }
        const int r = static_cast<int>(number - 1);
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
            cells.set(static_cast<std::size_t>(r), static_cast<std::size_t>(col), std::move(text));
        }
    }
    return cells.take();
}

namespace {

Grid squared(Grid g) {
    std::size_t width = 0;
    for (const auto& r : g) {
        width = std::max(width, r.size());
    }
    checkCellCount(g.size(), width);
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

namespace {

// The worksheet of this name, or the first one when none is named.
SheetData readWorkbook(const std::filesystem::path& file, const char* sheet) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw SpreadsheetReadError("文件不存在：" + file.string());
    }
    // The content decides, not the name: a renamed file still reads.
    std::string head = fileHead(file);
    if (startsWith(head, "PK\x03\x04", 4)) {
        return readXlsxSheet(file, sheet);
    }
    if (startsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        return toSheetData(readXlsSheet(file, sheet ? sheet : ""));
    }
    throw SpreadsheetReadError(
        fmt::format("{} 不是 Excel 工作簿（.xls 或 .xlsx）", file.filename().string()));
}

}  // namespace

SheetData readSheet1(const std::filesystem::path& file) {
    return readWorkbook(file, "Sheet1");
}

SheetData readFirstSheet(const std::filesystem::path& file) {
    return readWorkbook(file, nullptr);
}

}  // namespace fennory
