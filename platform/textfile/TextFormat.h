// How a text file was written: its encoding, byte-order mark and line ends.
#pragma once

#include <cstdint>
#include <vector>

struct TextFormat {
    enum class Encoding { Cp1252, Utf8, Utf16LE, Utf16BE };
    enum class LineEnd : std::uint8_t { CRLF, LF, CR };

    // A new document is written with CR LF in code page 1252.
    Encoding encoding = Encoding::Cp1252;
    bool bom = false;
    LineEnd lineEnd = LineEnd::CRLF;
    // Only for a file whose lines end in more than one way: the end of each line as read, so an
    // unedited text is written back byte for byte. Lines past the list end with lineEnd.
    std::vector<LineEnd> mixedLineEnds;
};
