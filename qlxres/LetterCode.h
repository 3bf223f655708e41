// The letter-only form of a number used for node keys: its decimal text (15 significant digits)
// with each digit and the decimal point replaced by letters; signs and exponent marks are dropped.
#pragma once

#include "QlxresExport.h"

#include <QString>

class QLXRES_EXPORT LetterCode {
public:
    // 12.5 gives "OTPFV": 0 Z, 1 O, 2 T, 3 TH, 4 F, 5 FV, 6 SX, 7 SV, 8 E, 9 N, "." P.
    static QString Encode(double value);
};
