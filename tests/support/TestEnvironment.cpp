#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace {
const char* const kVars[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME",
                             "WINEPREFIX",      "XDG_STATE_HOME"};
const char* const kDirs[] = {"config", "data", "runtime", "cache", "home", "home/.wine", "state"};
} // namespace

TestEnvironment::TestEnvironment() {
    for (int i = 0; i < kCount; ++i) {
        saved_[i] = qgetenv(kVars[i]);
        const QString dir = dir_.filePath(QString::fromLatin1(kDirs[i]));
        QDir().mkpath(dir);
        qputenv(kVars[i], QFile::encodeName(dir));
    }
    QFile::setPermissions(dir_.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(dir_.filePath("home/Documents"));
}

TestEnvironment::~TestEnvironment() {
    for (int i = 0; i < kCount; ++i) {
        if (saved_[i].isNull())
            qunsetenv(kVars[i]);
        else
            qputenv(kVars[i], saved_[i]);
    }
}
