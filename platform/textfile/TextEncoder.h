// Turns the editors' text back into the bytes of its format: each "\n" becomes the line's own
// end, in the file's encoding, after its byte-order mark. The bytes come out in pieces of bounded
// size, so that a large document is written without a second copy of it in memory.
#pragma once

#include "ByteSink.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

class TextEncoder {
public:
    explicit TextEncoder(const TextFormat& format);

    // Hands the bytes to sink; false when the sink refused a piece. A character the encoding has
    // no place for becomes a replacement (see CanEncode).
    bool Encode(QStringView text, const ByteSink& sink);

    static QStringConverter::Encoding ToolkitEncoding(TextFormat::Encoding encoding);
    static QByteArrayView Bom(TextFormat::Encoding encoding);
    // Code page 1252 holds only the characters of its table; the Unicode encodings hold every
    // character but not half of a surrogate pair.
    static bool CanEncode(QStringView text, TextFormat::Encoding encoding);

private:
    bool Put(QStringView run);
    bool Flush();
    qsizetype SpaceFor(qsizetype characters);

    const TextFormat* format_;
    QStringEncoder encoder_;
    QByteArray buffer_;
    qsizetype used_ = 0;
    const ByteSink* sink_ = nullptr;
};
