#include "WinPaths.h"

#include <QDir>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>

#include <string>

QString WinPaths::WindowsDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    UINT length = GetWindowsDirectoryW(buffer.data(), UINT(buffer.size()));
    if (length > buffer.size()) {
        buffer.resize(length);
        length = GetWindowsDirectoryW(buffer.data(), length);
    }
    buffer.resize(length);
    return QDir::fromNativeSeparators(QString::fromStdWString(buffer));
}

QString WinPaths::DriveC() {
    return QStringLiteral("C:");
}
#else
namespace {

QString WinePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return QDir::cleanPath(prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix);
}

} // namespace

QString WinPaths::WindowsDirectory() {
    return DriveC() + QStringLiteral("/windows");
}

QString WinPaths::DriveC() {
    return WinePrefix() + QStringLiteral("/drive_c");
}
#endif

QString WinPaths::FindNoCase(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return {};
}
