#include "core/criteria.h"

#include <fmt/format.h>

namespace fennory {

Criteria& Criteria::dates(std::string from, std::string to, bool ticked) {
    return set(Criterion::Date, {ticked, std::move(from), std::move(to)});
}

Criteria& Criteria::tick(Criterion c, std::string text) {
    CriterionValue& v = slot(c);
    v.ticked = true;
    v.text = std::move(text);
    return *this;
}

Criteria& Criteria::untick(Criterion c) {
    slot(c).ticked = false;
    return *this;
}

Criteria& Criteria::set(Criterion c, CriterionValue v) {
    slot(c) = std::move(v);
    return *this;
}

Condition conditionOf(const CriteriaTable& table, const Criteria& criteria) {
    Condition c;
    for (const CriterionDef& d : table) {
        const CriterionValue& v = criteria.at(d.id);
        if (!v.ticked) {
            continue;
        }
        switch (d.input) {
            case CriterionInput::Dates:
                c.add(fmt::format(" AND {} BETWEEN ? AND ?", d.column), v.text, v.to);
                break;
            case CriterionInput::Text:
                c.add(fmt::format(" AND {} LIKE ? ESCAPE '\\'", d.column), likeAnywhere(v.text));
                break;
            case CriterionInput::EditableList:
            case CriterionInput::Lookup:
            case CriterionInput::TypeList:
                c.add(fmt::format(" AND {}=?", d.column), v.text);
                break;
        }
    }
    return c;
}

}  // namespace fennory
