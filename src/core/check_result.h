#pragma once

#include <string>

namespace fennory {

// What a check tells the view: the message to show and the field to focus.
struct CheckResult {
    bool ok = true;
    std::string message;
    std::string field;

    static CheckResult pass() { return {}; }
    static CheckResult fail(std::string message, std::string field) {
        return {false, std::move(message), std::move(field)};
    }
};

}  // namespace fennory
