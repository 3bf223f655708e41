#include "BackupCopy.h"

#include "FileBytes.h"
#include "FileSteps.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kKind[] = ".qlx-backup-";
constexpr char kCopies[] = "backups";
constexpr char kRecords[] = "saving";
// Old contents are the user's alone, whoever else may read the file.
constexpr mode_t kCopyMode = 0600;
constexpr mode_t kFolderMode = 0700;

QByteArray DataFolder(const char* leaf) {
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           "/QLX/" + leaf;
}

// Made where missing; false when it cannot be.
bool MakeFolder(const QByteArray& folder) {
    return QDir().mkpath(QFile::decodeName(FileSteps::Folder(folder))) &&
           (::mkdir(folder.constData(), kFolderMode) == 0 || errno == EEXIST);
}

QByteArray LinkTarget(const QByteArray& link) {
    char target[PATH_MAX];
    const ssize_t size = ::readlink(link.constData(), target, sizeof target);
    return size > 0 && size < ssize_t(sizeof target) ? QByteArray(target, size) : QByteArray();
}

// Beside its file, else in the data folder.
QByteArray CopyOf(const QByteArray& document, const QByteArray& name) {
    const QByteArray beside = FileSteps::Folder(document) + '/' + name;
    struct stat info {};
    return ::lstat(beside.constData(), &info) == 0 ? beside : DataFolder(kCopies) + '/' + name;
}

bool SameBytes(const QByteArray& first, const QByteArray& second) {
    QByteArray a;
    QByteArray b;
    return !FileBytes::Read(QFile::decodeName(first), &a) &&
           !FileBytes::Read(QFile::decodeName(second), &b) && a == b;
}

// Whether the copy a record names is left for the user. One still locked belongs to a save under
// way; one that is gone, or whose bytes its file holds again, goes with its record.
bool IsLeft(const QByteArray& document, const QByteArray& copy, const QByteArray& record) {
    const int fd = ::open(copy.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            ::unlink(record.constData());
        return false;
    }
    struct stat info {};
    bool left = false;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        left = !SameBytes(copy, document);
        if (!left) {
            ::unlink(copy.constData());
            ::unlink(record.constData());
        }
    }
    ::close(fd);
    return left;
}

} // namespace

BackupCopy::BackupCopy(QByteArray target)
    : target_(std::move(target)), prefix_(FileSteps::CopyPrefix(target_, kKind)) {}

BackupCopy::~BackupCopy() {
    if (fd_ >= 0)
        ::close(fd_);
}

int BackupCopy::Make(QByteArrayView old) {
    const int error = MakeIn(FileSteps::Folder(target_), old);
    if (error == 0)
        return 0;
    // The file's folder takes no new file.
    const QByteArray data = DataFolder(kCopies);
    return MakeFolder(data) && MakeIn(data, old) == 0 ? 0 : error;
}

void BackupCopy::Remove() {
    ::unlink(copy_.constData());
    ::unlink(record_.constData());
    copy_.clear();
    record_.clear();
}

QList<LeftCopy> BackupCopy::Left(const QString& path) {
    QList<LeftCopy> left;
    const QByteArray records = DataFolder(kRecords);
    DIR* folder = ::opendir(records.constData());
    if (!folder)
        return left;
    const QByteArray wanted = path.isEmpty() ? QByteArray() : FileSteps::RealPath(QFile::encodeName(path));
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        const QByteArray record = records + '/' + name;
        const QByteArray document = LinkTarget(record);
        if (!FileSteps::IsRandomName(name, FileSteps::CopyPrefix(document, kKind)) ||
            (!path.isEmpty() && document != wanted))
            continue;
        const QByteArray copy = CopyOf(document, name);
        if (IsLeft(document, copy, record))
            left.append({QFile::decodeName(document), QFile::decodeName(copy)});
    }
    ::closedir(folder);
    return left;
}

int BackupCopy::MakeIn(const QByteArray& folder, QByteArrayView old) {
    int error = FileSteps::OpenUnnamed(folder, kCopyMode, &fd_);
    if (!error)
        error = FileSteps::WriteAll(fd_, old);
    if (!error && ::fsync(fd_) != 0)
        error = FileSteps::Fail();
    if (!error)
        error = Name(folder);
    if (error && fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    return error;
}

int BackupCopy::Name(const QByteArray& folder) {
    const QByteArray records = DataFolder(kRecords);
    if (!MakeFolder(records))
        return FileSteps::Fail();
    for (int attempt = 0; attempt < FileSteps::kNameAttempts; ++attempt) {
        const QByteArray name = FileSteps::RandomName(prefix_);
        const QByteArray record = records + '/' + name;
        if (::symlink(target_.constData(), record.constData()) != 0) {
            if (errno == EEXIST)
                continue;
            return FileSteps::Fail();
        }
        const int error = FileSteps::NameUnnamed(fd_, folder + '/' + name);
        if (error == 0) {
            copy_ = folder + '/' + name;
            record_ = record;
            FileSteps::SyncFolder(records);
            FileSteps::SyncFolder(folder);
            return 0;
        }
        ::unlink(record.constData());
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}
