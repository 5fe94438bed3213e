#include "reporting/sheet.h"

#include <fmt/format.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

#include "core/dates.h"
#include "core/main_texts.h"

namespace fennory {
namespace {
// What a spreadsheet gives a column nobody sized, in characters.
constexpr double kDefaultColumnWidth = 8.43;
}  // namespace

CellStyle CellStyle::over(const CellStyle& top) const {
    CellStyle s = *this;
    if (top.font) {
        s.font = top.font;
    }
    if (top.size) {
        s.size = top.size;
    }
    if (top.bold) {
        s.bold = top.bold;
    }
    if (top.halign) {
        s.halign = top.halign;
    }
    if (top.valign) {
        s.valign = top.valign;
    }
    s.border = s.border || top.border;
    if (top.numberFormat) {
        s.numberFormat = top.numberFormat;
    }
    return s;
}

void Sheet::setText(int row, int col, std::string text) {
    cells_[{row, col}] = SheetCell{.text = std::move(text)};
}

void Sheet::setNumber(int row, int col, double value, std::string format) {
    cells_[{row, col}] = SheetCell{.number = value, .numberFormat = std::move(format)};
}

void Sheet::setMoney(int row, int col, Money value) {
    // A double holds every amount to the fen up to nine hundred billion yuan.
    setNumber(row, col, static_cast<double>(value.units()) / Money::kScale, kMoneyFormat);
}

void Sheet::setValue(int row, int col, const Value& value) {
    if (const auto* m = std::get_if<Money>(&value)) {
        setMoney(row, col, *m);
    } else if (const auto* i = std::get_if<std::int64_t>(&value)) {
        setNumber(row, col, static_cast<double>(*i));
    } else if (const auto* t = std::get_if<std::string>(&value)) {
        setText(row, col, *t);
    }
}

std::string shownText(const SheetCell& cell, const std::string& format) {
    if (!cell.number) {
        return cell.text;
    }
    const double v = *cell.number;
    if (format == kMoneyFormat || format == "0.00") {
        const std::string fixed = fmt::format("{:.2f}", v);
        if (format != kMoneyFormat) {
            return fixed;
        }
        // Thousands separators over the whole part.
        const std::size_t sign = fixed[0] == '-' ? 1 : 0;
        const std::size_t point = fixed.find('.');
        std::string out = fixed.substr(0, sign);
        for (std::size_t i = sign; i < point; ++i) {
            if (i != sign && (point - i) % 3 == 0) {
                out += ',';
            }
            out += fixed[i];
        }
        return out + fixed.substr(point);
    }
    if (v == static_cast<double>(static_cast<std::int64_t>(v))) {
        return fmt::format("{}", static_cast<std::int64_t>(v));
    }
    return fmt::format("{:.10g}", v);
}

double textWidth(std::string_view text) {
    double w = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        w += len >= 3 ? 2 : 1;  // CJK and full-width forms are three bytes and wide
        i += len;
    }
    return w;
}

void Sheet::merge(const CellRange& range) {
    merges_.push_back(range);
}

void Sheet::setColumnWidth(int col, double characters) {
    widths_[col] = characters;
}

void Sheet::setColumns(const std::vector<double>& widths, int headingRow,
                       const std::vector<std::string>& headings) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
        setColumnWidth(static_cast<int>(c), widths[c]);
    }
    for (std::size_t c = 0; c < headings.size(); ++c) {
        setText(headingRow, static_cast<int>(c), headings[c]);
    }
}

void Sheet::styleRow(int row, const CellStyle& style) {
    rowStyles_[row] = rowStyles_[row].over(style);
}

void Sheet::styleRange(const CellRange& range, const CellStyle& style) {
    rangeStyles_.emplace_back(range, style);
}

void Sheet::borderRange(const CellRange& range) {
    borders_.push_back(range);
}

int Sheet::lastRow() const {
    int last = -1;
    for (const auto& [rc, text] : cells_) {
        last = std::max(last, rc.first);
    }
    for (const auto& m : merges_) {
        last = std::max(last, m.lastRow);
    }
    for (const auto& b : borders_) {
        last = std::max(last, b.lastRow);
    }
    return last;
}

int Sheet::lastCol() const {
    int last = -1;
    for (const auto& [rc, text] : cells_) {
        last = std::max(last, rc.second);
    }
    for (const auto& m : merges_) {
        last = std::max(last, m.lastCol);
    }
    for (const auto& b : borders_) {
        last = std::max(last, b.lastCol);
    }
    return last;
}

CellStyle Sheet::styleAt(int row, int col) const {
    CellStyle s;
    if (auto it = rowStyles_.find(row); it != rowStyles_.end()) {
        s = s.over(it->second);
    }
    for (const auto& [range, style] : rangeStyles_) {
        if (range.contains(row, col)) {
            s = s.over(style);
        }
    }
    for (const auto& b : borders_) {
        if (b.contains(row, col)) {
            s.border = true;
        }
    }
    return s;
}

namespace {

struct Workbook {
    lxw_workbook* wb;
    ~Workbook() {
        if (wb) {
            // Closing writes the file; when it was never meant to be, discard.
            workbook_close(wb);
        }
    }
};

uint8_t toLxw(HAlign a) {
    switch (a) {
        case HAlign::Left:
            return LXW_ALIGN_LEFT;
        case HAlign::Center:
            return LXW_ALIGN_CENTER;
        case HAlign::Right:
            return LXW_ALIGN_RIGHT;
        default:
            return LXW_ALIGN_NONE;
    }
}

uint8_t toLxw(VAlign a) {
    switch (a) {
        case VAlign::Center:
            return LXW_ALIGN_VERTICAL_CENTER;
        case VAlign::Top:
            return LXW_ALIGN_VERTICAL_TOP;
        default:
            return LXW_ALIGN_VERTICAL_BOTTOM;
    }
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* wb) : wb_(wb) {}
    lxw_format* get(const CellStyle& s) {
        if (s == CellStyle{}) {
            return nullptr;
        }
        for (auto& [style, f] : cache_) {
            if (style == s) {
                return f;
            }
        }
        lxw_format* f = workbook_add_format(wb_);
        if (s.font) {
            format_set_font_name(f, s.font->c_str());
        }
        if (s.size) {
            format_set_font_size(f, *s.size);
        }
        if (s.bold.value_or(false)) {
            format_set_bold(f);
        }
        if (s.halign) {
            format_set_align(f, toLxw(*s.halign));
        }
        if (s.valign) {
            format_set_align(f, toLxw(*s.valign));
        }
        if (s.border) {
            format_set_border(f, LXW_BORDER_THIN);
        }
        if (s.numberFormat) {
            format_set_num_format(f, s.numberFormat->c_str());
        }
        cache_.emplace_back(s, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::vector<std::pair<CellStyle, lxw_format*>> cache_;
};

// The width a cell needs to show whole, in characters: larger or bold type
// takes more room, and one character of air.
double neededWidth(const SheetCell& cell, const CellStyle& style) {
    const double w = textWidth(shownText(cell, style.numberFormat.value_or("")));
    if (w == 0) {
        return 0;
    }
    return std::ceil(w * std::max(1.0, style.size.value_or(11) / 11) *
                         (style.bold.value_or(false) ? 1.1 : 1) +
                     1);
}

void check(lxw_error e, const char* what) {
    if (e != LXW_NO_ERROR) {
        throw SpreadsheetError(fmt::format("{}：{}", what, lxw_strerror(e)));
    }
}

}  // namespace

namespace {

using Covered = std::vector<std::vector<bool>>;

// Merged ranges first (their top-left cell carries the text); returns the
// cells they cover.
Covered writeMerges(lxw_worksheet* ws, const Sheet& sheet, FormatCache& formats) {
    Covered covered(static_cast<std::size_t>(sheet.lastRow() + 1),
                    std::vector<bool>(static_cast<std::size_t>(sheet.lastCol() + 1), false));
    for (const CellRange& m : sheet.merges()) {
        auto it = sheet.cells().find({m.firstRow, m.firstCol});
        std::string text = it == sheet.cells().end() ? "" : it->second.text;
        check(worksheet_merge_range(
                  ws, static_cast<lxw_row_t>(m.firstRow), static_cast<lxw_col_t>(m.firstCol),
                  static_cast<lxw_row_t>(m.lastRow), static_cast<lxw_col_t>(m.lastCol),
                  text.c_str(), formats.get(sheet.styleAt(m.firstRow, m.firstCol))),
              "合并单元格");
        for (int r = m.firstRow; r <= m.lastRow; ++r) {
            for (int c = m.firstCol; c <= m.lastCol; ++c) {
                covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = true;
            }
        }
    }
    return covered;
}

// One cell outside the merges: a number, a text, or a blank that carries a
// style. Widens its column's fit to the value as shown.
void writeCell(lxw_worksheet* ws, const Sheet& sheet, int r, int c, FormatCache& formats,
               std::map<int, double>& widths) {
    CellStyle style = sheet.styleAt(r, c);
    auto it = sheet.cells().find({r, c});
    const auto row = static_cast<lxw_row_t>(r);
    const auto col = static_cast<lxw_col_t>(c);
    if (it == sheet.cells().end()) {
        if (lxw_format* f = formats.get(style)) {
            check(worksheet_write_blank(ws, row, col, f), "写入单元格");
        }
        return;
    }
    const SheetCell& cell = it->second;
    if (cell.number && !cell.numberFormat.empty()) {
        style.numberFormat = cell.numberFormat;
    }
    double& have = widths.try_emplace(c, 0).first->second;
    have = std::max(have, neededWidth(cell, style));
    if (cell.number) {
        check(worksheet_write_number(ws, row, col, *cell.number, formats.get(style)), "写入单元格");
    } else {
        check(worksheet_write_string(ws, row, col, cell.text.c_str(), formats.get(style)),
              "写入单元格");
    }
}

// The column widths (a column only the fit names keeps the spreadsheet's
// default when wider), the page and its footer.
void writeLayout(lxw_worksheet* ws, const Sheet& sheet, const std::map<int, double>& widths) {
    for (const auto& [col, width] : widths) {
        if (!sheet.columnWidths().count(col) && width <= kDefaultColumnWidth) {
            continue;
        }
        check(worksheet_set_column(ws, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                   width, nullptr),
              "列宽");
    }
    const PageSetup& p = sheet.page();
    if (p.landscape) {
        worksheet_set_landscape(ws);
    }
    constexpr double kPointsPerInch = 72.0;
    worksheet_set_margins(ws, p.marginLeft / kPointsPerInch, p.marginRight / kPointsPerInch,
                          p.marginTop / kPointsPerInch, p.marginBottom / kPointsPerInch);
    if (!p.centerFooter.empty()) {
        std::string footer = "&C" + p.centerFooter;
        check(worksheet_set_footer(ws, footer.c_str()), "页脚");
    }
}

}  // namespace

void writeXlsx(const std::filesystem::path& file, const std::vector<Sheet>& sheets) {
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    lxw_workbook* raw = workbook_new(file.string().c_str());
    if (!raw) {
        throw SpreadsheetError("无法创建Xls文件，请确认是否安装EXCEL");
    }
    Workbook wb{raw};
    FormatCache formats(raw);
    for (const Sheet& sheet : sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(raw, sheet.name().c_str());
        if (!ws) {
            throw SpreadsheetError("无法创建工作表 " + sheet.name());
        }
        // Each column at least as wide as its widest value as shown, so that no
        // spreadsheet shows "###" for a number; a title merged across columns
        // needs none of them wider. Measured as the cells are written.
        std::map<int, double> widths = sheet.columnWidths();
        const Covered covered = writeMerges(ws, sheet, formats);
        for (int r = 0; r <= sheet.lastRow(); ++r) {
            for (int c = 0; c <= sheet.lastCol(); ++c) {
                if (!covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) {
                    writeCell(ws, sheet, r, c, formats, widths);
                }
            }
        }
        writeLayout(ws, sheet, widths);
    }
    lxw_error e = workbook_close(raw);
    wb.wb = nullptr;
    if (e != LXW_NO_ERROR) {
        std::filesystem::remove(file, ec);
        throw SpreadsheetError("无法创建Xls文件，请确认是否安装EXCEL");
    }
}

std::string exportFooter() {
    return fmt::format("Fennory {} 共&N页，第&P页", kVendorAddress);
}

Sheet schemeSheet(const std::string& title, int columns, bool centreRow2) {
    Sheet s("Sheet1");
    s.setText(0, 0, title);
    s.merge({0, 0, 0, columns - 1});
    CellStyle titleStyle;
    titleStyle.font = "宋体";
    titleStyle.size = 16;
    titleStyle.bold = true;
    titleStyle.halign = HAlign::Center;
    titleStyle.valign = VAlign::Center;
    s.styleRow(0, titleStyle);
    CellStyle row2;
    row2.size = 12;
    if (centreRow2) {
        row2.bold = true;
        row2.halign = HAlign::Center;
        row2.valign = VAlign::Center;
    }
    s.styleRow(1, row2);
    s.page().centerFooter = exportFooter();
    return s;
}

std::filesystem::path exportPath(const std::filesystem::path& dataFile, const std::string& book,
                                 const std::string& sheetName, const std::string& stamp) {
    return dataFile.parent_path() / "Export" / (book + "-" + sheetName + "-" + stamp + ".xlsx");
}

std::string exportStamp() {
    return dates::localTimeText("%Y%m%d-%H%M%S");
}

std::string columnName(int col) {
    std::string s;
    for (int c = col + 1; c > 0; c = (c - 1) / 26) {
        s.insert(s.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return s;
}

}  // namespace fennory
