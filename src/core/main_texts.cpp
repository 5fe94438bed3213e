#include "core/main_texts.h"

namespace fennory {

std::string editionText(std::string_view stored) {
    return stored.empty() ? "电脑版" : std::string(stored);
}

}  // namespace fennory
