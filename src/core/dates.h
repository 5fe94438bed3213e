#pragma once
// Dates are text "yyyy-mm-dd" in the data file and compared as text; a month is
// its first seven characters, a year its first four.

#include <optional>
#include <string>
#include <string_view>

namespace fennory::dates {

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A real calendar date written exactly as "yyyy-mm-dd".
bool isValid(std::string_view text);
std::optional<Ymd> parse(std::string_view text);
std::string format(int year, int month, int day);

// The current local time in a strftime format ("%Y-%m-%d %H:%M:%S").
std::string localTimeText(const char* strftimeFormat);

// Today's local date.
std::string today();

// The same day n months later (n < 0: earlier); a day the target month lacks
// becomes its last day (2024-03-31 one month back is 2024-02-29).
std::string addMonths(std::string_view date, int n);
std::string oneMonthBack(std::string_view date);

std::string addDays(std::string_view date, int n);

// "yyyy-mm" and "yyyy" of a date.
std::string monthOf(std::string_view date);
std::string yearOf(std::string_view date);
std::string firstOfMonth(std::string_view date);
int daysInMonth(int year, int month);

// Whole days since 1899-12-30 (day 0), the day numbering of the lunar table.
int dayNumber(std::string_view date);
std::string fromDayNumber(int day);

// 0 Sunday ... 6 Saturday.
int weekday(std::string_view date);

}  // namespace fennory::dates
