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
    // A question the user must answer yes before the save may go on (the
    // message is then empty); yes saves again with `subject` agreed to.
    std::string question;
    std::string subject;

    static Check pass() { return {}; }
    static Check fail(std::string message, Field field = Field{}) {
        return {false, std::move(message), field};
    }
    // Nothing to do (no current row, say): not a failure to tell the user of.
    static Check nothingToDo() { return {false, {}, Field{}}; }
    bool silent() const { return !ok && message.empty() && question.empty(); }
    static Check confirm(std::string question, Field field, std::string subject) {
        return {false, {}, field, std::move(question), std::move(subject)};
    }
    bool asks() const { return !question.empty(); }
    // The same outcome for a form with other fields.
    template <class Other>
    Check<Other> as(Other f = Other{}) const {
        return {ok, message, f, question, subject};
    }
};

using CheckResult = Check<NoField>;

}  // namespace fennory
