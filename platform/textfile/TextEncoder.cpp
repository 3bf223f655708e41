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

TextEncoder::TextEncoder(const TextFormat& format)
    : format_(&format), encoder_(ToolkitEncoding(format.encoding), QStringEncoder::Flag::Stateless),
      buffer_(SpaceFor(kPieceCharacters), Qt::Uninitialized) {}

bool TextEncoder::Encode(QStringView text, const ByteSink& sink) {
    sink_ = &sink;
    const QByteArrayView bom = format_->bom ? Bom(format_->encoding) : QByteArrayView();
    used_ = std::copy(bom.begin(), bom.end(), buffer_.data()) - buffer_.data();
    qsizetype from = 0;
    for (qsizetype line = 0;; ++line) {
        const qsizetype end = text.indexOf(u'\n', from);
        if (end < 0)
            break;
        if (!Put(text.sliced(from, end - from)) ||
            !Put(LineEnds::Characters(LineEnds::EndOf(*format_, line))))
            return false;
        from = end + 1;
    }
    return Put(text.sliced(from)) && Flush();
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
        char* out = buffer_.data() + used_;
        const QStringView piece = run.first(take);
        out = format_->encoding == Encoding::Cp1252 ? CodePage1252::Encode(piece, out)
                                                    : encoder_.appendToBuffer(out, piece);
        used_ = out - buffer_.constData();
        run = run.sliced(take);
    }
    return true;
}

bool TextEncoder::Flush() {
    const bool taken = used_ == 0 || (*sink_)(QByteArrayView(buffer_.constData(), used_));
    used_ = 0;
    return taken;
}

qsizetype TextEncoder::SpaceFor(qsizetype characters) {
    return format_->encoding == Encoding::Cp1252 ? characters : encoder_.requiredSpace(characters);
}
