#pragma once
// How many GBK bytes each kind of entry field holds: a Chinese character
// takes two. The fields that filter by a text are limited like the field
// they filter.

#include <cstddef>

namespace fennory::limits {

inline constexpr std::size_t kName = 20;             // names, passwords
inline constexpr std::size_t kRemark = 100;          // the remark of a record or transfer
inline constexpr std::size_t kNote = 50;             // remarks of names, moves, thresholds
inline constexpr std::size_t kShortRemark = 36;      // a plan's remark, a query's text
inline constexpr std::size_t kLogRemark = 60;        // a corrected fund-flow entry's remark
inline constexpr std::size_t kBookDescription = 25;  // a book's description
inline constexpr std::size_t kAccountType = 10;      // an account type typed in a query

}  // namespace fennory::limits
