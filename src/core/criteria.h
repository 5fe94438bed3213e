#pragma once
// The criteria of every query and list form: one value that says which
// criteria are ticked and what each holds, and one table per form that says
// which criteria it offers, how each is entered and which column it narrows.
// The SQL comes from the pair, so a form is a table, not code.

#include <array>
#include <string>
#include <vector>

#include "core/condition.h"

namespace fennory {

class TfrmDM;

// What a criterion narrows.
enum class Criterion {
    Date,     // a span of days
    Name,     // the category, contact, party or investment kind
    Account,  // the money account
    Member,   // the family member
    Remark,   // found anywhere in the remark
    Type,     // the account type
    Kind,     // the fund-flow log's kind of movement
};
inline constexpr std::size_t kCriterionCount = 7;

// How a criterion is entered.
enum class CriterionInput {
    Dates,         // two date pickers
    EditableList,  // a name list with type-ahead, at most 20 bytes
    Lookup,        // a pick-only name list
    Text,          // a remark; found anywhere in it
    TypeList,      // the account types, editable, at most 10 bytes
};

// One criterion a form offers. Dates match BETWEEN, text anywhere, the rest
// equal.
struct CriterionDef {
    Criterion id;
    const char* caption;  // "收入日期"
    CriterionInput input;
    std::string column;                                     // IDate, IName, T.AName, ...
    std::vector<std::string> (TfrmDM::*names)() = nullptr;  // what a list offers
    const char* typeAheadTable = nullptr;                   // InD: the type-ahead's table
    const char* typeAheadColumn = nullptr;                  // its column; none: `column`
    std::size_t maxBytes = 0;  // a text's limit; 0: a query's text limit
};
using CriteriaTable = std::vector<CriterionDef>;

// A criterion as its form holds it.
struct CriterionValue {
    bool ticked = false;
    std::string text;  // the list's or field's text, or the first date
    std::string to;    // the second date
};

// What a form's criteria hold. An unticked criterion keeps its text: the
// dates still name the period on an export's title.
class Criteria {
public:
    Criteria& dates(std::string from, std::string to, bool ticked = true);
    Criteria& tick(Criterion c, std::string text);
    Criteria& untick(Criterion c);
    Criteria& set(Criterion c, CriterionValue v);

    bool ticked(Criterion c) const { return at(c).ticked; }
    const std::string& text(Criterion c) const { return at(c).text; }
    const std::string& from() const { return at(Criterion::Date).text; }
    const std::string& to() const { return at(Criterion::Date).to; }
    const CriterionValue& at(Criterion c) const { return values_[static_cast<std::size_t>(c)]; }

private:
    CriterionValue& slot(Criterion c) { return values_[static_cast<std::size_t>(c)]; }
    std::array<CriterionValue, kCriterionCount> values_;
};

// The SQL of the ticked criteria the table offers, in the table's order.
Condition conditionOf(const CriteriaTable& table, const Criteria& criteria);

}  // namespace fennory
