// Compiled with the widget kit's flags by a test that expects it to fail: the
// kit is below the shell and cannot reach the main window.
#include "app/main_window.h"
#include "core/ui/prompter.h"

int main() {
    return 0;
}
