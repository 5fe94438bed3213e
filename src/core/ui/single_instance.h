#pragma once
// One copy of the program per user: a lock file named "Account" in the user's
// runtime (or temporary) folder. A lock left by a killed process is taken over.

#include <QLockFile>
#include <QString>

#include <memory>

namespace fennory::ui {

class SingleInstance {
public:
    // folder: where the lock lives; empty for the user's runtime folder.
    explicit SingleInstance(const QString& folder = {});
    // True when this process now holds the lock; false when another copy runs.
    bool acquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace fennory::ui
