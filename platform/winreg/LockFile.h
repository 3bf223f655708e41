// An exclusive lock among processes, held on a file for the life of the object.
#pragma once

#include <string>

namespace qlx::winreg {

class LockFile {
public:
    // Waits for the lock; throws StoreError when the lock file cannot be made.
    explicit LockFile(const std::string& path);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

private:
    int fd_;
};

} // namespace qlx::winreg
