// Compiled with the core's flags by a test that expects it to fail: the core
// may not reach a subsystem above it.
#include "books/book_creation.h"
#include "core/database.h"

int main() {
    return 0;
}
