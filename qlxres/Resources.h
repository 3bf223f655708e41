// Small utility operations the program needs in several places. Holds no state between calls.
#pragma once

#include "QlxresExport.h"

#include <QString>

class QLXRES_EXPORT Resources {
public:
    // The last component of a path: what follows the last "\" (or "/"); a path ending in a
    // separator gives the empty text. A network path's leading "\\" counts as a drive.
    QString FindNameOnly(const QString& FullName) const;
};
