#include "LetterCode.h"

namespace {
const char* const kDigitCodes[] = {"Z", "O", "T", "TH", "F", "FV", "SX", "SV", "E", "N"};
} // namespace

QString LetterCode::Encode(double value) {
    QString code;
    for (const QChar c : QString::number(value, 'g', 15)) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            code += QLatin1String(kDigitCodes[c.unicode() - '0']);
        else if (c == QLatin1Char('.'))
            code += QLatin1Char('P');
    }
    return code;
}
