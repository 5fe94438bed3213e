#pragma once
// The program's identity and the edition text of the main window.

#include <string>
#include <string_view>

namespace fennory {

inline constexpr std::string_view kProductName = "Fennory记账软件";
inline constexpr std::string_view kVersion = "5.2.0.720";
// The vendor's web address, used by the web-site menu entry and the About link.
inline constexpr std::string_view kVendorAddress = "https://www.fennory.example/";

// The installation's edition, stored in SBase.theBT as its caption: "电脑版"
// (also what an empty or unknown value reads as) or "U盘版".
enum class Edition { Computer, UsbStick };
Edition editionOf(std::string_view stored);
const char* editionCaption(Edition e);

}  // namespace fennory
