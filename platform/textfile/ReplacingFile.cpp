#include "ReplacingFile.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRandomLength = 6;
// A new file's mode, less what the user's mask takes away.
constexpr mode_t kNewFileMode = 0666;
constexpr int kNameAttempts = 100;
// Room left in a name of at most 255 bytes for the dot, ".qlx-" and the random part.
constexpr int kBaseLength = 200;

int Fail() {
    return errno ? errno : EIO;
}

QByteArray RandomPart() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray part(kRandomLength, Qt::Uninitialized);
    for (char& c : part)
        c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return part;
}

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Only the superuser can give the copy another owner; anyone may give it a group they belong to.
bool GiveOwner(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group) == 0;
}

// Makes a rename in the folder last through a power failure; a failure here loses nothing.
void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

ReplacingFile::ReplacingFile(QByteArray target) : target_(std::move(target)) {
    const qsizetype slash = target_.lastIndexOf('/');
    folder_ = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target_.left(slash);
    prefix_ = '.' + target_.mid(slash + 1).left(kBaseLength) + ".qlx-";
}

ReplacingFile::~ReplacingFile() {
    // Removed while still locked, so no other save mistakes it for an abandoned one.
    if (!copy_.isEmpty())
        ::unlink(copy_.constData());
    if (fd_ >= 0)
        ::close(fd_);
}

int ReplacingFile::Open(const struct stat* existing) {
    RemoveAbandonedCopies();
    int error = OpenUnnamed();
    if (error == EOPNOTSUPP || error == EISDIR || error == EINVAL)
        error = OpenNamed();
    if (error || !existing)
        return error;
    if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
        if (!GiveOwner(fd_, existing->st_uid, existing->st_gid))
            GiveOwner(fd_, uid_t(-1), existing->st_gid);
    }
    // After the owner: a change of owner clears the set-user and set-group bits.
    if (::fchmod(fd_, existing->st_mode & 07777) != 0)
        return Fail();
    return 0;
}

int ReplacingFile::Write(QByteArrayView piece) {
    const char* data = piece.data();
    qsizetype left = piece.size();
    while (left > 0) {
        const ssize_t count = ::write(fd_, data, std::size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return Fail();
        data += count;
        left -= count;
    }
    return 0;
}

int ReplacingFile::Commit() {
    if (::fsync(fd_) != 0)
        return Fail();
    if (copy_.isEmpty()) {
        if (int error = Name())
            return error;
    }
    if (::rename(copy_.constData(), target_.constData()) != 0)
        return Fail();
    copy_.clear();
    SyncFolder(folder_);
    return 0;
}

// An unnamed copy leaves nothing behind when its writer is killed before the copy is complete.
// Its name is given only at the commit, with the lock already held.
int ReplacingFile::OpenUnnamed() {
    if (::access("/proc/self/fd", X_OK) != 0)
        return EOPNOTSUPP;
    fd_ = ::open(folder_.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
    if (fd_ < 0)
        return Fail();
    if (::flock(fd_, LOCK_EX) != 0)
        return Fail();
    return 0;
}

// Where the file system has no unnamed files. Another save removing this copy in the moment before
// the lock makes the commit fail: the file then stays as it was.
int ReplacingFile::OpenNamed() {
    QByteArray name;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = folder_ + '/' + prefix_ + RandomPart();
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (fd_ >= 0 || errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        return Fail();
    copy_ = name;
    if (::flock(fd_, LOCK_EX) != 0)
        return Fail();
    return 0;
}

int ReplacingFile::Name() {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = folder_ + '/' + prefix_ + RandomPart();
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            copy_ = name;
            return 0;
        }
        if (errno != EEXIST)
            return Fail();
    }
    return EEXIST;
}

// A copy nobody holds locked belongs to a save whose process ended before its commit. Only this
// user's own regular files of the copy's name pattern are touched.
void ReplacingFile::RemoveAbandonedCopies() const {
    DIR* folder = ::opendir(folder_.constData());
    if (!folder)
        return;
    const int folderFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (!IsCopyName(name))
            continue;
        const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
            ::unlinkat(folderFd, name.constData(), 0);
        ::close(fd);
    }
    ::closedir(folder);
}

bool ReplacingFile::IsCopyName(const QByteArray& name) const {
    if (name.size() != prefix_.size() + kRandomLength || !name.startsWith(prefix_))
        return false;
    for (qsizetype i = prefix_.size(); i < name.size(); ++i) {
        if (!IsLetterOrDigit(name[i]))
            return false;
    }
    return true;
}
