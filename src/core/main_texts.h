#pragma once
// Fixed texts of the main window that depend on data: the status-bar date and
// the program's identity.

#include <string>
#include <string_view>

namespace fennory {

inline constexpr std::string_view kProductName = "Fennory记账软件";
inline constexpr std::string_view kVersion = "5.2.0.720";
// The vendor's web address, used by the web-site menu entry and the About link.
inline constexpr std::string_view kVendorAddress = "https://www.fennory.example/";

// "公历2024年02月10日 农历二零二四年一月初一  星期六"
std::string statusDateText(std::string_view date);

// The edition of SBase.theBT; empty reads as "电脑版".
std::string editionText(std::string_view stored);

}  // namespace fennory
