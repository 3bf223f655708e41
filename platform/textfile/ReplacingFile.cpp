#include "ReplacingFile.h"

#include "FileSteps.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A new file's mode, less what the user's mask takes away.
constexpr mode_t kNewFileMode = 0666;

} // namespace

ReplacingFile::ReplacingFile(QByteArray target)
    : target_(std::move(target)), folder_(FileSteps::Folder(target_)),
      prefix_(FileSteps::CopyPrefix(target_, ".qlx-")) {}

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
    // Only the superuser can give the copy another owner; a copy that cannot have the file's owner
    // and group would change them.
    if ((existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) &&
        ::fchown(fd_, existing->st_uid, existing->st_gid) != 0)
        return EPERM;
    // After the owner: a change of owner clears the set-user and set-group bits.
    if (::fchmod(fd_, existing->st_mode & 07777) != 0)
        return FileSteps::Fail();
    return 0;
}

int ReplacingFile::Write(QByteArrayView piece) {
    return FileSteps::WriteAll(fd_, piece);
}

int ReplacingFile::Commit() {
    if (::fsync(fd_) != 0)
        return FileSteps::Fail();
    if (copy_.isEmpty()) {
        if (int error = Name())
            return error;
    }
    if (::rename(copy_.constData(), target_.constData()) != 0)
        return FileSteps::Fail();
    copy_.clear();
    FileSteps::SyncFolder(folder_);
    return 0;
}

// An unnamed copy leaves nothing behind when its writer is killed before the copy is complete.
// Its name is given only at the commit, with the lock already held.
int ReplacingFile::OpenUnnamed() {
    return FileSteps::OpenUnnamed(folder_, kNewFileMode, &fd_);
}

// Where the file system has no unnamed files. Another save removing this copy in the moment before
// the lock makes the commit fail: the file then stays as it was.
int ReplacingFile::OpenNamed() {
    QByteArray name;
    for (int attempt = 0; attempt < FileSteps::kNameAttempts; ++attempt) {
        name = folder_ + '/' + FileSteps::RandomName(prefix_);
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (fd_ >= 0 || errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        return FileSteps::Fail();
    copy_ = name;
    if (::flock(fd_, LOCK_EX) != 0)
        return FileSteps::Fail();
    return 0;
}

int ReplacingFile::Name() {
    for (int attempt = 0; attempt < FileSteps::kNameAttempts; ++attempt) {
        const QByteArray name = folder_ + '/' + FileSteps::RandomName(prefix_);
        const int error = FileSteps::NameUnnamed(fd_, name);
        if (error == 0)
            copy_ = name;
        if (error != EEXIST)
            return error;
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
        if (!FileSteps::IsRandomName(name, prefix_))
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
