#include "core/dates.h"

#include <fmt/format.h>

#include <chrono>
#include <ctime>
#include <stdexcept>

namespace fennory::dates {
namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{year{1899} / December / 30};

year_month_day ymdOf(std::string_view text) {
    auto p = parse(text);
    if (!p) {
        throw std::invalid_argument(fmt::format("not a date: '{}'", text));
    }
    return year{p->year} / p->month / p->day;
}

std::string formatYmd(year_month_day d) {
    return format(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                  static_cast<int>(static_cast<unsigned>(d.day())));
}

}  // namespace

std::optional<Ymd> parse(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') {
        return std::nullopt;
    }
    int v[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lens[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < lens[k]; ++i) {
            char c = t[starts[k] + i];
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            v[k] = v[k] * 10 + (c - '0');
        }
    }
    year_month_day d{year{v[0]}, month{static_cast<unsigned>(v[1])},
                     day{static_cast<unsigned>(v[2])}};
    if (!d.ok() || v[0] < 1) {
        return std::nullopt;
    }
    return Ymd{v[0], v[1], v[2]};
}

bool isValid(std::string_view text) {
    return parse(text).has_value();
}

std::string format(int y, int m, int d) {
    return fmt::format("{:04d}-{:02d}-{:02d}", y, m, d);
}

std::string localTimeText(const char* strftimeFormat) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    std::size_t n = std::strftime(buf, sizeof buf, strftimeFormat, &local);
    return std::string(buf, n);
}

std::string today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return format(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int daysInMonth(int y, int m) {
    year_month_day_last last{year{y}, month_day_last{month{static_cast<unsigned>(m)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

std::string addMonths(std::string_view date, int n) {
    year_month_day d = ymdOf(date);
    year_month ym = year_month{d.year(), d.month()} + months{n};
    int y = static_cast<int>(ym.year());
    int m = static_cast<int>(static_cast<unsigned>(ym.month()));
    int day = static_cast<int>(static_cast<unsigned>(d.day()));
    int last = daysInMonth(y, m);
    return format(y, m, day > last ? last : day);
}

std::string oneMonthBack(std::string_view date) {
    return addMonths(date, -1);
}

std::string addDays(std::string_view date, int n) {
    return formatYmd(year_month_day{sys_days{ymdOf(date)} + days{n}});
}

std::string monthOf(std::string_view date) {
    return std::string(date.substr(0, 7));
}
std::string yearOf(std::string_view date) {
    return std::string(date.substr(0, 4));
}

std::string firstOfMonth(std::string_view date) {
    return monthOf(date) + "-01";
}

int dayNumber(std::string_view date) {
    return static_cast<int>((sys_days{ymdOf(date)} - kDayZero).count());
}

std::string fromDayNumber(int n) {
    return formatYmd(year_month_day{kDayZero + days{n}});
}

int weekday(std::string_view date) {
    return static_cast<int>(std::chrono::weekday{sys_days{ymdOf(date)}}.c_encoding());
}

}  // namespace fennory::dates
