#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/dates.h"
#include "plans/lunar.h"
#include "plans/status_date.h"

namespace fennory::lunar {
namespace {

TEST(LunarDateText, EdgeCasesOfTheTable) {
    const std::pair<const char*, const char*> cases[] = {
        {"1990-01-26", "输入越界"},
        {"1990-01-27", "农历一九九零年一月初一"},
        {"1990-02-05", "农历一九九零年一月初十"},
        {"1990-02-15", "农历一九九零年一月二十"},
        {"1990-06-23", "农历一九九零年五月(闰)初一"},
        {"2000-01-01", "农历一九九九年十一月二十五"},
        {"2008-08-08", "农历二零零八年七月初八"},
        {"2017-08-21", "农历二零一七年六月(闰)三十"},
        {"2024-02-09", "农历二零二三年十二月三十"},
        {"2024-02-10", "农历二零二四年一月初一"},
        {"2033-12-22", "农历二零三三年十一月(闰)初一"},
        {"2051-02-10", "农历二零五零年十二月二十九"},
        {"2051-02-11", "输入越界"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(LunarDateText(date), text) << date;
    }
}

TEST(LunarDateText, YearsWhoseShippedWordsWereWrong) {
    // 2022's sixth month has 30 days.
    EXPECT_EQ(LunarDateText("2022-07-28"), "农历二零二二年六月三十");
    EXPECT_EQ(LunarDateText("2022-07-29"), "农历二零二二年七月初一");
    EXPECT_EQ(LunarDateText("2032-12-03"), "农历二零三二年十一月初一");
    // 2050: the regular third month has 29 days, the leap third month 30.
    EXPECT_EQ(LunarDateText("2050-04-21"), "农历二零五零年三月(闰)初一");
    EXPECT_EQ(LunarDateText("2050-05-20"), "农历二零五零年三月(闰)三十");
    EXPECT_EQ(LunarDateText("2050-05-21"), "农历二零五零年四月初一");
}

TEST(SolarToLunar, PacksYearMonthDayAndTheLeapBit) {
    std::uint32_t v = SolarToLunar("2024-02-10");
    EXPECT_EQ(lunarYear(v), 2024);
    EXPECT_EQ(lunarMonth(v), 1);
    EXPECT_EQ(lunarDay(v), 1);
    EXPECT_FALSE(LunarIsLeap(v));
    EXPECT_EQ(v, 2024u * 512 + 32 + 1);

    std::uint32_t leap = SolarToLunar("1990-06-23");
    EXPECT_EQ(lunarYear(leap), 1990);
    EXPECT_EQ(lunarMonth(leap), 5);
    EXPECT_EQ(lunarDay(leap), 1);
    EXPECT_TRUE(LunarIsLeap(leap));
    EXPECT_EQ(leap, 1990u * 512 + 5 * 32 + 1 + 0x200000u);

    EXPECT_EQ(SolarToLunar("not a date"), 0u);
    EXPECT_EQ(SolarToLunar(LunarBaseDay - 1), 0u);
    EXPECT_EQ(SolarToLunar(LunarBaseDay + 22295), 0u);
}

// Every month start from 1990 to 2049 against an independent astronomical
// computation, and every day in between counting on by one.
TEST(SolarToLunar, AgreesWithTheAstronomicalCalendarOnEveryDay) {
    std::ifstream in(std::string(FENNORY_TEST_DATA) + "/lunar_month_starts.txt");
    ASSERT_TRUE(in) << "missing test data";
    std::string line;
    int starts = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string date;
        int year = 0, month = 0, leap = 0;
        fields >> date >> year >> month >> leap;
        std::uint32_t v = SolarToLunar(date);
        EXPECT_EQ(lunarYear(v), year) << date;
        EXPECT_EQ(lunarMonth(v), month) << date;
        EXPECT_EQ(lunarDay(v), 1) << date;
        EXPECT_EQ(LunarIsLeap(v), leap == 1) << date;
        ++starts;
    }
    EXPECT_EQ(starts, 742);

    std::uint32_t prev = SolarToLunar(LunarBaseDay);
    for (int day = LunarBaseDay + 1; day < LunarBaseDay + 22295; ++day) {
        std::uint32_t v = SolarToLunar(day);
        ASSERT_NE(v, 0u) << dates::fromDayNumber(day);
        if (lunarDay(v) != 1) {
            ASSERT_EQ(v, prev + 1) << dates::fromDayNumber(day);
        } else {
            ASSERT_GE(lunarDay(prev), 29) << dates::fromDayNumber(day);
        }
        prev = v;
    }
}

TEST(LunarNumberText, WritesYearsMonthsAndDays) {
    EXPECT_EQ(LunarNumberText(1990, 1), "一九九零");
    EXPECT_EQ(LunarNumberText(2024, 1), "二零二四");
    EXPECT_EQ(LunarNumberText(0, 1), "");
    EXPECT_EQ(LunarNumberText(1, 2), "一");
    EXPECT_EQ(LunarNumberText(10, 2), "十");
    EXPECT_EQ(LunarNumberText(11, 2), "十一");
    EXPECT_EQ(LunarNumberText(12, 2), "十二");
    EXPECT_EQ(LunarNumberText(1, 3), "初一");
    EXPECT_EQ(LunarNumberText(10, 3), "初十");
    EXPECT_EQ(LunarNumberText(20, 3), "二十");
    EXPECT_EQ(LunarNumberText(21, 3), "二十一");
    EXPECT_EQ(LunarNumberText(30, 3), "三十");
}

}  // namespace
}  // namespace fennory::lunar

namespace fennory {

TEST(StatusDate, ShowsGregorianLunarAndWeekday) {
    EXPECT_EQ(statusDateText("2024-02-10"), "公历2024年02月10日 农历二零二四年一月初一  星期六");
    EXPECT_EQ(statusDateText("2026-12-07"), "公历2026年12月07日 农历二零二六年十月二十九  星期一");
    EXPECT_EQ(statusDateText("2052-01-01"), "公历2052年01月01日 输入越界  星期一");
}

}  // namespace fennory
