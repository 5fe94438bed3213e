#include "import/xls_reader.h"

#include <fmt/format.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "core/gbk.h"
#include "import/cell_text.h"
#include "import/spreadsheet_reader.h"

namespace fennory {
namespace {

// Record types of the workbook stream.
enum : std::uint16_t {
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kFormat = 0x041E,
    kBof = 0x0809,
};

// A BIFF8 sheet has at most 65,536 rows of 256 columns.
constexpr std::uint32_t kMaxRows = 65536;
constexpr std::uint32_t kMaxColumns = 256;

SpreadsheetReadError damaged(const std::string& what) {
    return SpreadsheetReadError("工作簿已损坏：" + what);
}

std::uint16_t u16(std::string_view d, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) |
                                      static_cast<unsigned char>(d[at + 1]) << 8);
}

std::uint32_t u32(std::string_view d, std::size_t at) {
    return static_cast<std::uint32_t>(u16(d, at)) | static_cast<std::uint32_t>(u16(d, at + 2))
                                                        << 16;
}

double f64(std::string_view d, std::size_t at) {
    double v;
    std::memcpy(&v, d.data() + at, sizeof v);
    return v;
}

struct Record {
    std::uint16_t type;
    std::string_view body;
};

// The records from `at`, one at a time; one that would run past the stream
// ends them.
class Records {
public:
    Records(std::string_view stream, std::size_t at) : s_(stream), at_(at) {}
    std::optional<Record> next() {
        if (at_ + 4 > s_.size()) {
            return std::nullopt;
        }
        const std::uint16_t size = u16(s_, at_ + 2);
        if (at_ + 4 + size > s_.size()) {
            return std::nullopt;
        }
        Record r{u16(s_, at_), s_.substr(at_ + 4, size)};
        at_ += 4u + size;
        return r;
    }
    // The type of the record next() would take, without taking it.
    std::optional<std::uint16_t> peekType() const {
        Records ahead = *this;
        const auto r = ahead.next();
        return r ? std::optional(r->type) : std::nullopt;
    }

private:
    std::string_view s_;
    std::size_t at_;
};

// Reads across a record and its CONTINUE records as one run of bytes; at
// each seam, characters being read start again with a byte that says their
// width.
class Pieces {
public:
    explicit Pieces(std::vector<std::string_view> pieces) : pieces_(std::move(pieces)) {}

    bool atEnd() {
        settle();
        return piece_ >= pieces_.size();
    }
    std::uint8_t byte() {
        settle();
        if (piece_ >= pieces_.size()) {
            throw damaged("文本不完整");
        }
        return static_cast<std::uint8_t>(pieces_[piece_][at_++]);
    }
    std::uint16_t word() {
        const std::uint16_t lo = byte();
        return static_cast<std::uint16_t>(lo | byte() << 8);
    }
    std::uint32_t dword() {
        const std::uint32_t lo = word();
        return lo | static_cast<std::uint32_t>(word()) << 16;
    }
    void skip(std::uint64_t n) {
        while (n > 0) {
            settle();
            if (piece_ >= pieces_.size()) {
                throw damaged("文本不完整");
            }
            const std::size_t step =
                static_cast<std::size_t>(std::min<std::uint64_t>(n, pieces_[piece_].size() - at_));
            at_ += step;
            n -= step;
        }
    }
    // `count` characters, one byte each or two, as UTF-8.
    std::string chars(std::size_t count, bool wide) {
        std::string out;
        std::uint32_t high = 0;  // a lead surrogate waiting for its partner
        for (std::size_t i = 0; i < count; ++i) {
            if (at_ >= current().size()) {
                ++piece_;
                at_ = 0;
                wide = byte() & 1;  // the seam says the width again
            }
            std::uint32_t c = wide ? word() : byte();
            if (c >= 0xD800 && c <= 0xDBFF) {
                high = c;
                continue;
            }
            if (c >= 0xDC00 && c <= 0xDFFF && high) {
                c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
            }
            high = 0;
            out += gbk::utf8Of(c);
        }
        return out;
    }

private:
    std::string_view current() const {
        return piece_ < pieces_.size() ? pieces_[piece_] : std::string_view();
    }
    void settle() {
        while (piece_ < pieces_.size() && at_ >= pieces_[piece_].size()) {
            ++piece_;
            at_ = 0;
        }
    }
    std::vector<std::string_view> pieces_;
    std::size_t piece_ = 0;
    std::size_t at_ = 0;
};

// A string of one record: a character count of `countBytes` bytes, a flags
// byte, the characters.
std::string recordText(std::string_view body, std::size_t at, int countBytes) {
    if (at + static_cast<std::size_t>(countBytes) + 1 > body.size()) {
        throw damaged("文本单元格不完整");
    }
    Pieces p({body.substr(at)});
    const std::size_t count = countBytes == 1 ? p.byte() : p.word();
    const std::uint8_t flags = p.byte();
    if (flags & 0x08) {
        p.word();  // rich-text runs follow the characters
    }
    if (flags & 0x04) {
        p.dword();  // so does the phonetic block
    }
    return p.chars(count, flags & 1);
}

// The shared strings of the workbook (SST and its CONTINUE records).
std::vector<std::string> sharedStrings(std::vector<std::string_view> pieces) {
    std::vector<std::string> out;
    if (pieces.empty() || pieces.front().size() < 8) {
        return out;
    }
    const std::uint32_t unique = u32(pieces.front(), 4);
    pieces.front().remove_prefix(8);
    Pieces p(std::move(pieces));
    // Each string takes at least three bytes: a claimed count beyond the
    // stream is not believed.
    out.reserve(std::min<std::uint32_t>(unique, 1u << 16));
    for (std::uint32_t i = 0; i < unique && !p.atEnd(); ++i) {
        // Three bytes make an empty string that costs tens in memory.
        if (out.size() >= kMaxCells) {
            throw damaged(fmt::format("共享字符串超过 {} 个", kMaxCells));
        }
        const std::uint16_t count = p.word();
        const std::uint8_t flags = p.byte();
        const std::uint16_t runs = (flags & 0x08) ? p.word() : 0;
        const std::uint32_t phonetic = (flags & 0x04) ? p.dword() : 0;
        out.push_back(p.chars(count, flags & 1));
        p.skip(4ull * runs + phonetic);
    }
    return out;
}

// What the workbook's globals say before its sheets.
struct Globals {
    bool date1904 = false;
    std::vector<bool> dateXf;  // per XF record: its number format shows a date
    std::vector<std::string> shared;
    std::optional<std::uint32_t> sheetAt;  // where the sheet asked for starts
};

bool builtinDateFormat(std::uint16_t id) {
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
}

Globals readGlobals(std::string_view stream, std::string_view sheet) {
    Records records(stream, 0);
    auto first = records.next();
    if (!first || first->type != kBof || first->body.size() < 2 || u16(first->body, 0) != 0x0600) {
        throw SpreadsheetReadError(
            "不支持这种旧版 Excel 工作簿，请在表格程序中另存为 Excel 97 或更新的格式后再导入");
    }
    Globals g;
    std::map<std::uint16_t, std::string> formats;
    std::vector<std::uint16_t> xfFormats;
    std::vector<std::string_view> sst;
    bool inSst = false;
    while (auto r = records.next()) {
        if (r->type == kEof) {
            break;
        }
        if (r->type == kContinue && inSst) {
            sst.push_back(r->body);
            continue;
        }
        inSst = false;
        switch (r->type) {
            case kFilePass:
                throw SpreadsheetReadError("工作簿设有打开密码，请在表格程序中取消密码后再导入");
            case kDateMode:
                g.date1904 = r->body.size() >= 2 && u16(r->body, 0) == 1;
                break;
            case kFormat:
                if (r->body.size() >= 5) {
                    formats[u16(r->body, 0)] = recordText(r->body, 2, 2);
                }
                break;
            case kXf:
                if (r->body.size() >= 4) {
                    xfFormats.push_back(u16(r->body, 2));
                }
                break;
            case kSst:
                sst = {r->body};
                inSst = true;
                break;
            case kBoundSheet:
                if (r->body.size() >= 8 && r->body[5] == 0 /* a worksheet */ && !g.sheetAt &&
                    (sheet.empty() || recordText(r->body, 6, 1) == sheet)) {
                    g.sheetAt = u32(r->body, 0);
                }
                break;
            default:
                break;
        }
    }
    for (std::uint16_t f : xfFormats) {
        auto custom = formats.find(f);
        g.dateXf.push_back(builtinDateFormat(f) ||
                           (custom != formats.end() && isDateFormatCode(custom->second)));
    }
    g.shared = sharedStrings(std::move(sst));
    return g;
}

// An RK value: a 30-bit integer or the high bits of a double, perhaps / 100.
double rkValue(std::uint32_t rk) {
    double v;
    if (rk & 0x02) {
        v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 0x01) ? v / 100 : v;
}

const char* errorName(std::uint8_t code) {
    switch (code) {
        case 0x00:
            return "#NULL!";
        case 0x07:
            return "#DIV/0!";
        case 0x0F:
            return "#VALUE!";
        case 0x17:
            return "#REF!";
        case 0x1D:
            return "#NAME?";
        case 0x24:
            return "#NUM!";
        case 0x2A:
            return "#N/A";
        default:
            return "#错误";
    }
}

class SheetCells {
public:
    explicit SheetCells(const Globals& g) : g_(g) {}

    void set(std::uint32_t row, std::uint32_t column, std::string text) {
        if (row >= kMaxRows || column >= kMaxColumns) {
            throw damaged("单元格位置超出范围");
        }
        grid_.set(row, column, std::move(text));
    }
    void number(std::uint32_t row, std::uint32_t column, std::uint16_t xf, double v) {
        set(row, column,
            xf < g_.dateXf.size() && g_.dateXf[xf] ? excelDate(v, g_.date1904)
                                                   : numberText(fmt::format("{:.17g}", v)));
    }
    CellGrid take() { return grid_.take(); }

private:
    const Globals& g_;
    CellRows grid_;
};

// A formula cell as the result kept beside the formula: a number, or a marker
// saying text (in the STRING record that follows), a truth value, an error or
// nothing.
void formulaCell(Records& records, SheetCells& cells, std::string_view b) {
    if (b.size() < 14) {
        return;
    }
    const std::uint16_t row = u16(b, 0), col = u16(b, 2), xf = u16(b, 4);
    if (u16(b, 12) != 0xFFFF) {
        cells.number(row, col, xf, f64(b, 6));
        return;
    }
    switch (b[6]) {
        case 0:
            while (records.peekType() && *records.peekType() != kString &&
                   *records.peekType() != kEof && *records.peekType() != kFormula) {
                records.next();  // shared or array formula parts come first
            }
            if (records.peekType() == kString) {
                const Record s = *records.next();
                cells.set(row, col, recordText(s.body, 0, 2));
            }
            break;
        case 1:
            cells.set(row, col, b[8] ? "TRUE" : "FALSE");
            break;
        case 2:
            throw errorCell(row, col, errorName(static_cast<std::uint8_t>(b[8])));
        default:
            cells.set(row, col, {});
            break;
    }
}

CellGrid readCells(std::string_view stream, const Globals& g) {
    Records records(stream, *g.sheetAt);
    auto first = records.next();
    if (!first || first->type != kBof) {
        throw damaged("找不到工作表的开头");
    }
    SheetCells cells(g);
    while (auto r = records.next()) {
        const std::string_view b = r->body;
        if (r->type == kEof) {
            break;
        }
        if (b.size() < 6) {
            continue;
        }
        const std::uint16_t row = u16(b, 0), col = u16(b, 2), xf = u16(b, 4);
        switch (r->type) {
            case kNumber:
                if (b.size() >= 14) {
                    cells.number(row, col, xf, f64(b, 6));
                }
                break;
            case kRk:
                if (b.size() >= 10) {
                    cells.number(row, col, xf, rkValue(u32(b, 6)));
                }
                break;
            case kMulRk:
                // Column, then (XF, RK) pairs, then the last column.
                for (std::size_t at = 4, c = col; at + 6 <= b.size() - 2; at += 6, ++c) {
                    cells.number(row, static_cast<std::uint32_t>(c), u16(b, at),
                                 rkValue(u32(b, at + 2)));
                }
                break;
            case kLabelSst:
                if (b.size() >= 10) {
                    const std::uint32_t i = u32(b, 6);
                    if (i >= g.shared.size()) {
                        throw damaged(fmt::format("第 {} 行的文本不在共享字符串表中", row + 1));
                    }
                    cells.set(row, col, g.shared[i]);
                }
                break;
            case kLabel:
                cells.set(row, col, recordText(b, 6, 2));
                break;
            case kBoolErr:
                if (b.size() >= 8) {
                    if (b[7]) {
                        throw errorCell(row, col, errorName(static_cast<std::uint8_t>(b[6])));
                    }
                    cells.set(row, col, b[6] ? "TRUE" : "FALSE");
                }
                break;
            case kFormula:
                formulaCell(records, cells, b);
                break;
            default:
                break;
        }
    }
    return cells.take();
}

}  // namespace

CellGrid readXlsStream(std::string_view workbook, std::string_view sheet) {
    const Globals g = readGlobals(workbook, sheet);
    if (!g.sheetAt || *g.sheetAt >= workbook.size()) {
        throw SpreadsheetReadError(sheet.empty()
                                       ? std::string("工作簿中没有工作表")
                                       : fmt::format("工作簿中没有名为 {} 的工作表", sheet));
    }
    return readCells(workbook, g);
}

CellGrid readXlsSheet(const std::filesystem::path& file, std::string_view sheet) {
    return readXlsStream(xlsWorkbookStream(file), sheet);
}

std::string xlsWorkbookStream(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    auto notAWorkbook = [&name] {
        return SpreadsheetReadError(
            fmt::format("{} 不是有效的 Excel 工作簿（无法作为 xls 打开）", name));
    };
    gsf_init();
    GError* error = nullptr;
    std::unique_ptr<GsfInput, decltype(&g_object_unref)> input(
        gsf_input_stdio_new(file.string().c_str(), &error), g_object_unref);
    if (!input) {
        g_clear_error(&error);
        throw SpreadsheetReadError("无法打开文件 " + name);
    }
    std::unique_ptr<GsfInfile, decltype(&g_object_unref)> ole(
        gsf_infile_msole_new(input.get(), &error), g_object_unref);
    if (!ole) {
        g_clear_error(&error);
        throw notAWorkbook();
    }
    GsfInput* child = gsf_infile_child_by_name(ole.get(), "Workbook");
    if (!child) {
        if (GsfInput* old = gsf_infile_child_by_name(ole.get(), "Book")) {
            g_object_unref(old);
            throw SpreadsheetReadError(
                "不支持这种旧版 Excel 工作簿，请在表格程序中另存为 Excel 97 或更新的格式后再导入");
        }
        throw notAWorkbook();
    }
    std::unique_ptr<GsfInput, decltype(&g_object_unref)> stream(child, g_object_unref);
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size > (gsf_off_t{1} << 30)) {
        throw damaged("工作簿数据过大");
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<std::size_t>(size),
                                    reinterpret_cast<guint8*>(bytes.data()))) {
        throw damaged("无法读出工作簿数据");
    }
    return bytes;
}

}  // namespace fennory
