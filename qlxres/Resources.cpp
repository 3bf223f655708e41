#include "Resources.h"

#include "LetterCode.h"
#include "SendToLink.h"
#include "SingleForm.h"
#include "WinPaths.h"
#include "form_About.h"
#include "form_Dir.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

constexpr int kEnvironmentEntries = 20;

char** ProcessEnvironment() {
#ifdef _WIN32
    return _environ;
#else
    return environ;
#endif
}

// Key fractions are k / 2^bits. k starts at a random point of the process and moves by a random
// odd stride on each call, so it runs through every value of the cycle before one repeats:
// random-looking keys that cannot collide, however fast they are asked for.
struct FractionCycle {
    quint32 start = QRandomGenerator::system()->generate();
    quint32 stride = QRandomGenerator::system()->generate() | 1u;
    quint32 calls = 0;
};

// As many bits as the key's text can tell apart beside the integer part of numeric: the text
// has 15 significant digits, and a step of 2^-bits must not be smaller than its last digit.
int FractionBits(int numeric) {
    const auto integerDigits = QString::number(std::abs(qint64(numeric))).size();
    return std::min(24, int(double(15 - integerDigits) * std::log2(10.0)));
}

// The next fraction for numeric, in [0, 1) and exact in single precision.
float NextFraction(int numeric) {
    static FractionCycle cycle;
    const int bits = FractionBits(numeric);
    const quint32 k = (cycle.start + cycle.calls++ * cycle.stride) & ((1u << bits) - 1u);
    return std::ldexp(float(k), -bits);
}

} // namespace

QString Resources::ReconstructString(const QString& OldString) const {
    QString result;
    result.reserve(OldString.size());
    for (const QChar c : OldString) {
        if (c == QLatin1Char('#'))
            result += QStringLiteral("\r\n");
        else
            result += c;
    }
    return result;
}

std::int16_t Resources::GatherDirList(bool SupressNotification) const {
    form_Dir& gatherer = SingleForm<form_Dir>();
    gatherer.SupressNotification = SupressNotification;
    gatherer.show();
    return 0;
}

void Resources::GatherVars() const {
    QString text;
    char** entries = ProcessEnvironment();
    for (int i = 0; entries && entries[i] && i < kEnvironmentEntries; ++i) {
        if (*entries[i])
            text += QString::fromLocal8Bit(entries[i]) + QStringLiteral("\r\n");
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

bool Resources::MakeSendTo(bool IconState, const QString& AppPath) const {
    return IconState ? SendToLink::Create(AppPath) : SendToLink::Remove();
}

void Resources::HelpAbout(const QString& Version) const {
    SingleForm<form_About>().ShowVersion(Version);
}

QString Resources::FindNameOnly(const QString& FullName) const {
    const qsizetype cut = std::max(FullName.lastIndexOf(QLatin1Char('\\')), FullName.lastIndexOf(QLatin1Char('/')));
    return FullName.mid(cut + 1);
}

bool Resources::ValidateMRU(const QString& vMRU) const {
    return QFileInfo(vMRU).isFile();
}

QString Resources::UniqueID(int Numeric) const {
    return LetterCode::Encode(double(Numeric) + double(NextFraction(Numeric)));
}

QString Resources::ProgramFile(const QString& FileName, const QString& AppPath) const {
    const QString beside = WinPaths::FindNoCase(AppPath, FileName);
    if (!beside.isEmpty())
        return beside;
    const QString data = QDir::cleanPath(QDir(AppPath).filePath(QStringLiteral(QLXRES_DATA_FROM_PROGRAM)));
    return WinPaths::FindNoCase(data, FileName);
}
