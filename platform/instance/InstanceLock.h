// The previous-instance test: a per-user lock held for the life of the first instance. The lock
// names the process that holds it, so a crashed first instance does not block the next start.
#pragma once

#include <QLockFile>
#include <QString>

class InstanceLock {
public:
    InstanceLock();

    // True when no other instance of the program runs for this user; this process is then the
    // first instance and keeps the lock until it ends.
    bool TryAcquire();

    // The per-user folder, reachable by this user only, for the lock and the hand-off channel.
    static QString RuntimeFolder();

private:
    QLockFile lock_;
};
