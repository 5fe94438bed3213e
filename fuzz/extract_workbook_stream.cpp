// Writes the Workbook stream of an .xls file, to seed the stream's fuzz target.
#include <cstdio>
#include <fstream>

#include "import/xls_reader.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s book.xls stream.bin\n", argv[0]);
        return 2;
    }
    const std::string stream = fennory::xlsWorkbookStream(argv[1]);
    std::ofstream(argv[2], std::ios::binary)
        .write(stream.data(), static_cast<std::streamsize>(stream.size()));
    return 0;
}
