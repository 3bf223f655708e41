#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

void FuzzSupport::Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

void FuzzSupport::FailEqual(const char* condition, const QString& a, const QString& b, const char* file, int line) {
    std::fprintf(stderr, "--- first:\n%s\n--- second:\n%s\n", qPrintable(a), qPrintable(b));
    Fail(condition, file, line);
}

QByteArray FuzzSupport::Bytes(const std::uint8_t* data, std::size_t size) {
    // Not copied: a read past the input's end is one past the fuzzer's own allocation.
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}
