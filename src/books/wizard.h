#pragma once
// The first-book wizard's member and account steps: what lets them lead on.

#include "core/check_result.h"
#include "core/screen_model.h"

namespace fennory {

enum class WizardStepKind { Members, Accounts };

class WizardGate {
public:
    explicit WizardGate(WizardStepKind kind) : kind_(kind) {}

    // A save or a cancel has happened: the last button becomes available.
    void touched() { touched_ = true; }
    bool nextEnabled(const ScreenModelBase& step) const {
        return touched_ && step.mode() == RecordMode::Browse;
    }
    // "下一步" / "完成": at least one row must be listed.
    CheckResult checkNext(const ScreenModelBase& step) const;

private:
    WizardStepKind kind_;
    bool touched_ = false;
};

}  // namespace fennory
