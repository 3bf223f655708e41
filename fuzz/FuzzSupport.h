// What every fuzz target shares: a check that stops the run on a broken property, so that libFuzzer
// keeps the input as a crash and a replay fails on it, and the one application some readers need.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// Stops the process with the failed condition and where it is.
#define QLX_CHECK(condition)                                                                           \
    do {                                                                                               \
        if (!(condition))                                                                              \
            FuzzSupport::Fail(#condition, __FILE__, __LINE__);                                         \
    } while (false)

// The same for two values that must be equal; both are printed when they are not.
#define QLX_CHECK_EQUAL(a, b)                                                                          \
    do {                                                                                               \
        if (!((a) == (b)))                                                                             \
            FuzzSupport::FailEqual(#a " == " #b, FuzzSupport::Show(a), FuzzSupport::Show(b), __FILE__,  \
                                   __LINE__);                                                          \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

class FuzzSupport {
public:
    [[noreturn]] static void Fail(const char* condition, const char* file, int line);
    [[noreturn]] static void FailEqual(const char* condition, const QString& a, const QString& b, const char* file,
                                       int line);
    static QString Show(const QString& text) { return text; }
    static QString Show(const QStringList& lines) { return lines.join(QLatin1Char('\n')); }
    static QString Show(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }
    static QString Show(qint64 number) { return QString::number(number); }

    // A widget application on the offscreen platform, made on the first call and kept to the end.
    // Defined apart, in FuzzApplication.cpp with the program's library, so that the targets that
    // need no application link no widgets.
    static void StartApplication();
    // The input as bytes, without a copy: it must not outlive data.
    static QByteArray Bytes(const std::uint8_t* data, std::size_t size);
};
