#pragma once
// Small text helpers the readers of typed and imported values share.

#include <string>
#include <string_view>

namespace fennory {

// The text without blanks, tabs and line ends around it.
std::string trimmed(std::string_view s);

}  // namespace fennory
