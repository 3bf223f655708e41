// The bytes of a file on disk, read and written with the classic run-time error numbers.
#pragma once

#include "ByteSink.h"
#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class FileBytes {
public:
    // Only a regular file is read, so that a folder, a device or a pipe never blocks or streams
    // without end.
    // The stamp of what was read is noted (FileStamp::Last).
    static std::optional<FileError> Read(const QString& path, QByteArray* bytes);
    // Reads without noting the stamp: a look at the file, not a reading of the document.
    static std::optional<FileError> Look(const QString& path, QByteArray* bytes);

    // A regular file open for reading, piece by piece and as often as needed: each reading to the
    // end must find as many bytes as the first, or the file changed while it was read.
    class Reader {
    public:
        Reader() = default;
        ~Reader();
        Reader(const Reader&) = delete;
        Reader& operator=(const Reader&) = delete;

        // Only a regular file, as for Read.
        std::optional<FileError> Open(const QString& path);
        // Up to max bytes from the offset on; fewer only at the end of the file.
        std::optional<FileError> Read(qint64 offset, qsizetype max, QByteArray* piece);
        // The whole file at once, past the size it had when it was opened.
        std::optional<FileError> ReadAll(QByteArray* bytes);
        // The number of bytes once a reading has met the end of the file, else -1.
        qint64 Size() const { return size_; }

    private:
        int fd_ = -1;
        qint64 opened_ = 0; // the size the file had when it was opened
        qint64 size_ = -1;
    };
    // The file's bytes were not the same from one reading to the next.
    static FileError Changed();

    // Hands the bytes of the new content to the sink; false when it gave up.
    using Producer = std::function<bool(const ByteSink& sink)>;
    // Replaces the file with what the producer writes, through a temporary file beside it: on any
    // failure the file stays as it was. A file the user made read-only is refused, and a replaced
    // file keeps its owner and permissions. A file with other names (hard links), or one whose
    // owner and group a replacement could not keep or whose folder allows no replacement, is written
    // in place instead, its old content kept in a backup copy (BackupCopy) until the new content is
    // on disk. The stamp of what was written is noted (FileStamp::Last).
    static std::optional<FileError> Write(const QString& path, const Producer& produce);

private:
    static std::optional<FileError> WriteStamped(const QString& path, const Producer& produce);
};
