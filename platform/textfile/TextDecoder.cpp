#include "TextDecoder.h"

#include "CodePage1252.h"
#include "TextEncoder.h"

#include <QStringDecoder>

#include <optional>

namespace {

using Encoding = TextFormat::Encoding;

// The text of bytes in a Unicode encoding, or nothing when they are not well formed in it. The
// decoder keeps no state, so a sequence cut off at the end is an error, not a pending character.
std::optional<QString> DecodeUnicode(QByteArrayView bytes, Encoding encoding) {
    if (encoding != Encoding::Utf8 && bytes.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(TextEncoder::ToolkitEncoding(encoding),
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    // The UTF-16 decoder passes half pairs through; they could not be written back.
    if (decoder.hasError() || (encoding != Encoding::Utf8 && !TextEncoder::CanEncode(text, encoding)))
        return std::nullopt;
    return text;
}

QString DecodeCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    CodePage1252::Decode(bytes.data(), bytes.size(), reinterpret_cast<char16_t*>(text.data()));
    return text;
}

// UTF-16 without a mark shows itself by zero bytes that nearly all fall at one parity: the high
// bytes of Latin characters.
std::optional<Encoding> Utf16ByZeroBytes(QByteArrayView bytes) {
    if (bytes.size() % 2 != 0 || !bytes.contains('\0'))
        return std::nullopt;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        even += data[i] == 0;
        odd += data[i + 1] == 0;
    }
    const qsizetype enough = bytes.size() / 2 / 10;
    if (odd > enough && even <= odd / 10)
        return Encoding::Utf16LE;
    if (even > enough && odd <= even / 10)
        return Encoding::Utf16BE;
    return std::nullopt;
}

// Bytes of another kind read as UTF-16 give characters no text holds: unassigned or private ones,
// or control characters other than the line and page ones.
bool LooksLikeText(QStringView text) {
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        switch (QChar::category(c)) {
        case QChar::Other_NotAssigned:
        case QChar::Other_PrivateUse:
            return false;
        case QChar::Other_Control:
            if (c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f')
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

std::optional<QString> DecodeMarked(const QByteArray& bytes, TextFormat* format) {
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        const QByteArrayView bom = TextEncoder::Bom(encoding);
        if (!bytes.startsWith(bom))
            continue;
        if (auto text = DecodeUnicode(QByteArrayView(bytes).sliced(bom.size()), encoding)) {
            format->encoding = encoding;
            format->bom = true;
            return text;
        }
    }
    return std::nullopt;
}

std::optional<QString> DecodeUtf16ByZeroBytes(const QByteArray& bytes, TextFormat* format) {
    const auto encoding = Utf16ByZeroBytes(bytes);
    if (!encoding)
        return std::nullopt;
    auto text = DecodeUnicode(bytes, *encoding);
    if (!text || !LooksLikeText(*text))
        return std::nullopt;
    format->encoding = *encoding;
    return text;
}

} // namespace

QString TextDecoder::Decode(const QByteArray& bytes, TextFormat* format) {
    format->bom = false;
    if (auto text = DecodeMarked(bytes, format))
        return std::move(*text);
    if (auto text = DecodeUtf16ByZeroBytes(bytes, format))
        return std::move(*text);
    if (auto text = DecodeUnicode(bytes, Encoding::Utf8)) {
        // Plain ASCII is taken as the code page, so that a character typed later is written as a
        // single byte, as the file's other programs expect.
        format->encoding = text->size() == bytes.size() ? Encoding::Cp1252 : Encoding::Utf8;
        return std::move(*text);
    }
    format->encoding = Encoding::Cp1252;
    return DecodeCp1252(bytes);
}
