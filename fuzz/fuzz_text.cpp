// Text from cells and files: GBK and UTF-8 handling, amounts, dates and the
// number and date forms of spreadsheet cells.
#include <cmath>
#include <cstring>

#include "core/dates.h"
#include "core/gbk.h"
#include "core/money.h"
#include "fuzz_refusal.h"
#include "import/cell_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzz::refusedOrRead([&] {
        gbk::byteLength(text);
        gbk::cutToBytes(text, size / 2);
        gbk::sortKey(text);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t before = at;
            gbk::encodeChar(gbk::nextChar(text, at));
            if (at <= before) {
                std::abort();  // no progress: a reader looping for ever
            }
        }
    });
    fuzz::refusedOrRead([&] {
        if (auto m = Money::parse(text)) {
            // What is read back reads as itself.
            if (Money::parse(m->toPlain()) != m) {
                std::abort();
            }
        }
        Money::parseToFen(text);
        dates::parse(text);
    });
    fuzz::refusedOrRead([&] {
        isDateFormatCode(text);
        numberText(text);
        if (size >= sizeof(double)) {
            double serial = 0;
            std::memcpy(&serial, data, sizeof serial);
            if (std::isfinite(serial)) {
                excelDate(serial, size % 2 == 0);
            }
        }
    });
    return 0;
}
