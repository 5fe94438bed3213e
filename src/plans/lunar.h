#pragma once
// The Chinese lunar date of a Gregorian date, for lunar years 1990 to 2050.

#include <cstdint>
#include <string>
#include <string_view>

namespace fennory::lunar {

// Day number of 1990-01-27, the first day of lunar year 1990.
constexpr int LunarBaseDay = 32900;

// Packed lunar date: day in bits 0-4, month in bits 5-8, year in bits 9-20,
// bit 21 set for the leap month. 0 when the date lies outside the table.
std::uint32_t SolarToLunar(int dayNumber);
std::uint32_t SolarToLunar(std::string_view date);

inline bool LunarIsLeap(std::uint32_t v) {
    return (v & 0x200000u) != 0;
}
inline int lunarYear(std::uint32_t v) {
    return static_cast<int>((v >> 9) & 0xFFF);
}
inline int lunarMonth(std::uint32_t v) {
    return static_cast<int>((v >> 5) & 0xF);
}
inline int lunarDay(std::uint32_t v) {
    return static_cast<int>(v & 0x1F);
}

// style 1: year (digit by digit), 2: month, 3: day.
std::string LunarNumberText(int n, int style);

// "农历二零二四年一月初一", or "输入越界" outside the table.
std::string LunarDateText(std::string_view date);

}  // namespace fennory::lunar
