#include "core/money.h"

#include <fmt/format.h>

#include <cstdlib>
#include <limits>

namespace fennory {
namespace {

std::string_view trimmed(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string groupThousands(std::uint64_t whole) {
    std::string digits = std::to_string(whole);
    std::string out;
    int lead = static_cast<int>(digits.size() % 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (static_cast<int>(i) - lead) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
}

// Magnitude in hundredths, rounded half away from zero.
std::uint64_t hundredths(std::int64_t units) {
    std::uint64_t mag = units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1
                                  : static_cast<std::uint64_t>(units);
    return (mag + 50) / 100;
}

}  // namespace

std::optional<Money> Money::parse(std::string_view text) {
    std::string_view s = trimmed(text);
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    std::string_view whole = s;
    std::string_view frac;
    if (auto dot = s.find('.'); dot != std::string_view::npos) {
        whole = s.substr(0, dot);
        frac = s.substr(dot + 1);
    }
    auto allDigits = [](std::string_view d) {
        for (char c : d) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    };
    if (!allDigits(whole) || !allDigits(frac) || frac.size() > 4) {
        return std::nullopt;
    }
    if (whole.empty() && frac.empty()) {
        return std::nullopt;  // "", "-", "." and "-."
    }
    constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int64_t>::max() / kScale - 1;
    std::int64_t w = 0;
    for (char c : whole) {
        w = w * 10 + (c - '0');
        if (w > kMaxWhole) {
            return std::nullopt;
        }
    }
    std::int64_t f = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        f = f * 10 + (i < frac.size() ? frac[i] - '0' : 0);
    }
    std::int64_t units = w * kScale + f;
    return Money(negative ? -units : units);
}

std::optional<Money> Money::parseToFen(std::string_view text) {
    std::string_view s = trimmed(text);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || s.size() - point - 1 <= 2) {
        return parse(s);
    }
    // Keep two decimals and round on the third; the rest cannot change the result.
    auto m = parse(s.substr(0, point + 3));
    const std::string_view rest = s.substr(point + 3);
    if (!m || rest.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    if (rest.front() >= '5') {
        const Money fen(kScale / 100);
        const bool negative = !s.empty() && s.front() == '-';
        *m = negative ? *m - fen : *m + fen;
    }
    return m;
}

Money::TypedAmount Money::readTyped(std::string_view label, std::string_view text,
                                    std::string_view notANumber) {
    TypedAmount out;
    if (auto refused = typedRangeError(label, text)) {
        out.refusal = std::move(*refused);
    } else if (auto m = parse(text)) {
        out.emplace(*m);
    } else {
        out.refusal = std::string(notANumber);
    }
    return out;
}

std::optional<std::string> Money::typedRangeError(std::string_view label, std::string_view text) {
    {
        // A fen is the smallest amount shown anywhere; a third decimal would be
        // stored but never seen.
        std::string_view t = trimmed(text);
        const std::size_t point = t.find('.');
        if (point != std::string_view::npos && t.size() - point - 1 > 2 &&
            t.find_first_not_of("-0123456789.") == std::string_view::npos &&
            t.find('.', point + 1) == std::string_view::npos) {
            return fmt::format("{} 最多两位小数，请重新录入！", label);
        }
    }
    auto m = parse(text);
    bool tooLarge = m ? !m->withinTyped() : false;
    if (!m) {
        // parse() refuses what int64 cannot hold; a string of digits is still too large.
        std::string_view t = trimmed(text);
        if (!t.empty() && t.front() == '-') {
            t.remove_prefix(1);
        }
        tooLarge = !t.empty() && t.find_first_not_of("0123456789.") == std::string_view::npos &&
                   t.find('.') == t.rfind('.') && t != ".";
    }
    if (!tooLarge) {
        return std::nullopt;
    }
    return fmt::format("{} 超出范围！金额的绝对值不能大于 9,999,999,999.99，请重新录入！", label);
}

std::string Money::toPlain() const {
    std::int64_t mag = units_ < 0 ? -units_ : units_;
    std::string out = units_ < 0 ? "-" : "";
    out += std::to_string(mag / kScale);
    std::int64_t f = mag % kScale;
    if (f != 0) {
        std::string frac = fmt::format("{:04d}", f);
        while (frac.back() == '0') {
            frac.pop_back();
        }
        out += '.' + frac;
    }
    return out;
}

std::string Money::toDisplay() const {
    std::uint64_t h = hundredths(units_);
    std::string sign = (units_ < 0 && h != 0) ? "-" : "";
    return fmt::format("{}{}.{:02d}", sign, groupThousands(h / 100), h % 100);
}

std::string Money::toFixed2() const {
    std::uint64_t h = hundredths(units_);
    std::string sign = (units_ < 0 && h != 0) ? "-" : "";
    return fmt::format("{}{}.{:02d}", sign, h / 100, h % 100);
}

double Money::ratioTo(Money denominator) const {
    if (denominator.units_ == 0) {
        return 0.0;
    }
    return static_cast<double>(units_) / static_cast<double>(denominator.units_);
}

}  // namespace fennory
