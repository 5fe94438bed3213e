#pragma once
// The six name lists of a book and what tells them apart.

#include <optional>
#include <string_view>

namespace fennory {

struct NameTable {
    std::string_view table;   // SAccount, SFamily, InD, OutD, TD, PD
    std::string_view column;  // AName, FName, IName, OName, TName, PName
    bool hasStateAndCount;    // members have neither a state nor a use count
};

inline constexpr NameTable kAccounts{"SAccount", "AName", true};
inline constexpr NameTable kMembers{"SFamily", "FName", false};
inline constexpr NameTable kIncomeKinds{"InD", "IName", true};
inline constexpr NameTable kExpenseKinds{"OutD", "OName", true};
inline constexpr NameTable kInvestmentKinds{"TD", "TName", true};
inline constexpr NameTable kContacts{"PD", "PName", true};

// The name table with this table and column, if it is one.
std::optional<NameTable> findNameTable(std::string_view table, std::string_view column);

// A name is stored as the user typed it, up to this many GBK bytes.
inline constexpr std::size_t kNameByteLimit = 20;

// Whether two names are one: letter case aside, as the data file compares them.
inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

inline constexpr std::string_view kInUse = "启用";
inline constexpr std::string_view kNotInUse = "停用";

}  // namespace fennory
