#include <gtest/gtest.h>

#include "core/dates.h"

namespace fennory::dates {
namespace {

TEST(Dates, OnlyRealDatesInTheStoredFormAreValid) {
    EXPECT_TRUE(isValid("2024-02-29"));
    EXPECT_TRUE(isValid("1990-01-27"));
    for (const char* bad : {"2023-02-29", "2024-02-30", "2024-13-01", "2024-00-10", "2024-2-1",
                            "2024/02/01", "20240201", "", "2024-02-01 10:00", "abcd-ef-gh"}) {
        EXPECT_FALSE(isValid(bad)) << bad;
    }
}

TEST(Dates, OneMonthBackTakesTheLastDayWhenTheMonthIsShorter) {
    EXPECT_EQ(oneMonthBack("2024-03-31"), "2024-02-29");
    EXPECT_EQ(oneMonthBack("2023-03-31"), "2023-02-28");
    EXPECT_EQ(oneMonthBack("2024-05-31"), "2024-04-30");
    EXPECT_EQ(oneMonthBack("2024-01-15"), "2023-12-15");
    EXPECT_EQ(oneMonthBack("2024-03-15"), "2024-02-15");
}

TEST(Dates, MonthArithmeticCrossesYears) {
    EXPECT_EQ(addMonths("2024-11-30", 3), "2025-02-28");
    EXPECT_EQ(addMonths("2024-01-31", 1), "2024-02-29");
    EXPECT_EQ(addMonths("2024-06-10", -18), "2022-12-10");
    EXPECT_EQ(addMonths("2024-06-10", 0), "2024-06-10");
    EXPECT_EQ(addDays("2024-02-28", 2), "2024-03-01");
    EXPECT_EQ(addDays("2024-01-01", -1), "2023-12-31");
}

TEST(Dates, MonthAndYearAreThePrefixesTheFiltersCompare) {
    EXPECT_EQ(monthOf("2024-05-31"), "2024-05");
    EXPECT_EQ(yearOf("2024-05-31"), "2024");
    EXPECT_EQ(firstOfMonth("2024-05-31"), "2024-05-01");
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
}

TEST(Dates, DayNumbersCountFromTheEndOf1899) {
    EXPECT_EQ(dayNumber("1899-12-30"), 0);
    EXPECT_EQ(dayNumber("1990-01-27"), 32900);
    EXPECT_EQ(fromDayNumber(32900), "1990-01-27");
    EXPECT_EQ(fromDayNumber(dayNumber("2051-02-10")), "2051-02-10");
    EXPECT_THROW(dayNumber("not a date"), std::invalid_argument);
}

TEST(Dates, WeekdayAndToday) {
    EXPECT_EQ(weekday("2024-02-10"), 6);  // a Saturday
    EXPECT_EQ(weekday("2026-12-06"), 0);  // a Sunday
    EXPECT_TRUE(isValid(today()));
}

}  // namespace
}  // namespace fennory::dates
