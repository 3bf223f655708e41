#include "TextEncoder.h"

#include "BlockScan.h"
#include "CodePage1252.h"
#include "LineEnds.h"

namespace {

using Encoding = TextFormat::Encoding;

// Characters converted at a time: the buffer stays small and warm in the cache.
constexpr qsizetype kPieceCharacters = 1 << 17;

bool IsSurrogate(char16_t c) {
    return (c & 0xF800) == 0xD800;
}

bool HasLoneSurrogate(QStringView text) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = BlockScan::NextBlockWith(in, 0, size, IsSurrogate); i < size;
         i = BlockScan::NextBlockWith(in, i, size, IsSurrogate)) {
        for (const qsizetype end = std::min(size, i + BlockScan::kBlock); i < end; ++i) {
            if (!IsSurrogate(in[i]))
                continue;
            if (!QChar::isHighSurrogate(in[i]) || i + 1 == size || !QChar::isLowSurrogate(in[i + 1]))
                return true;
            ++i;
        }
    }
    return false;
}

} // namespace

TextEncoder::TextEncoder(const TextFormat& format, const ByteSink& sink)
    : format_(&format), sink_(&sink),
      encoder_(ToolkitEncoding(format.encoding), QStringEncoder::Flag::Stateless),
      buffer_(SpaceFor(kPieceCharacters), Qt::Uninitialized) {
    const QByteArrayView bom = format.bom ? Bom(format.encoding) : QByteArrayView();
    used_ = std::copy(bom.begin(), bom.end(), buffer_.data()) - buffer_.data();
}

bool TextEncoder::Line(QStringView line) {
    // Every line but the first follows the end of the one before it.
    if (lines_ > 0 && !Put(LineEnds::Characters(LineEnds::EndOf(*format_, lines_ - 1))))
        return false;
    ++lines_;
    return Put(line);
}

bool TextEncoder::Finish() {
    return Flush();
}

QStringConverter::Encoding TextEncoder::ToolkitEncoding(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf16LE:
        return QStringConverter::Utf16LE;
    case Encoding::Utf16BE:
        return QStringConverter::Utf16BE;
    default:
        return QStringConverter::Utf8;
    }
}

QByteArrayView TextEncoder::Bom(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case Encoding::Utf16LE:
        return QByteArrayView("\xFF\xFE", 2);
    case Encoding::Utf16BE:
        return QByteArrayView("\xFE\xFF", 2);
    case Encoding::Cp1252:
        break;
    }
    return {};
}

bool TextEncoder::CanEncode(QStringView text, Encoding encoding) {
    return encoding == Encoding::Cp1252 ? CodePage1252::CanEncode(text) : !HasLoneSurrogate(text);
}

bool TextEncoder::Put(QStringView run) {
    while (!run.isEmpty()) {
        qsizetype take = std::min(run.size(), kPieceCharacters);
        // A surrogate pair is converted whole.
        if (take < run.size() && run[take - 1].isHighSurrogate())
            --take;
        if (used_ + SpaceFor(take) > buffer_.size() && !Flush())
            return false;
        used_ = EncodePiece(run.first(take), buffer_.data() + used_) - buffer_.constData();
        run = run.sliced(take);
    }
    return true;
}

char* TextEncoder::EncodePiece(QStringView piece, char* out) {
    switch (format_->encoding) {
    case Encoding::Cp1252:
        lost_ = !CodePage1252::Encode(piece, out) || lost_;
        return out + piece.size();
    case Encoding::Utf8:
        out = encoder_.appendToBuffer(out, piece);
        lost_ = lost_ || encoder_.hasError();
        return out;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    // The toolkit copies half of a surrogate pair into UTF-16 as it is.
    lost_ = lost_ || HasLoneSurrogate(piece);
    return encoder_.appendToBuffer(out, piece);
}

bool TextEncoder::Flush() {
    const bool taken = used_ == 0 || (*sink_)(QByteArrayView(buffer_.constData(), used_));
    used_ = 0;
    return taken;
}

qsizetype TextEncoder::SpaceFor(qsizetype characters) {
    return format_->encoding == Encoding::Cp1252 ? characters : encoder_.requiredSpace(characters);
}
