// Writes the sample household book used for measuring into a new data file:
//   make_sample_book FILE [RECORDS]
#include <cstdio>
#include <string>

#include "sample_book.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_sample_book FILE [RECORDS]\n");
        return 2;
    }
    fennory::SampleBookSize size;
    if (argc > 2) {
        size.records = std::stoi(argv[2]);
    }
    try {
        int n = fennory::writeSampleBook(argv[1], size);
        std::printf("sample book written: %s (%d records)\n", argv[1], n);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
