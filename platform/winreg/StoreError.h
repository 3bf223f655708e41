// A failure of the registry store, with the SQLite result code that says what went wrong.
#pragma once

#include "WinReg.h"

#include <cerrno>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace qlx::winreg {

class StoreError : public std::runtime_error {
public:
    // systemError: the errno behind a failure to open the file, when known.
    StoreError(int sqliteCode, const std::string& what, int systemError = 0)
        : std::runtime_error(what), code_(sqliteCode & 0xFF), systemError_(systemError) {}

    // The file is no sound store of ours, or no file that can be opened at all: it is moved aside
    // and a new store is made. A shortage of descriptors or memory is no fault of the file.
    bool Unusable() const {
        const bool fileRefused = systemError_ == EACCES || systemError_ == EPERM || systemError_ == EISDIR;
        return code_ == SQLITE_CORRUPT || code_ == SQLITE_NOTADB || (code_ == SQLITE_CANTOPEN && fileRefused);
    }

    // The registry error code the caller of a registry function sees.
    LONG ErrorCode() const {
        switch (code_) {
        case SQLITE_NOMEM:
            return ERROR_OUTOFMEMORY;
        case SQLITE_CANTOPEN:
            return ERROR_CANTOPEN;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return ERROR_REGISTRY_CORRUPT;
        default:
            return ERROR_REGISTRY_IO_FAILED;
        }
    }

private:
    int code_;
    int systemError_;
};

} // namespace qlx::winreg
