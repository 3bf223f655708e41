#include "LockFile.h"

#include "StoreError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qlx::winreg {

LockFile::LockFile(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ < 0)
        throw StoreError(SQLITE_CANTOPEN, "cannot create " + path);
    while (flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            close(fd_);
            throw StoreError(SQLITE_CANTOPEN, "cannot lock " + path);
        }
    }
}

LockFile::~LockFile() {
    close(fd_); // closing the last descriptor releases the lock
}

} // namespace qlx::winreg
