#include "books/wizard.h"

namespace fennory {

CheckResult WizardGate::checkNext(const ScreenModelBase& step) const {
    if (!step.rows().empty()) {
        return CheckResult::pass();
    }
    return CheckResult::fail(kind_ == WizardStepKind::Members ? "至少新增一个家庭成员！"
                                                              : "至少新增一个账户！");
}

}  // namespace fennory
