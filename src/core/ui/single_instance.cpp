#include "core/ui/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace fennory::ui {

SingleInstance::SingleInstance(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    QDir().mkpath(dir);
    path_ = QDir(dir).filePath(QStringLiteral("Account.lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock whose process is gone is stale at once, whatever its age.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_->tryLock(0);
}

}  // namespace fennory::ui
