// An .xlsx workbook of any bytes: the zip, its XML parts and the cells.
#include "fuzz_files.h"
#include "fuzz_refusal.h"
#include "import/spreadsheet_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const auto file = fuzz::inputFile(".xlsx", data, size);
    fuzz::refusedOrRead([&] { readFirstSheet(file); });
    return 0;
}
