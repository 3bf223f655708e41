// Where the registry editor puts its own files, the import error log and the print file: the
// program's folder when it may write there, else the user's data folder.
#pragma once

#include <QString>

class RegWorkFolder {
public:
    static QString Of(const QString& applicationPath);
    // The full path of a file of that name in the folder, with the system's separators.
    static QString File(const QString& applicationPath, const QString& name);
};
