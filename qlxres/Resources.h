// Small utility operations the program needs in several places. Holds no state between calls;
// every call is made on the user-interface thread.
#pragma once

#include "QlxresExport.h"

#include <QString>

class QLXRES_EXPORT Resources {
public:
    // The text with every "#" turned into CR LF: how the stored texts mark their line breaks.
    QString ReconstructString(const QString& OldString) const;

    // Puts the first twenty entries of the process environment on the clipboard, in the order
    // the environment holds them, each as name=value followed by CR LF.
    void GatherVars() const;

    // Creates (IconState true) or removes the "Quillon Editor" entry of the user's Send To menu,
    // which starts the program file in AppPath. False when that failed.
    bool MakeSendTo(bool IconState, const QString& AppPath) const;

    // The last component of a path: what follows the last "\" (or "/"); a path ending in a
    // separator gives the empty text. A network path's leading "\\" counts as a drive.
    QString FindNameOnly(const QString& FullName) const;

    // True when vMRU names an existing file (not a folder): a recent-file entry still valid.
    bool ValidateMRU(const QString& vMRU) const;

    // A letter-only key made from Numeric (the callers pass the day count) plus a fraction in
    // [0, 1). Successive keys for the same Numeric never repeat within a process for 2^24 calls
    // (2^16 when Numeric has ten digits, where the text shows fewer fractional digits).
    QString UniqueID(int Numeric) const;
};
