#pragma once
// What the running program knows about itself and the open book.

#include <filesystem>
#include <functional>
#include <string>

#include "core/dates.h"

namespace fennory {

// The settings of the open book, loaded when it is opened.
struct BookState {
    int thePX = 5;                                         // drop-down order: 1..5
    int theJZPX = 3;                                       // record-list order: 1..4
    std::string FName, AName, IName, OName, TName, PName;  // defaults for new records
    bool D_I = false, D_O = false, D_C = false, D_B = false, D_D = false, D_T = false;
    bool TX_M = true;   // play the plan reminder sound at start-up
    bool TX_T = false;  // show today's due plans at start-up
    bool TX_B = true;   // tell when a save takes a category past its budget
};

struct Session {
    std::string CurrentBook;  // empty when no book is open
    BookState OpenBookState;
    std::string StartupDate;          // "yyyy-mm-dd", fixed once at start-up
    // The program's folder: the executable's own, or where an installed
    // program keeps its data (with its help and sound beside it).
    std::filesystem::path ExeFolder;

    // Where the current date is read from; tests fix it. The calendar's when unset.
    std::function<std::string()> clock;

    std::filesystem::path dataFile() const { return ExeFolder / "Data" / "db.eac"; }
    // The date of now, "yyyy-mm-dd".
    std::string currentDate() const { return clock ? clock() : dates::today(); }
    // The start-up date, which keeps one day through a run past midnight; the
    // current date where none was fixed (a tool, a test).
    std::string startDay() const { return StartupDate.empty() ? currentDate() : StartupDate; }
};

}  // namespace fennory
