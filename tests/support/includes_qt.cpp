// Compiled with the logic library's flags by a test that expects it to fail.
#include <QString>

int main() {
    return QString().size();
}
