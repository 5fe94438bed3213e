#pragma once
// The readers take a path: each input is written to a file of its own in a
// scratch folder, kept for the process and overwritten by the next input.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fennory::fuzz {

inline std::filesystem::path inputFile(const char* extension, const std::uint8_t* data,
                                       std::size_t size) {
    static const std::filesystem::path folder = [] {
        auto f =
            std::filesystem::temp_directory_path() / ("fennory-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    const auto file = folder / (std::string("input") + extension);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

}  // namespace fennory::fuzz
