#include "SendToLink.h"

#include <QFile>
#include <QFileInfo>

bool SendToLink::Exists() {
    return QFileInfo::exists(FilePath());
}

bool SendToLink::Remove() {
    const QString path = FilePath();
    return !QFileInfo::exists(path) || QFile::remove(path);
}
