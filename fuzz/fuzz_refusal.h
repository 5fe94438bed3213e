#pragma once
// What a reader may do with bytes it cannot read: refuse them with its own
// message. A logic error escaping (an index out of range, a number that would
// not convert) is a fault the user would meet as a riddle, so it stops the run.

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace fennory::fuzz {

template <class F>
void refusedOrRead(F&& read) {
    try {
        read();
    } catch (const std::logic_error& e) {
        std::fprintf(stderr, "logic error escaped a reader: %s\n", e.what());
        std::abort();
    } catch (const std::exception&) {
        // Refused with a message: what the reader is for.
    }
}

}  // namespace fennory::fuzz
