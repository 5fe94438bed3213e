#pragma once
// What the running program knows about itself and the open book.

#include <filesystem>
#include <string>

namespace fennory {

// The settings of the open book, loaded when it is opened.
struct BookState {
    int thePX = 5;                                         // drop-down order: 1..5
    int theJZPX = 3;                                       // record-list order: 1..4
    std::string FName, AName, IName, OName, TName, PName;  // defaults for new records
    bool D_I = false, D_O = false, D_C = false, D_B = false, D_D = false, D_T = false;
    bool TX_M = true;   // play the plan reminder sound at start-up
    bool TX_T = false;  // show today's due plans at start-up
};

struct Session {
    std::string CurrentBook;  // empty when no book is open
    BookState OpenBookState;
    std::string StartupDate;          // "yyyy-mm-dd", fixed once at start-up
    std::filesystem::path ExeFolder;  // the executable's folder

    std::filesystem::path dataFile() const { return ExeFolder / "Data" / "db.eac"; }
};

}  // namespace fennory
