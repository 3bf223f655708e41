// Turns the editors' text back into the bytes of its format, line by line: each line but the
// last is followed by its own end, in the file's encoding, after its byte-order mark. The bytes
// come out in pieces of bounded size, so that a large document is written without a second copy
// of it in memory.
#pragma once

#include "ByteSink.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

class TextEncoder {
public:
    // The sink must outlive the encoder.
    TextEncoder(const TextFormat& format, const ByteSink& sink);

    // The next line, without its end; false when the sink refused a piece. A character the
    // encoding has no place for becomes a replacement and is noted in Lost.
    bool Line(QStringView line);
    // Hands over the bytes still held; false when the sink refused them.
    bool Finish();
    // Whether some character so far had no place in the encoding (see CanEncode).
    bool Lost() const { return lost_; }

    static QStringConverter::Encoding ToolkitEncoding(TextFormat::Encoding encoding);
    static QByteArrayView Bom(TextFormat::Encoding encoding);
    // Code page 1252 holds only the characters of its table; the Unicode encodings hold every
    // character but not half of a surrogate pair.
    static bool CanEncode(QStringView text, TextFormat::Encoding encoding);

private:
    bool Put(QStringView run);
    char* EncodePiece(QStringView piece, char* out);
    bool Flush();
    qsizetype SpaceFor(qsizetype characters);

    const TextFormat* format_;
    const ByteSink* sink_;
    QStringEncoder encoder_;
    QByteArray buffer_;
    qsizetype used_ = 0;
    qsizetype lines_ = 0;
    bool lost_ = false;
};
