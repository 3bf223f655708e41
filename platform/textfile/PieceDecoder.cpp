#include "PieceDecoder.h"

#include "CodePage1252.h"
#include "TextEncoder.h"

namespace {

using Encoding = TextFormat::Encoding;

// The length of the UTF-8 sequence that starts with the byte; 0 for a byte inside one.
int Utf8Length(unsigned char byte) {
    if ((byte & 0xC0) == 0x80)
        return 0;
    if ((byte & 0xE0) == 0xC0)
        return 2;
    if ((byte & 0xF0) == 0xE0)
        return 3;
    if ((byte & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

PieceDecoder::PieceDecoder(Encoding encoding, bool bom)
    : encoding_(encoding),
      // Without state, a sequence cut off at the end is an error, not a pending character. A mark
      // past the first is a character of the text.
      decoder_(TextEncoder::ToolkitEncoding(encoding),
               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom),
      markLeft_(bom ? TextEncoder::Bom(encoding).size() : 0) {}

QString PieceDecoder::Add(QByteArrayView piece) {
    const qsizetype mark = std::min(markLeft_, piece.size());
    markLeft_ -= mark;
    piece = piece.sliced(mark);
    if (held_.isEmpty())
        return Decode(piece);
    held_.append(piece);
    const QByteArray bytes = std::exchange(held_, QByteArray());
    return Decode(bytes);
}

QString PieceDecoder::Decode(QByteArrayView bytes) {
    const qsizetype whole = WholeCharacters(bytes);
    held_ = bytes.sliced(whole).toByteArray();
    bytes = bytes.first(whole);
    if (encoding_ == Encoding::Cp1252) {
        QString text(bytes.size(), Qt::Uninitialized);
        CodePage1252::Decode(bytes.data(), bytes.size(), reinterpret_cast<char16_t*>(text.data()));
        return text;
    }
    QString text = decoder_.decode(bytes);
    // The UTF-16 decoder passes half pairs through; they could not be written back.
    failed_ = failed_ || decoder_.hasError() ||
              (encoding_ != Encoding::Utf8 && !TextEncoder::CanEncode(text, encoding_));
    return text;
}

bool PieceDecoder::Finish() {
    failed_ = failed_ || !held_.isEmpty();
    return !failed_;
}

qsizetype PieceDecoder::WholeCharacters(QByteArrayView bytes) const {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    switch (encoding_) {
    case Encoding::Cp1252:
        return size;
    case Encoding::Utf8:
        // A sequence whose first byte is among the last three may go on in the next piece.
        for (qsizetype start = size - 1; start >= 0 && start >= size - 3; --start)
            if (const int length = Utf8Length(data[start]))
                return start + length > size ? start : size;
        return size;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    // Whole code units, and a high surrogate waits for its other half.
    qsizetype whole = size & ~qsizetype(1);
    if (whole >= 2) {
        const bool little = encoding_ == Encoding::Utf16LE;
        const char16_t last = char16_t(little ? data[whole - 2] | data[whole - 1] << 8
                                              : data[whole - 2] << 8 | data[whole - 1]);
        if (QChar::isHighSurrogate(last))
            whole -= 2;
    }
    return whole;
}
