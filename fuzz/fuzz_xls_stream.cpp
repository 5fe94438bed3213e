// The Workbook stream of an Excel 97 file, of any bytes: the BIFF8 records.
#include "fuzz_refusal.h"
#include "import/xls_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const std::string_view stream(reinterpret_cast<const char*>(data), size);
    fuzz::refusedOrRead([&] { readXlsStream(stream, "Sheet1"); });
    fuzz::refusedOrRead([&] { readXlsStream(stream, ""); });
    return 0;
}
