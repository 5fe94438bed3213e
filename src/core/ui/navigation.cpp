#include "core/ui/navigation.h"

namespace fennory::ui {

Navigation& navigation() {
    static Navigation n;
    return n;
}

}  // namespace fennory::ui
