#include "InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock() : lock_(RuntimeFolder() + QStringLiteral("/QLX.lock")) {
    // Only a dead owner makes the lock stale, never its age: the first instance may run for weeks.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::TryAcquire() {
    return lock_.tryLock(0);
}

QString InstanceLock::RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}
