// Small utility operations the program needs in several places. Holds no state between calls;
// every call is made on the user-interface thread.
#pragma once

#include "QlxresExport.h"

#include <QString>

#include <cstdint>

class QLXRES_EXPORT Resources {
public:
    // The text with every "#" turned into CR LF: how the stored texts mark their line breaks.
    QString ReconstructString(const QString& OldString) const;

    // Opens the directory-list gatherer (its one window, shown without an owner); the gathering
    // runs when the user presses its button. SupressNotification true: no completion message.
    // Always 0.
    std::int16_t GatherDirList(bool SupressNotification) const;

    // Puts the first twenty entries of the process environment on the clipboard, in the order
    // the environment holds them, each as name=value followed by CR LF.
    void GatherVars() const;

    // Creates (IconState true) or removes the "Quillon Editor" entry of the user's Send To menu,
    // which starts the program file in AppPath. False when that failed.
    bool MakeSendTo(bool IconState, const QString& AppPath) const;

    // Opens the about box (its one window, shown without an owner) with "Version " and Version.
    void HelpAbout(const QString& Version) const;

    // The last component of a path: what follows the last "\" (or "/"); a path ending in a
    // separator gives the empty text. A network path's leading "\\" counts as a drive.
    QString FindNameOnly(const QString& FullName) const;

    // True when vMRU names an existing file (not a folder): a recent-file entry still valid.
    bool ValidateMRU(const QString& vMRU) const;

    // A letter-only key made from Numeric (the callers pass the day count) plus a fraction in
    // [0, 1). Successive keys for the same Numeric never repeat within a process for 2^24 calls
    // (2^16 when Numeric has ten digits, where the text shows fewer fractional digits).
    QString UniqueID(int Numeric) const;

    // Where one of the program's own files is (FileName matched without regard to case): beside
    // the program in AppPath, as in a build tree, else in the data folder of an installed program.
    // Empty when neither holds it.
    QString ProgramFile(const QString& FileName, const QString& AppPath) const;
};
