#include "core/ui/guard.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <stdexcept>

#include "core/errors.h"

namespace fennory::ui {

FailureSink& failureSink() {
    static FailureSink sink;
    return sink;
}

namespace {

void tell(const std::exception& e, bool committed) {
    const FailureSink& sink = failureSink();
    if (!sink.errorLog.empty()) {
        logError(sink.errorLog, e);
    }
    const QString text = QString::fromStdString(committed ? afterCommitMessage(e) : userMessage(e));
    if (sink.report) {
        sink.report(text);
    } else {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("错误"), text);
    }
}

}  // namespace

bool runGuarded(const std::function<void()>& action) {
    const FailureSink& sink = failureSink();
    const std::uint64_t before = sink.commits ? sink.commits() : 0;
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        tell(e, sink.commits && sink.commits() != before);
    } catch (...) {
        tell(std::runtime_error("unknown failure"), sink.commits && sink.commits() != before);
    }
    return false;
}

}  // namespace fennory::ui
