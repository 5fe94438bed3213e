#pragma once
// The status bar's date: Gregorian, lunar and weekday.

#include <string>
#include <string_view>

namespace fennory {

// "公历2024年02月10日 农历二零二四年一月初一  星期六"
std::string statusDateText(std::string_view date);

}  // namespace fennory
