#pragma once
// Finding the payment a refund takes back from, in time that grows with the
// bill rather than with its rows squared: a bill of a million rows made by
// someone else must not hold the preview for hours.

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace fennory {

struct Bill;

// A set of texts, each with the first place it was given at, that answers
// which of them begin a given text without trying each. The texts are viewed,
// not copied: they must outlive the index.
class PrefixIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit PrefixIndex(std::vector<std::pair<std::string_view, std::size_t>> texts);

    // The least place of the texts that begin `s` and are shorter than it.
    std::size_t firstPlaceBeginning(std::string_view s) const;
    // The length of the longest text that begins `s` and is shorter than it;
    // npos when none does.
    std::size_t longestBeginning(std::string_view s) const;

private:
    // The deepest node of `node` and the texts that begin it whose text is at
    // most `length` long.
    std::size_t deepestWithin(std::size_t node, std::size_t length) const;
    std::size_t longestProperPrefix(std::string_view s) const;

    std::vector<std::string_view> texts_;  // sorted, each once
    std::vector<std::size_t> parent_;      // the longest other text that begins it
    // A farther text that begins it, chosen so that a walk towards the
    // shortest takes steps in proportion to the log of the chain's length.
    std::vector<std::size_t> jump_;
    std::vector<std::size_t> depth_;
    std::vector<std::size_t> firstPlace_;  // the least place of it and its parents
};

// For each row of `bill`: the row of the payment that a refund row takes back
// from, or npos (also for the rows that are not refunds). That payment is the
// first whose ID begins the refund's and is shorter, else the last to the
// same counterparty (to the same goods when the refund names no
// counterparty), on or before the refund's day, of at least its amount.
std::vector<std::size_t> refundPayments(const Bill& bill);

}  // namespace fennory
