#include "FileBytes.h"

#include "ReplacingFile.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
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

// Reads to the end, which may lie past the size the file had when it was opened.
std::optional<FileError> ReadAll(int fd, qsizetype expected, QByteArray* bytes) {
    bytes->resize(expected);
    qsizetype got = 0;
    char probe[65536];
    for (;;) {
        const bool full = got == bytes->size();
        char* into = full ? probe : bytes->data() + got;
        const ssize_t count = ::read(fd, into, full ? sizeof probe : std::size_t(bytes->size() - got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int code = errno;
            bytes->clear();
            return SystemError(kDeviceIO, code);
        }
        if (count == 0)
            break;
        if (full)
            bytes->append(probe, count);
        got += count;
    }
    bytes->resize(got);
    return std::nullopt;
}

} // namespace

std::optional<FileError> FileBytes::Read(const QString& path, QByteArray* bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Looked at before opening: opening some devices already acts on them.
    if (::stat(name.constData(), &info) != 0)
        return OpenError(errno);
    if (auto error = NotRegular(info.st_mode))
        return error;
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return OpenError(errno);
    // The path may have been replaced since it was looked at.
    if (::fstat(fd.get(), &info) != 0)
        return SystemError(kDeviceIO, errno);
    if (auto error = NotRegular(info.st_mode))
        return error;
    return ReadAll(fd.get(), qsizetype(info.st_size), bytes);
}

std::optional<FileError> FileBytes::Write(const QString& path, const Producer& produce) {
    QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    const bool exists = ::stat(name.constData(), &existing) == 0;
    if (exists) {
        if (auto error = NotRegular(existing.st_mode))
            return error;
        if ((existing.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0)
            return SystemError(kPermissionDenied, EACCES);
        // A link stays a link: the file it leads to gets the new content.
        if (char* real = ::realpath(name.constData(), nullptr)) {
            name = real;
            ::free(real);
        }
    }
    ReplacingFile file(name);
    int code = file.Open(exists ? &existing : nullptr);
    if (code)
        return WriteError(code);
    const bool produced = produce([&](QByteArrayView piece) {
        code = file.Write(piece);
        return code == 0;
    });
    if (!produced)
        return WriteError(code ? code : EIO);
    code = file.Commit();
    if (code)
        return WriteError(code);
    return std::nullopt;
}
