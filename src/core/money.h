#pragma once
// Money is an exact count of ten-thousandths of a yuan, the precision of a
// currency column. No floating-point value ever holds a balance.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fennory {

class Money {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t units) { return Money(units); }
    static constexpr Money yuan(std::int64_t whole) { return Money(whole * kScale); }

    // Strict reading of what a user typed: an optional minus, digits, at most one
    // point and at most four decimals; blanks around the number are ignored.
    // Anything else (letters, a plus sign, thousands separators, an empty text,
    // a value beyond the range) gives nothing.
    static std::optional<Money> parse(std::string_view text);

    constexpr std::int64_t units() const { return units_; }
    constexpr bool isZero() const { return units_ == 0; }

    // "1234.5": as few decimals as the value needs, no separators.
    std::string toPlain() const;
    // "1,234.50": two decimals, rounded half away from zero, thousands separated.
    std::string toDisplay() const;
    // "1234.50": two decimals without separators.
    std::string toFixed2() const;

    constexpr Money operator-() const { return Money(-units_); }
    constexpr Money operator+(Money o) const { return Money(units_ + o.units_); }
    constexpr Money operator-(Money o) const { return Money(units_ - o.units_); }
    constexpr Money& operator+=(Money o) {
        units_ += o.units_;
        return *this;
    }
    constexpr Money& operator-=(Money o) {
        units_ -= o.units_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

    // A ratio of two amounts, for shares and percentages (not for balances).
    double ratioTo(Money denominator) const;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

}  // namespace fennory
