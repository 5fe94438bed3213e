#pragma once
// A ceiling on the memory the test process may take while it is in scope: a
// reader that would take gigabytes fails with std::bad_alloc instead of
// passing slowly on a large machine or bringing a small one down.

#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>

namespace fennory::testing {

class MemoryCeiling {
public:
    // `more` bytes beyond the address space already taken.
    explicit MemoryCeiling(std::size_t more) {
        getrlimit(RLIMIT_AS, &previous_);
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit lowered = previous_;
        lowered.rlim_cur = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + more;
        setrlimit(RLIMIT_AS, &lowered);
    }
    ~MemoryCeiling() { setrlimit(RLIMIT_AS, &previous_); }
    MemoryCeiling(const MemoryCeiling&) = delete;
    MemoryCeiling& operator=(const MemoryCeiling&) = delete;

private:
    rlimit previous_{};
};

}  // namespace fennory::testing
