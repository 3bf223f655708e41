#include "FileSteps.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Room left in a name of at most 255 bytes for the dot, the kind of copy and the random part.
constexpr int kBaseLength = 200;

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

namespace FileSteps {

int Fail() {
    return errno ? errno : EIO;
}

QByteArray Folder(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
}

QByteArray RealPath(const QByteArray& name) {
    char* real = ::realpath(name.constData(), nullptr);
    const QByteArray resolved(real);
    ::free(real);
    return resolved;
}

QByteArray CopyPrefix(const QByteArray& file, const char* kind) {
    return '.' + file.mid(file.lastIndexOf('/') + 1).left(kBaseLength) + kind;
}

QByteArray RandomName(const QByteArray& prefix) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = prefix;
    for (int i = 0; i < kRandomLength; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

bool IsRandomName(const QByteArray& name, const QByteArray& prefix) {
    if (name.size() != prefix.size() + kRandomLength || !name.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        if (!IsLetterOrDigit(name[i]))
            return false;
    }
    return true;
}

int OpenUnnamed(const QByteArray& folder, mode_t mode, int* fd) {
    // The name is given through the process's own view of its descriptors.
    if (::access("/proc/self/fd", X_OK) != 0)
        return EOPNOTSUPP;
    *fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (*fd < 0)
        return Fail();
    if (::flock(*fd, LOCK_EX) != 0)
        return Fail();
    return 0;
}

int NameUnnamed(int fd, const QByteArray& name) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) != 0)
        return Fail();
    return 0;
}

int WriteAll(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(fd, data, std::size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return Fail();
        data += count;
        left -= count;
    }
    return 0;
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace FileSteps
