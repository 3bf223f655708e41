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
