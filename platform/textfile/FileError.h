// Why a file could not be read or written: a run-time error number in the classic style
// (53 file not found, 70 permission denied, 75 path/file access error, 57 device I/O error,
// 61 disk full) and the system's description of it.
#pragma once

#include <QString>

struct FileError {
    int number = 0;
    QString description;
};
