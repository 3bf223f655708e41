#include "RegWorkFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString RegWorkFolder::Of(const QString& applicationPath) {
    const QFileInfo program(applicationPath);
    if (program.isDir() && program.isWritable())
        return program.absoluteFilePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString RegWorkFolder::File(const QString& applicationPath, const QString& name) {
    return QDir::toNativeSeparators(QDir(Of(applicationPath)).filePath(name));
}
