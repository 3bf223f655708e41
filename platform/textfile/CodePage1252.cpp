#include "CodePage1252.h"

#include "BlockScan.h"

#include <array>

namespace {

// 0x80 to 0x9F; the rest of the code page is the same as Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> MakeTable() {
    std::array<char16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
        table[i] = i >= 0x80 && i < 0xA0 ? kHighControls[i - 0x80] : char16_t(i);
    return table;
}

constexpr std::array<char16_t, 256> kTable = MakeTable();

bool NotAscii(unsigned c) {
    return c >= 0x80;
}

} // namespace

char16_t CodePage1252::ToUnicode(unsigned char byte) {
    return kTable[byte];
}

int CodePage1252::FromUnicode(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100))
        return c;
    for (unsigned i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return int(0x80 + i);
    return -1;
}

void CodePage1252::Decode(const char* bytes, qsizetype size, char16_t* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    for (qsizetype i = 0; i < size; i += BlockScan::kBlock) {
        const qsizetype end = std::min(size, i + BlockScan::kBlock);
        if (BlockScan::AnyInBlock(in + i, size - i, NotAscii)) {
            for (qsizetype j = i; j < end; ++j)
                out[j] = kTable[in[j]];
        } else {
            for (qsizetype j = i; j < end; ++j)
                out[j] = in[j];
        }
    }
}

bool CodePage1252::Encode(QStringView text, char* out) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    bool placed = true;
    for (qsizetype i = 0; i < size; i += BlockScan::kBlock) {
        const qsizetype end = std::min(size, i + BlockScan::kBlock);
        if (BlockScan::AnyInBlock(in + i, size - i, NotAscii)) {
            for (qsizetype j = i; j < end; ++j) {
                const int byte = FromUnicode(in[j]);
                placed = placed && byte >= 0;
                out[j] = byte < 0 ? '?' : char(byte);
            }
        } else {
            for (qsizetype j = i; j < end; ++j)
                out[j] = char(in[j]);
        }
    }
    return placed;
}

bool CodePage1252::CanEncode(QStringView text) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = BlockScan::NextBlockWith(in, 0, size, NotAscii); i < size;
         i = BlockScan::NextBlockWith(in, i, size, NotAscii)) {
        for (const qsizetype end = std::min(size, i + BlockScan::kBlock); i < end; ++i)
            if (FromUnicode(in[i]) < 0)
                return false;
    }
    return true;
}
