#pragma once
// Money is an exact count of ten-thousandths of a yuan, the precision of a
// currency column. No floating-point value ever holds a balance.

#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fennory {

// A sum or difference of amounts beyond what a balance can hold. The action
// that computed it rolls back.
class MoneyOverflow : public std::overflow_error {
public:
    MoneyOverflow() : std::overflow_error("金额超出范围，操作没有完成，数据未作改动。") {}
};

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

    // A number read from a spreadsheet cell or a bill: any count of decimals,
    // rounded half away from zero to the fen, so what is stored is what every
    // screen shows. Text that is not a number gives nothing.
    static std::optional<Money> parseToFen(std::string_view text);

    // What a user typed into the amount field called label: nothing when it is
    // fine, else the message that refuses it for more than two decimals or for
    // lying beyond maxTyped(). Text that is not a number gives nothing here; its
    // own check says so.
    static std::optional<std::string> typedRangeError(std::string_view label,
                                                      std::string_view text);
    // A typed amount, or nothing with the sentence that refuses it: the range
    // or the decimals said as such (typedRangeError), else `notANumber`.
    struct TypedAmount;
    static TypedAmount readTyped(std::string_view label, std::string_view text,
                                 std::string_view notANumber);

    constexpr std::int64_t units() const { return units_; }
    // Whether the amount is a whole count of fen (what a screen can show).
    constexpr bool isWholeFen() const { return units_ % (kScale / 100) == 0; }
    constexpr bool isZero() const { return units_ == 0; }

    // "1234.5": as few decimals as the value needs, no separators.
    std::string toPlain() const;
    // "1,234.50": two decimals, rounded half away from zero, thousands separated.
    std::string toDisplay() const;
    // "1234.50": two decimals without separators.
    std::string toFixed2() const;

    // The largest amount a user may type, in either sign: 9,999,999,999.99 yuan.
    static constexpr Money maxTyped() { return Money(999'999'999'999 * 100); }
    constexpr bool withinTyped() const {
        return units_ <= maxTyped().units_ && units_ >= -maxTyped().units_;
    }

    // Arithmetic is checked: a result beyond the range throws MoneyOverflow.
    Money operator-() const { return Money(0) - *this; }
    Money operator+(Money o) const {
        std::int64_t r = 0;
        if (__builtin_add_overflow(units_, o.units_, &r)) {
            throw MoneyOverflow();
        }
        return Money(r);
    }
    Money operator-(Money o) const {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(units_, o.units_, &r)) {
            throw MoneyOverflow();
        }
        return Money(r);
    }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;

    // A ratio of two amounts, for shares and percentages (not for balances).
    double ratioTo(Money denominator) const;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

struct Money::TypedAmount : std::optional<Money> {
    std::string refusal;  // empty when there is an amount
};

}  // namespace fennory
