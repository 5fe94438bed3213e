// An .xls file of any bytes: the compound file that holds the workbook.
#include "fuzz_files.h"
#include "fuzz_refusal.h"
#include "import/spreadsheet_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fennory;
    const auto file = fuzz::inputFile(".xls", data, size);
    fuzz::refusedOrRead([&] { readFirstSheet(file); });
    return 0;
}
