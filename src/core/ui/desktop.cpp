#include "core/ui/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace fennory::ui {

bool openOnDesktop(const QString& target) {
    const bool isAddress = target.startsWith(QStringLiteral("http://")) ||
                           target.startsWith(QStringLiteral("https://"));
    if (!isAddress && !QFileInfo::exists(target)) {
        return false;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return QDesktopServices::openUrl(isAddress ? QUrl(target) : QUrl::fromLocalFile(target));
    }
    // Owned by the application, so that an opener still running (it may wait
    // for the program it started) is neither killed nor waited for here.
    auto* p = new QProcess(QCoreApplication::instance());
    p->setProgram(opener);
    p->setArguments({target});
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    QObject::connect(p, &QProcess::errorOccurred, p, [p](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            p->deleteLater();
        }
    });
    p->start();
    if (!p->waitForStarted(3000)) {
        return false;
    }
    constexpr int kSettleMs = 4000;
    if (!p->waitForFinished(kSettleMs)) {
        return true;
    }
    return p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
}

}  // namespace fennory::ui
