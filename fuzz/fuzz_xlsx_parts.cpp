// The XML parts of an .xlsx workbook, of any bytes. A mutated zip rarely gets
// past its checksums, so here the input is the parts themselves, separated by
// NUL bytes in a fixed order; the harness packs them into a zip (stored, so
// nothing is inflated) and reads it as a user's workbook. A part left out is
// missing from the zip.
#include <zip.h>

#include <array>
#include <string_view>

#include "fuzz_files.h"
#include "fuzz_refusal.h"
#include "import/spreadsheet_reader.h"

namespace {

constexpr std::array<const char*, 5> kParts = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                               "xl/sharedStrings.xml", "xl/styles.xml",
                                               "xl/worksheets/sheet1.xml"};

bool packed(std::string_view input, const std::filesystem::path& file) {
    int err = 0;
    zip_t* z = zip_open(file.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) {
        return false;
    }
    for (const char* name : kParts) {
        if (input.empty()) {
            break;
        }
        const auto end = input.find('\0');
        const std::string_view part = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        zip_source_t* s = zip_source_buffer(z, part.data(), part.size(), 0);
        const zip_int64_t i = s ? zip_file_add(z, name, s, ZIP_FL_OVERWRITE) : -1;
        if (i < 0) {
            zip_source_free(s);
            zip_discard(z);
            return false;
        }
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const auto file = fuzz::inputFile(".xlsx", nullptr, 0);
    if (!packed({reinterpret_cast<const char*>(data), size}, file)) {
        return 0;
    }
    fuzz::refusedOrRead([&] { readFirstSheet(file); });
    return 0;
}
