#include "core/text.h"

namespace fennory {

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1));
}

}  // namespace fennory
