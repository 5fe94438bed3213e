#pragma once
// The states every record screen shares and which controls each enables.

namespace fennory {

enum class RecordMode { Browse, New, Change };

struct ButtonStates {
    bool grid = true;  // the grid and the navigator
    bool fields = false;
    bool add = true, change = true, save = false, cancel = false, remove = true, exit = true;
};

// In the entry states the grid, the navigator and everything but save and
// cancel are disabled; in browse, change and delete need a current row.
inline ButtonStates buttonStates(RecordMode mode, bool hasCurrentRow) {
    ButtonStates b;
    if (mode == RecordMode::Browse) {
        b.change = hasCurrentRow;
        b.remove = hasCurrentRow;
        return b;
    }
    b.grid = false;
    b.fields = true;
    b.add = b.change = b.remove = b.exit = false;
    b.save = b.cancel = true;
    return b;
}

}  // namespace fennory
