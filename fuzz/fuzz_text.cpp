// The text layer: any bytes decode to a text that encodes back, in the format found, to the same
// bytes. That text, written in a Unicode encoding with its byte-order mark and the line end the
// input's first byte picks, decodes again to the same text and format. Read from a file a few
// bytes at a time, the bytes give the same text and format as whole.
#include "FuzzSupport.h"
#include "TextFile.h"
#include "TextPieces.h"

#include <QTemporaryFile>

namespace {
using Encoding = TextFormat::Encoding;
using LineEnd = TextFormat::LineEnd;

void CheckMarkedRoundTrip(const QString& text, Encoding encoding, LineEnd lineEnd) {
    if (!TextFile::CanEncode(text, encoding))
        return;
    TextFormat format;
    format.encoding = encoding;
    format.bom = true;
    format.lineEnd = lineEnd;
    const DecodedText decoded = TextFile::Decode(TextFile::Encode(text, format));
    QLX_CHECK_EQUAL(decoded.text, text);
    QLX_CHECK(decoded.format.encoding == encoding);
    QLX_CHECK(decoded.format.bom);
    QLX_CHECK(decoded.format.mixedLineEnds.empty());
    QLX_CHECK(!text.contains(QLatin1Char('\n')) || decoded.format.lineEnd == lineEnd);
}
void CheckPieces(const QByteArray& bytes, const DecodedText& whole, qsizetype pieceBytes) {
    QTemporaryFile file;
    QLX_CHECK(file.open() && file.write(bytes) == bytes.size() && file.flush());
    TextPieces pieces(file.fileName(), pieceBytes);
    QLX_CHECK(!pieces.Open());
    QString text;
    for (QString piece; pieces.Next(&piece);)
        text += piece;
    QLX_CHECK(!pieces.Error());
    QLX_CHECK_EQUAL(text, whole.text);
    const TextFormat& format = pieces.Format();
    QLX_CHECK(format.encoding == whole.format.encoding && format.bom == whole.format.bom);
    QLX_CHECK(format.lineEnd == whole.format.lineEnd && format.mixedLineEnds == whole.format.mixedLineEnds);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    const DecodedText decoded = TextFile::Decode(bytes);
    QLX_CHECK_EQUAL(TextFile::Encode(decoded.text, decoded.format), bytes);
    QLX_CHECK(TextFile::CanEncode(decoded.text, decoded.format.encoding));
    CheckPieces(bytes, decoded, 1 + qsizetype(size % 5));

    const LineEnd lineEnd = size > 0 ? LineEnd(data[0] % 3) : LineEnd::CRLF;
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE})
        CheckMarkedRoundTrip(decoded.text, encoding, lineEnd);
    return 0;
}
