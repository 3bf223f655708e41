// Where the Windows folders are. On POSIX systems they are those of the Wine prefix
// ($WINEPREFIX, else ~/.wine), so the system-file tools find a Wine installation's files.
// Paths use "/" as separator and have no trailing separator.
#pragma once

#include <QString>

class WinPaths {
public:
    // The Windows directory; on POSIX <prefix>/drive_c/windows, whether or not it exists.
    static QString WindowsDirectory();

    // Drive C:; on POSIX <prefix>/drive_c, whether or not it exists.
    static QString DriveC();

    // The real path of the file called fileName in folder, matched without regard to case as
    // Windows does (WIN.INI finds win.ini); empty when there is none. An exact match wins.
    static QString FindNoCase(const QString& folder, const QString& fileName);
};
