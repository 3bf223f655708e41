#include "FileStamp.h"

#include "FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <sys/stat.h>

namespace {
QMutex recordedLock;
QHash<QString, FileStamp>& Recorded() {
    static QHash<QString, FileStamp> recorded;
    return recorded;
}

QString Key(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

// Empty for a missing file.
QByteArray IdentityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    QByteArray identity;
    for (const qint64 part : {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
                              qint64(info.st_ctim.tv_sec), qint64(info.st_ctim.tv_nsec)})
        identity.append(reinterpret_cast<const char*>(&part), sizeof part);
    return identity;
}
} // namespace

void FileStamp::Builder::Add(QByteArrayView piece) {
    hash_.addData(piece);
    size_ += piece.size();
}

void FileStamp::Builder::Reset() {
    hash_.reset();
    size_ = 0;
}

FileStamp FileStamp::Builder::Done() {
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = size_;
    stamp.hash = hash_.result();
    return stamp;
}

FileStamp FileStamp::Of(QByteArrayView bytes) {
    Builder builder;
    builder.Add(bytes);
    return builder.Done();
}

FileStamp FileStamp::Last(const QString& path) {
    const QMutexLocker locker(&recordedLock);
    return Recorded().value(Key(path));
}

void FileStamp::Record(const QString& path, const FileStamp& stamp) {
    FileStamp noted = stamp;
    noted.identity_ = IdentityOf(path);
    const QMutexLocker locker(&recordedLock);
    Recorded().insert(Key(path), noted);
}

FileStamp FileStamp::OnDisk(const QString& path, const FileStamp& known) {
    const QByteArray identity = IdentityOf(path);
    if (identity.isEmpty())
        return {};
    if (known.exists && identity == known.identity_)
        return known;
    QByteArray bytes;
    FileStamp stamp;
    if (FileBytes::Look(path, &bytes))
        stamp.exists = true; // there, but unreadable: unlike any content read before
    else
        stamp = Of(bytes);
    stamp.identity_ = identity;
    return stamp;
}
