#include "import/xls_formulas.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstring>
#include <memory>
#include <optional>

namespace fennory {
namespace {

constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kBof = 0x0809;

std::uint16_t u16(std::string_view d, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) |
                                      static_cast<unsigned char>(d[at + 1]) << 8);
}

std::uint32_t u32(std::string_view d, std::size_t at) {
    return static_cast<std::uint32_t>(u16(d, at)) | static_cast<std::uint32_t>(u16(d, at + 2))
                                                        << 16;
}

struct Record {
    std::uint16_t type;
    std::string_view body;
};

// The records from `at`, one at a time; none once one would run past the end.
class Records {
public:
    Records(std::string_view stream, std::size_t at) : s_(stream), at_(at) {}
    std::optional<Record> next() {
        if (at_ + 4 > s_.size()) {
            return std::nullopt;
        }
        const std::uint16_t type = u16(s_, at_);
        const std::uint16_t size = u16(s_, at_ + 2);
        if (at_ + 4 + size > s_.size()) {
            return std::nullopt;
        }
        Record r{type, s_.substr(at_ + 4, size)};
        at_ += 4u + size;
        return r;
    }

private:
    std::string_view s_;
    std::size_t at_;
};

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Characters stored one byte each (Latin-1) or two (UTF-16), as UTF-8.
std::string xlText(std::string_view d, std::size_t at, std::size_t count, bool wide) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = at + (wide ? 2 * i : i);
        if (p + (wide ? 2 : 1) > d.size()) {
            break;
        }
        std::uint32_t c = wide ? u16(d, p) : static_cast<unsigned char>(d[p]);
        if (wide && c >= 0xD800 && c <= 0xDBFF && p + 4 <= d.size()) {
            const std::uint32_t low = u16(d, p + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
                out += static_cast<char>(0xF0 | (c >> 18));
                out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string errorText(unsigned char code) {
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

// Where the worksheet of this name starts, from the workbook's sheet list.
std::optional<std::uint32_t> sheetStart(std::string_view stream, std::string_view sheet) {
    Records records(stream, 0);
    auto first = records.next();
    if (!first || first->type != kBof) {
        return std::nullopt;
    }
    while (auto r = records.next()) {
        if (r->type == kEof) {
            break;
        }
        if (r->type != kBoundSheet || r->body.size() < 8) {
            continue;
        }
        const std::size_t count = static_cast<unsigned char>(r->body[6]);
        const bool wide = r->body[7] & 1;
        if (xlText(r->body, 8, count, wide) == sheet && r->body[5] == 0 /* a worksheet */) {
            return u32(r->body, 0);
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<XlsFormulaResult> xlsFormulaResultsOfStream(std::string_view stream,
                                                        std::string_view sheet) {
    std::vector<XlsFormulaResult> out;
    const auto start = sheetStart(stream, sheet);
    if (!start || *start >= stream.size()) {
        return out;
    }
    Records records(stream, *start);
    auto first = records.next();
    if (!first || first->type != kBof) {
        return out;
    }
    bool awaitingString = false;  // a text result follows its formula in a STRING record
    while (auto r = records.next()) {
        if (r->type == kEof) {
            break;
        }
        if (r->type == kString && awaitingString && r->body.size() >= 3) {
            out.back().text = xlText(r->body, 3, u16(r->body, 0), r->body[2] & 1);
            awaitingString = false;
            continue;
        }
        if (r->type != kFormula || r->body.size() < 14) {
            continue;
        }
        XlsFormulaResult f{.row = u16(r->body, 0), .column = u16(r->body, 2)};
        const std::string_view value = r->body.substr(6, 8);
        awaitingString = false;
        if (u16(value, 6) != 0xFFFF) {
            f.kind = XlsFormulaResult::Kind::Number;
            std::memcpy(&f.number, value.data(), sizeof f.number);
        } else {
            switch (value[0]) {
                case 0:
                    f.kind = XlsFormulaResult::Kind::Text;
                    awaitingString = true;
                    break;
                case 1:
                    f.kind = XlsFormulaResult::Kind::Boolean;
                    f.text = value[2] ? "TRUE" : "FALSE";
                    break;
                case 2:
                    f.kind = XlsFormulaResult::Kind::Error;
                    f.text = errorText(static_cast<unsigned char>(value[2]));
                    break;
                default:
                    f.kind = XlsFormulaResult::Kind::Empty;
                    break;
            }
        }
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<XlsFormulaResult> xlsFormulaResults(const std::filesystem::path& file,
                                                std::string_view sheet) {
    gsf_init();
    GError* error = nullptr;
    std::unique_ptr<GsfInput, decltype(&g_object_unref)> input(
        gsf_input_stdio_new(file.string().c_str(), &error), g_object_unref);
    if (!input) {
        g_clear_error(&error);
        return {};
    }
    std::unique_ptr<GsfInfile, decltype(&g_object_unref)> ole(
        gsf_infile_msole_new(input.get(), &error), g_object_unref);
    if (!ole) {
        g_clear_error(&error);
        return {};
    }
    std::unique_ptr<GsfInput, decltype(&g_object_unref)> stream(
        gsf_infile_child_by_name(ole.get(), "Workbook"), g_object_unref);
    if (!stream) {
        return {};
    }
    const gsf_off_t size = gsf_input_size(stream.get());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<std::size_t>(size),
                                    reinterpret_cast<guint8*>(bytes.data()))) {
        return {};
    }
    return xlsFormulaResultsOfStream(bytes, sheet);
}

}  // namespace fennory
