#include "plans/lunar.h"

#include "core/dates.h"

namespace fennory::lunar {
namespace {

// One lunar year: bits 0-11 give the lengths of months 1-12 (1 = 30 days),
// bits 12-15 the leap month L (1-12: after month L, 29 days; 13-15: after month
// L & 7, 30 days, the regular month a day shorter than its bit says).
// leapDays, when not 0, is the leap month's length where the word cannot say it.
struct LunarYear {
    std::uint16_t word;
    std::uint8_t leapDays;
};

// 2022 is 0x0AB5 (its sixth month has 30 days), 2032 is 0x0B69, and in 2050 the
// leap third month has 30 days while the regular third month has 29.
constexpr LunarYear LunarYearTable[61] = {
    {0x5F52, 0},  {0x0E92, 0}, {0x0D26, 0}, {0x352E, 0}, {0x0A57, 0},  // 1990
    {0x8AD6, 0},  {0x035A, 0}, {0x06D5, 0}, {0x5B69, 0}, {0x0749, 0},  // 1995
    {0x0693, 0},  {0x4A9B, 0}, {0x052B, 0}, {0x0A5B, 0}, {0x2AAE, 0},  // 2000
    {0x056A, 0},  {0x7DD5, 0}, {0x0BA4, 0}, {0x0B49, 0}, {0x5D53, 0},  // 2005
    {0x0A95, 0},  {0x052D, 0}, {0x455D, 0}, {0x0AB5, 0}, {0x9BAA, 0},  // 2010
    {0x05D2, 0},  {0x0DA5, 0}, {0xEEAA, 0}, {0x0D4A, 0}, {0x0C95, 0},  // 2015
    {0x4A9E, 0},  {0x0556, 0}, {0x0AB5, 0}, {0x2ADA, 0}, {0x06D2, 0},  // 2020
    {0x6765, 0},  {0x0725, 0}, {0x064B, 0}, {0x5657, 0}, {0x0CAB, 0},  // 2025
    {0x055A, 0},  {0x356E, 0}, {0x0B69, 0}, {0xBF52, 0}, {0x0B52, 0},  // 2030
    {0x0B25, 0},  {0xED2B, 0}, {0x0A4B, 0}, {0x04AB, 0}, {0x52BB, 0},  // 2035
    {0x05AD, 0},  {0x0B6A, 0}, {0x2DAA, 0}, {0x0D92, 0}, {0x7EA5, 0},  // 2040
    {0x0D25, 0},  {0x0A55, 0}, {0xDA5D, 0}, {0x04B6, 0}, {0x05B5, 0},  // 2045
    {0x36D2, 30},                                                      // 2050
};

constexpr int kTableDays = 22295;

constexpr const char* kNumerals[11] = {"零", "一", "二", "三", "四", "五",
                                       "六", "七", "八", "九", "十"};

}  // namespace

std::uint32_t SolarToLunar(int dayNumber) {
    int k = dayNumber - LunarBaseDay;
    if (k < 0 || k > kTableDays) {
        return 0;
    }
    for (int y = 0; y < 61; ++y) {
        unsigned w = LunarYearTable[y].word;
        unsigned l = w >> 12;
        int g = static_cast<int>(l <= 12 ? l : (l & 7));
        int f = l <= 12 ? 0 : 1;
        int leapLength = LunarYearTable[y].leapDays != 0 ? LunarYearTable[y].leapDays : 29 + f;
        std::uint32_t year = static_cast<std::uint32_t>(1990 + y);
        for (int i = 1; i <= 12; ++i) {
            int n = 29 + static_cast<int>(w & 1);
            if (i == g) {
                n -= f;
            }
            std::uint32_t packed = year * 512 + static_cast<std::uint32_t>(i) * 32;
            if (k < n) {
                return packed + static_cast<std::uint32_t>(k) + 1;
            }
            k -= n;
            if (i == g) {
                if (k < leapLength) {
                    return packed + static_cast<std::uint32_t>(k) + 1 + 0x200000u;
                }
                k -= leapLength;
            }
            w >>= 1;
        }
    }
    return 0;
}

std::uint32_t SolarToLunar(std::string_view date) {
    if (!dates::isValid(date)) {
        return 0;
    }
    return SolarToLunar(dates::dayNumber(date));
}

std::string LunarNumberText(int n, int style) {
    if (style == 1) {
        std::string out;
        if (n <= 0) {
            return out;
        }
        for (char c : std::to_string(n)) {
            out += kNumerals[c - '0'];
        }
        return out;
    }
    std::string out;
    if (n > 99) {
        return out;  // no lunar month or day is that long
    }
    if (n > 10) {
        int tens = n / 10;
        int units = n % 10;
        if (tens > 1) {
            out += kNumerals[tens];
        }
        out += "十";
        if (units != 0) {
            out += kNumerals[units];
        }
        return out;
    }
    if (n < 0) {
        return out;
    }
    if (style == 3) {
        out = "初";
    }
    out += kNumerals[n];
    return out;
}

std::string LunarDateText(std::string_view date) {
    std::uint32_t v = SolarToLunar(date);
    if (v == 0) {
        return "输入越界";
    }
    return "农历" + LunarNumberText(lunarYear(v), 1) + "年" + LunarNumberText(lunarMonth(v), 2) +
           "月" + (LunarIsLeap(v) ? "(闰)" : "") + LunarNumberText(lunarDay(v), 3);
}

}  // namespace fennory::lunar
