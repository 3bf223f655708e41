// What a file held when this program last read or wrote it: its size and a hash of its bytes. A
// file another program changed since has another stamp; one it only touched keeps the same.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>
#include <QString>

class FileStamp {
public:
    bool exists = false;
    qint64 size = 0;
    QByteArray hash;

    // Same file content (or both files missing); the time stamps do not count.
    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && hash == other.hash;
    }

    // The stamp of bytes handed over piece by piece, as they go to or come from a file.
    class Builder {
    public:
        void Add(QByteArrayView piece);
        void Reset();
        FileStamp Done();

    private:
        // Tells a change by chance from the content read, not one made to look alike; the fastest of
        // the toolkit's hashes over a large document.
        QCryptographicHash hash_{QCryptographicHash::Sha1};
        qint64 size_ = 0;
    };
    static FileStamp Of(QByteArrayView bytes);

    // The stamp of what this process last read from or wrote to the file at path; a file it has
    // not touched has a stamp that exists not.
    static FileStamp Last(const QString& path);
    // Notes what was just read from or written to the file at path, with the file's identity on disk.
    static void Record(const QString& path, const FileStamp& stamp);

    // The stamp of the file as it is now. A file whose identity on disk (inode, size, change time)
    // is still the one recorded with known is not read again.
    static FileStamp OnDisk(const QString& path, const FileStamp& known);

private:
    // The inode and status change time, which every write of the content renews.
    QByteArray identity_;
};
