// Compiled with the reference data's flags by a test that expects it to fail:
// the book wizard uses the reference data, never the other way round.
#include "books/book_creation.h"
#include "reference/accounts.h"

int main() {
    return 0;
}
