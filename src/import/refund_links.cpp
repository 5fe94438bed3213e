#include "import/refund_links.h"

#include <algorithm>
#include <map>

#include "import/bills.h"

namespace fennory {

PrefixIndex::PrefixIndex(std::vector<std::pair<std::string_view, std::size_t>> texts) {
    std::sort(texts.begin(), texts.end());
    std::vector<std::size_t> chain;  // the texts that begin the one at hand
    for (const auto& [text, place] : texts) {
        if (!texts_.empty() && texts_.back() == text) {
            continue;  // sorted by place too: the first place is kept
        }
        // In sorted order every text between a text and one it begins begins
        // with it too, so a text popped here begins none of those after it.
        while (!chain.empty() && !text.starts_with(texts_[chain.back()])) {
            chain.pop_back();
        }
        const std::size_t node = texts_.size();
        const std::size_t parent = chain.empty() ? npos : chain.back();
        texts_.push_back(text);
        parent_.push_back(parent);
        if (parent == npos) {
            depth_.push_back(0);
            jump_.push_back(node);
            firstPlace_.push_back(place);
        } else {
            depth_.push_back(depth_[parent] + 1);
            // Jumps of one, one, three, one, one, three, seven, ...: any
            // ancestor is reached in logarithmic steps.
            const std::size_t j = jump_[parent];
            const bool even = depth_[parent] - depth_[j] == depth_[j] - depth_[jump_[j]];
            jump_.push_back(even && j != parent ? jump_[j] : parent);
            firstPlace_.push_back(std::min(place, firstPlace_[parent]));
        }
        chain.push_back(node);
    }
}

std::size_t PrefixIndex::deepestWithin(std::size_t node, std::size_t length) const {
    // Texts grow longer away from the root, so the first one short enough
    // on the way up is the deepest.
    while (node != npos && texts_[node].size() > length) {
        const std::size_t j = jump_[node];
        node = j != node && texts_[j].size() > length ? j : parent_[node];
    }
    return node;
}

std::size_t PrefixIndex::longestProperPrefix(std::string_view s) const {
    const auto it = std::lower_bound(texts_.begin(), texts_.end(), s);
    const auto at = static_cast<std::size_t>(it - texts_.begin());
    if (it != texts_.end() && *it == s) {
        return parent_[at];
    }
    if (at == 0) {
        return npos;
    }
    // Every text that begins `s` sorts between it and `s`, so it also begins
    // the last text before `s`, as far as that text and `s` agree.
    const std::string_view before = texts_[at - 1];
    const auto agree = static_cast<std::size_t>(
        std::mismatch(before.begin(), before.end(), s.begin(), s.end()).first - before.begin());
    return deepestWithin(at - 1, agree);
}

std::size_t PrefixIndex::firstPlaceBeginning(std::string_view s) const {
    const std::size_t node = longestProperPrefix(s);
    return node == npos ? npos : firstPlace_[node];
}

std::size_t PrefixIndex::longestBeginning(std::string_view s) const {
    const std::size_t node = longestProperPrefix(s);
    return node == npos ? npos : texts_[node].size();
}

namespace {

// The greatest row added at or before a rank, ranks counted from the largest
// amount: a Fenwick tree of maxima.
class LatestAtLeast {
public:
    explicit LatestAtLeast(std::size_t ranks) : tree_(ranks + 1, 0) {}
    void add(std::size_t rank, std::size_t row) {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) {
            tree_[i] = std::max(tree_[i], row + 1);
        }
    }
    // The latest row of the first `ranks` ranks, or npos.
    std::size_t latest(std::size_t ranks) const {
        std::size_t best = 0;
        for (std::size_t i = ranks; i > 0; i -= i & (~i + 1)) {
            best = std::max(best, tree_[i]);
        }
        return best == 0 ? PrefixIndex::npos : best - 1;
    }

private:
    std::vector<std::size_t> tree_;
};

// For the refunds naming one payee: the last of that payee's payments on or
// before each refund's day of at least its amount. Refunds and payments are
// taken in order of day, so each payment is added once.
void latestPayments(const Bill& bill, const std::vector<std::size_t>& payments,
                    std::vector<std::size_t> refunds, std::vector<std::size_t>& out) {
    std::vector<Money> amounts;  // largest first
    for (std::size_t p : payments) {
        amounts.push_back(bill.rows[p].amount);
    }
    std::sort(amounts.begin(), amounts.end(), std::greater<>());
    amounts.erase(std::unique(amounts.begin(), amounts.end()), amounts.end());
    auto atLeast = [&amounts](const Money& a) {
        return static_cast<std::size_t>(
            std::partition_point(amounts.begin(), amounts.end(),
                                 [&a](const Money& m) { return m >= a; }) -
            amounts.begin());
    };
    std::vector<std::size_t> byDay = payments;
    auto dayOf = [&bill](std::size_t row) -> const std::string& { return bill.rows[row].date; };
    auto earlier = [&dayOf](std::size_t a, std::size_t b) { return dayOf(a) < dayOf(b); };
    std::stable_sort(byDay.begin(), byDay.end(), earlier);
    std::stable_sort(refunds.begin(), refunds.end(), earlier);
    LatestAtLeast added(amounts.size());
    std::size_t next = 0;
    for (std::size_t refund : refunds) {
        for (; next < byDay.size() && dayOf(byDay[next]) <= dayOf(refund); ++next) {
            added.add(atLeast(bill.rows[byDay[next]].amount) - 1, byDay[next]);
        }
        out[refund] = added.latest(atLeast(bill.rows[refund].amount));
    }
}

}  // namespace

std::vector<std::size_t> refundPayments(const Bill& bill) {
    const std::size_t n = bill.rows.size();
    std::vector<std::size_t> out(n, PrefixIndex::npos);
    std::vector<std::pair<std::string_view, std::size_t>> ids;
    // Payments and refunds per payee, each in the bill's order.
    std::map<std::string_view, std::pair<std::vector<std::size_t>, std::vector<std::size_t>>>
        byCounterparty, byGoods;
    std::vector<std::size_t> refunds;
    for (std::size_t i = 0; i < n; ++i) {
        const BillRow& r = bill.rows[i];
        if (r.fate == BillFate::Refund) {
            refunds.push_back(i);
        } else if (r.direction == BillDirection::Expense) {
            if (!r.txId.empty()) {
                ids.emplace_back(r.txId, i);
            }
            byCounterparty[r.counterparty].first.push_back(i);
            byGoods[r.description].first.push_back(i);
        }
    }
    if (refunds.empty()) {
        return out;
    }
    const PrefixIndex payments(std::move(ids));
    for (std::size_t i : refunds) {
        const BillRow& r = bill.rows[i];
        if (!r.counterparty.empty()) {
            byCounterparty[r.counterparty].second.push_back(i);
        } else if (!r.description.empty()) {
            byGoods[r.description].second.push_back(i);
        }
    }
    for (auto* groups : {&byCounterparty, &byGoods}) {
        for (auto& [payee, group] : *groups) {
            if (!group.second.empty()) {
                latestPayments(bill, group.first, std::move(group.second), out);
            }
        }
    }
    // An ID that begins the refund's outweighs the payee.
    for (std::size_t i : refunds) {
        if (const std::size_t p = payments.firstPlaceBeginning(bill.rows[i].txId);
            p != PrefixIndex::npos) {
            out[i] = p;
        }
    }
    return out;
}

}  // namespace fennory
