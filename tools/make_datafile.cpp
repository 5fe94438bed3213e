// Makes a fresh data file from the schema. An existing file is left as it is,
// so a data file with books in it is never lost to a rebuild.

#include <filesystem>
#include <iostream>

#include "core/database.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_datafile PATH/db.eac\n";
        return 2;
    }
    std::filesystem::path file = argv[1];
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        std::cout << "data file exists, left as it is: " << file.string() << "\n";
        return 0;
    }
    try {
        if (file.has_parent_path()) {
            std::filesystem::create_directories(file.parent_path());
        }
        fennory::Database::create(file);
    } catch (const std::exception& e) {
        std::cerr << "make_datafile: " << e.what() << "\n";
        std::filesystem::remove(file, ec);
        return 1;
    }
    std::cout << "data file made: " << file.string() << "\n";
    return 0;
}
