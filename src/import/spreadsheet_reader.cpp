#include "import/spreadsheet_reader.h"

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

class Zip {
public:
    explicit Zip(const std::filesystem::path& file) {
        int err = 0;
        zip_ = zip_open(file.string().c_str(), ZIP_RDONLY, &err);
        if (!zip_) {
            throw SpreadsheetReadError(fmt::format(
                "{} 不是有效的 Excel 工作簿（无法作为 xlsx 打开）", file.filename().string()));
        }
    }
    ~Zip() { zip_discard(zip_); }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool has(const std::string& name) const { return zip_name_locate(zip_, name.c_str(), 0) >= 0; }

    std::string read(const std::string& name) const {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(zip_, name.c_str(), 0, &st) != 0) {
            throw SpreadsheetReadError("工作簿缺少部件 " + name);
        }
        if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxSheetXmlBytes) {
            throw SpreadsheetReadError("工作簿太大，无法读取（" + name + "）");
        }
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> f(zip_fopen(zip_, name.c_str(), 0),
                                                             &zip_fclose);
        if (!f) {
            throw SpreadsheetReadError("工作簿已损坏，无法读取 " + name);
        }
        std::string data(static_cast<std::size_t>(st.size), '\0');
        zip_int64_t got = zip_fread(f.get(), data.data(), st.size);
        if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) {
            throw SpreadsheetReadError("工作簿已损坏，无法读取 " + name);
        }
        return data;
    }

private:
    zip_t* zip_ = nullptr;
};

pugi::xml_document parseXml(const std::string& text, const std::string& part) {
    pugi::xml_document doc;
    pugi::xml_parse_result r = doc.load_buffer(text.data(), text.size());
    if (!r) {
        throw SpreadsheetReadError(
            fmt::format("工作簿已损坏：{} 无法解析（{}）", part, r.description()));
    }
    return doc;
}

// The part a relationship id points to, relative to xl/.
std::map<std::string, std::string> workbookRels(const Zip& zip) {
    std::map<std::string, std::string> rels;
    if (!zip.has("xl/_rels/workbook.xml.rels")) {
        return rels;
    }
    auto doc = parseXml(zip.read("xl/_rels/workbook.xml.rels"), "workbook.xml.rels");
    for (auto r : doc.child("Relationships").children("Relationship")) {
        std::string target = r.attribute("Target").as_string();
        if (!target.empty() && target[0] == '/') {
            target = target.substr(1);
        } else {
            target = "xl/" + target;
        }
        rels[r.attribute("Id").as_string()] = target;
    }
    return rels;
}

struct SheetRef {
    std::string name;
    std::string part;
};

std::vector<SheetRef> sheetRefs(const Zip& zip, bool& date1904) {
    if (!zip.has("xl/workbook.xml")) {
        throw SpreadsheetReadError("不是有效的 Excel 工作簿（缺少 xl/workbook.xml）");
    }
    auto doc = parseXml(zip.read("xl/workbook.xml"), "workbook.xml");
    auto wb = doc.child("workbook");
    date1904 = wb.child("workbookPr").attribute("date1904").as_bool();
    auto rels = workbookRels(zip);
    std::vector<SheetRef> out;
    int n = 0;
    for (auto s : wb.child("sheets").children("sheet")) {
        ++n;
        std::string rid = s.attribute("r:id").as_string();
        std::string part =
            rels.count(rid) ? rels[rid] : fmt::format("xl/worksheets/sheet{}.xml", n);
        out.push_back({s.attribute("name").as_string(), part});
    }
    return out;
}

std::vector<std::string> sharedStrings(const Zip& zip) {
    std::vector<std::string> out;
    if (!zip.has("xl/sharedStrings.xml")) {
        return out;
    }
    auto doc = parseXml(zip.read("xl/sharedStrings.xml"), "sharedStrings.xml");
    for (auto si : doc.child("sst").children("si")) {
        std::string text;
        if (auto t = si.child("t")) {
            text = t.text().get();
        }
        for (auto r : si.children("r")) {
            text += r.child("t").text().get();
        }
        out.push_back(std::move(text));
    }
    return out;
}

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

struct Styles {
    std::vector<bool> dateXf;
    std::vector<XlsxCellStyle> xf;
};

Styles readStyles(const Zip& zip) {
    Styles s;
    if (!zip.has("xl/styles.xml")) {
        return s;
    }
    auto doc = parseXml(zip.read("xl/styles.xml"), "styles.xml");
    auto ss = doc.child("styleSheet");
    std::map<int, std::string> custom;
    for (auto f : ss.child("numFmts").children("numFmt")) {
        custom[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").as_string();
    }
    std::vector<XlsxCellStyle> fonts;
    for (auto f : ss.child("fonts").children("font")) {
        XlsxCellStyle fs;
        fs.font = f.child("name").attribute("val").as_string();
        fs.size = f.child("sz").attribute("val").as_double();
        fs.bold = static_cast<bool>(f.child("b")) &&
                  std::string(f.child("b").attribute("val").as_string("1")) != "0";
        fonts.push_back(fs);
    }
    std::vector<bool> borders;
    for (auto b : ss.child("borders").children("border")) {
        auto side = [&](const char* n) {
            return !std::string(b.child(n).attribute("style").as_string()).empty();
        };
        borders.push_back(side("left") && side("right") && side("top") && side("bottom"));
    }
    for (auto xf : ss.child("cellXfs").children("xf")) {
        int id = xf.attribute("numFmtId").as_int();
        bool date = (id >= 14 && id <= 22) || (id >= 45 && id <= 47) ||
                    (custom.count(id) && isDateFormatCode(custom[id]));
        s.dateXf.push_back(date);
        XlsxCellStyle st;
        auto fontId = static_cast<std::size_t>(xf.attribute("fontId").as_int());
        if (fontId < fonts.size()) {
            st = fonts[fontId];
        }
        auto borderId = static_cast<std::size_t>(xf.attribute("borderId").as_int());
        st.border = borderId < borders.size() && borders[borderId];
        st.halign = xf.child("alignment").attribute("horizontal").as_string();
        st.valign = xf.child("alignment").attribute("vertical").as_string();
        s.xf.push_back(st);
    }
    return s;
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

struct ReadSheet {
    Grid cells;
    std::vector<std::string> merges;
    std::vector<std::pair<int, double>> widths;
    std::vector<std::pair<std::string, XlsxCellStyle>> styles;
    bool landscape = false;
    double ml = 0, mr = 0, mt = 0, mb = 0;
    std::string footer;
};

ReadSheet readSheetPart(const Zip& zip, const std::string& part,
                        const std::vector<std::string>& shared, const Styles& styles, bool date1904,
                        bool withLayout) {
    ReadSheet out;
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
            } else if (type == "str" || type == "e" || type == "d") {
                text = value;
            } else if (!value.empty() && sIdx < styles.dateXf.size() && styles.dateXf[sIdx]) {
                text = excelDate(std::strtod(value.c_str(), nullptr), date1904);
            } else {
                text = numberText(value);
            }
            if (static_cast<std::size_t>(r) >= out.cells.size()) {
                out.cells.resize(static_cast<std::size_t>(r) + 1);
            }
            auto& line = out.cells[static_cast<std::size_t>(r)];
            if (static_cast<std::size_t>(col) >= line.size()) {
                line.resize(static_cast<std::size_t>(col) + 1);
            }
            line[static_cast<std::size_t>(col)] = std::move(text);
            if (withLayout && sIdx < styles.xf.size() && c.attribute("s")) {
                out.styles.emplace_back(c.attribute("r").as_string(), styles.xf[sIdx]);
            }
        }
    }
    if (withLayout) {
        for (auto m : ws.child("mergeCells").children("mergeCell")) {
            out.merges.push_back(m.attribute("ref").as_string());
        }
        for (auto col : ws.child("cols").children("col")) {
            for (int i = col.attribute("min").as_int(); i <= col.attribute("max").as_int(); ++i) {
                // Stored widths carry the cell padding; give back character units.
                double stored = col.attribute("width").as_double();
                double chars = stored >= 1 ? (stored * 7 - 5) / 7 : stored;
                out.widths.emplace_back(i - 1, std::round(chars * 100) / 100);
            }
        }
        out.landscape =
            std::string(ws.child("pageSetup").attribute("orientation").as_string()) == "landscape";
        auto pm = ws.child("pageMargins");
        out.ml = pm.attribute("left").as_double();
        out.mr = pm.attribute("right").as_double();
        out.mt = pm.attribute("top").as_double();
        out.mb = pm.attribute("bottom").as_double();
        out.footer = ws.child("headerFooter").child("oddFooter").text().get();
    }
    return out;
}

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

SheetData readXlsxSheet1(const std::filesystem::path& file) {
    Zip zip(file);
    bool date1904 = false;
    auto refs = sheetRefs(zip, date1904);
    auto it = std::find_if(refs.begin(), refs.end(),
                           [](const SheetRef& r) { return r.name == "Sheet1"; });
    if (it == refs.end()) {
        throw SpreadsheetReadError("工作簿中没有名为 Sheet1 的工作表");
    }
    auto shared = sharedStrings(zip);
    auto styles = readStyles(zip);
    return toSheetData(readSheetPart(zip, it->part, shared, styles, date1904, false).cells);
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
        return readXlsxSheet1(file);
    }
    if (startsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        return readXlsSheet1(file);
    }
    throw SpreadsheetReadError(
        fmt::format("{} 不是 Excel 工作簿（.xls 或 .xlsx）", file.filename().string()));
}

XlsxCellStyle XlsxSheetLayout::style(const std::string& ref) const {
    for (const auto& [r, s] : styles) {
        if (r == ref) {
            return s;
        }
    }
    return {};
}

std::vector<XlsxSheetLayout> inspectXlsx(const std::filesystem::path& file) {
    Zip zip(file);
    bool date1904 = false;
    auto refs = sheetRefs(zip, date1904);
    auto shared = sharedStrings(zip);
    auto styles = readStyles(zip);
    std::vector<XlsxSheetLayout> out;
    for (const auto& ref : refs) {
        ReadSheet s = readSheetPart(zip, ref.part, shared, styles, date1904, true);
        XlsxSheetLayout l;
        l.name = ref.name;
        l.cells = squared(std::move(s.cells));
        l.merges = std::move(s.merges);
        l.columnWidths = std::move(s.widths);
        l.styles = std::move(s.styles);
        l.landscape = s.landscape;
        l.marginLeft = s.ml;
        l.marginRight = s.mr;
        l.marginTop = s.mt;
        l.marginBottom = s.mb;
        l.footer = s.footer;
        out.push_back(std::move(l));
    }
    return out;
}

}  // namespace fennory
