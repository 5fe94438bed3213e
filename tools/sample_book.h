#pragma once
// A realistic household book for measuring: ten years, 100,000 income and
// expense records over the default categories, 10 accounts, 4 members and
// transfers, written through the program's own operations. Seeded, so every
// run writes the same book.

#include <cstdint>
#include <filesystem>

namespace fennory {

struct SampleBookSize {
    int records = 100000;  // income and expense records together
    int transfers = 2000;
    std::uint32_t seed = 20241231;
};

// Writes the book "我家账簿" into a new data file; returns the records written.
int writeSampleBook(const std::filesystem::path& file, const SampleBookSize& size = {});

}  // namespace fennory
