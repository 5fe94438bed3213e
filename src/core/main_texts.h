#pragma once
// The program's identity and the edition text of the main window.

#include <string>
#include <string_view>

namespace fennory {

inline constexpr std::string_view kProductName = "Fennory记账软件";
inline constexpr std::string_view kVersion = "5.2.0.720";
// The vendor's web address, used by the web-site menu entry and the About link.
inline constexpr std::string_view kVendorAddress = "https://www.fennory.example/";

// The edition of SBase.theBT; empty reads as "电脑版".
std::string editionText(std::string_view stored);

}  // namespace fennory
