#include "FileBytes.h"

#include "BackupCopy.h"
#include "FileStamp.h"
#include "FileSteps.h"
#include "ReplacingFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum ErrorNumber {
    kFileNotFound = 53,
    kDeviceIO = 57,
    kDiskFull = 61,
    kPermissionDenied = 70,
    kPathFileAccess = 75,
};

FileError SystemError(int number, int code) {
    return FileError{number, qt_error_string(code)};
}

FileError OpenError(int code) {
    switch (code) {
    case ENOENT:
        return SystemError(kFileNotFound, code);
    case EACCES:
    case EPERM:
        return SystemError(kPermissionDenied, code);
    default:
        return SystemError(kPathFileAccess, code);
    }
}

// A folder, device, pipe or socket is no document.
std::optional<FileError> NotRegular(mode_t mode) {
    if (S_ISREG(mode))
        return std::nullopt;
    if (S_ISDIR(mode))
        return SystemError(kPathFileAccess, EISDIR);
    return FileError{kPathFileAccess, QStringLiteral("Not a regular file")};
}

FileError WriteError(int code) {
    int number = kPathFileAccess;
    if (code == ENOSPC || code == EDQUOT)
        number = kDiskFull;
    else if (code == EACCES || code == EPERM || code == EROFS)
        number = kPermissionDenied;
    return SystemError(number, code);
}

std::optional<FileError> Outcome(int code) {
    if (code)
        return WriteError(code);
    return std::nullopt;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// One read of up to max bytes from the offset on: how many came, none at the end of the file.
std::optional<FileError> ReadAt(int fd, qint64 offset, char* into, qsizetype max, qsizetype* count) {
    for (;;) {
        const ssize_t got = ::pread(fd, into, std::size_t(max), off_t(offset));
        if (got >= 0) {
            *count = got;
            return std::nullopt;
        }
        if (errno != EINTR)
            return SystemError(kDeviceIO, errno);
    }
}

// Reads to the end, which may lie past the size the file had when it was opened.
std::optional<FileError> ReadAll(int fd, qsizetype expected, QByteArray* bytes) {
    bytes->resize(expected);
    qsizetype got = 0;
    char probe[65536];
    for (qsizetype count = 1; count > 0; got += count) {
        const bool full = got == bytes->size();
        char* into = full ? probe : bytes->data() + got;
        if (auto error =
                ReadAt(fd, got, into, full ? qsizetype(sizeof probe) : bytes->size() - got, &count)) {
            bytes->clear();
            return error;
        }
        if (full)
            bytes->append(probe, count);
    }
    bytes->resize(got);
    return std::nullopt;
}

// 0 or the system's error number.
int Replace(const QByteArray& name, const struct stat* existing, const FileBytes::Producer& produce) {
    ReplacingFile file(name);
    int code = file.Open(existing);
    if (code)
        return code;
    const bool produced = produce([&](QByteArrayView piece) {
        code = file.Write(piece);
        return code == 0;
    });
    if (!produced)
        return code ? code : EIO;
    return file.Commit();
}

int Overwrite(int fd, QByteArrayView bytes) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return FileSteps::Fail();
    if (int code = FileSteps::WriteAll(fd, bytes))
        return code;
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0)
        return FileSteps::Fail();
    return 0;
}

// The file itself takes the new content, so it keeps its inode: its other names, owner and mode.
// Its old content is kept in a backup copy until the new content is on disk, and is written back
// when the new content could not be.
std::optional<FileError> WriteInPlace(const QByteArray& name, const FileBytes::Producer& produce) {
    QByteArray bytes;
    if (!produce([&bytes](QByteArrayView piece) {
            bytes.append(piece);
            return true;
        }))
        return WriteError(EIO);
    const Descriptor fd(::open(name.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        return WriteError(errno);
    QByteArray old;
    if (auto error = ReadAll(fd.get(), qsizetype(info.st_size), &old))
        return error;
    BackupCopy copy(name);
    if (int code = copy.Make(old))
        return WriteError(code);
    const int code = Overwrite(fd.get(), bytes);
    // Without the old content back in the file, the copy stays for the user.
    if (code == 0 || Overwrite(fd.get(), old) == 0)
        copy.Remove();
    return Outcome(code);
}

} // namespace

std::optional<FileError> FileBytes::Read(const QString& path, QByteArray* bytes) {
    auto error = Look(path, bytes);
    if (!error)
        FileStamp::Record(path, FileStamp::Of(*bytes));
    return error;
}

std::optional<FileError> FileBytes::Look(const QString& path, QByteArray* bytes) {
    Reader file;
    if (auto error = file.Open(path))
        return error;
    return file.ReadAll(bytes);
}

FileError FileBytes::Changed() {
    return FileError{kDeviceIO, QStringLiteral("The file changed while it was being read")};
}

FileBytes::Reader::~Reader() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<FileError> FileBytes::Reader::Open(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Looked at before opening: opening some devices already acts on them.
    if (::stat(name.constData(), &info) != 0)
        return OpenError(errno);
    if (auto error = NotRegular(info.st_mode))
        return error;
    fd_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
        return OpenError(errno);
    // The path may have been replaced since it was looked at.
    if (::fstat(fd_, &info) != 0)
        return SystemError(kDeviceIO, errno);
    opened_ = qint64(info.st_size);
    return NotRegular(info.st_mode);
}

std::optional<FileError> FileBytes::Reader::Read(qint64 offset, qsizetype max, QByteArray* piece) {
    piece->resize(max);
    qsizetype got = 0;
    for (qsizetype count = 1; count > 0 && got < max; got += count) {
        if (auto error = ReadAt(fd_, offset + got, piece->data() + got, max - got, &count)) {
            piece->clear();
            return error;
        }
    }
    piece->resize(got);
    const qint64 end = offset + got;
    const bool atEnd = got < max;
    if (size_ >= 0 && (end > size_ || (atEnd && end != size_)))
        return Changed();
    if (atEnd)
        size_ = end;
    return std::nullopt;
}

std::optional<FileError> FileBytes::Reader::ReadAll(QByteArray* bytes) {
    return ::ReadAll(fd_, qsizetype(opened_), bytes);
}

std::optional<FileError> FileBytes::Write(const QString& path, const Producer& produce) {
    // The stamp is taken from the bytes on their way to the file, so the document is not read back.
    FileStamp::Builder stamp;
    const Producer stamped = [&](const ByteSink& sink) {
        stamp.Reset(); // a write in place after a refused replacement produces the bytes again
        return produce([&](QByteArrayView piece) {
            stamp.Add(piece);
            return sink(piece);
        });
    };
    auto error = WriteStamped(path, stamped);
    if (!error)
        FileStamp::Record(path, stamp.Done());
    return error;
}

std::optional<FileError> FileBytes::WriteStamped(const QString& path, const Producer& produce) {
    QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    if (::stat(name.constData(), &existing) != 0)
        return Outcome(Replace(name, nullptr, produce));
    if (auto error = NotRegular(existing.st_mode))
        return error;
    if ((existing.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0)
        return SystemError(kPermissionDenied, EACCES);
    // A link stays a link: the file it leads to gets the new content.
    if (const QByteArray real = FileSteps::RealPath(name); !real.isEmpty())
        name = real;
    // A replacement would part the file from its other names.
    if (existing.st_nlink > 1)
        return WriteInPlace(name, produce);
    const int code = Replace(name, &existing, produce);
    // The folder takes no new file or lets this user replace none, or the new file could not keep
    // the owner and group.
    if (code == EACCES || code == EPERM)
        return WriteInPlace(name, produce);
    return Outcome(code);
}
