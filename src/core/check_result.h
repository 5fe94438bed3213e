#pragma once

#include <string>

namespace fennory {

// The fields of a form that checks nothing by field.
enum class NoField { None };

// What a check tells the view: the message to show and the field to focus.
// Each form names its fields with an enum of its own.
template <class Field>
struct Check {
    bool ok = true;
    std::string message;
    Field field{};

    static Check pass() { return {}; }
    static Check fail(std::string message, Field field = Field{}) {
        return {false, std::move(message), field};
    }
    // The same outcome for a form with other fields.
    template <class Other>
    Check<Other> as(Other f = Other{}) const {
        return {ok, message, f};
    }
};

using CheckResult = Check<NoField>;

}  // namespace fennory
