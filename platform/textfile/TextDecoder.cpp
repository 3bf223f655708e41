#include "TextDecoder.h"

#include "PieceDecoder.h"
#include "TextEncoder.h"

#include <optional>

namespace {

using Encoding = TextFormat::Encoding;

// What a look over all the bytes tells before any reading: how they start, how many they are
// and where their zero bytes fall.
struct Survey {
    QByteArray head;
    qint64 size = 0;
    qint64 zeros[2] = {0, 0}; // at even and odd offsets
};

Survey Look(const ByteSource& bytes) {
    Survey survey;
    bytes([&survey](QByteArrayView piece) {
        const qsizetype headBytes = 3;
        if (survey.head.size() < headBytes)
            survey.head.append(piece.first(std::min(piece.size(), headBytes - survey.head.size())));
        if (piece.contains('\0')) {
            const auto* data = reinterpret_cast<const unsigned char*>(piece.data());
            for (qsizetype i = 0; i < piece.size(); ++i)
                survey.zeros[(survey.size + i) % 2] += data[i] == 0;
        }
        survey.size += piece.size();
        return true;
    });
    return survey;
}

// UTF-16 without a mark shows itself by zero bytes that nearly all fall at one parity: the high
// bytes of Latin characters.
std::optional<Encoding> Utf16ByZeroBytes(const Survey& survey) {
    if (survey.size % 2 != 0)
        return std::nullopt;
    const qint64 even = survey.zeros[0];
    const qint64 odd = survey.zeros[1];
    const qint64 enough = survey.size / 2 / 10;
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

bool AnyText(QStringView) {
    return true;
}

// Reads the bytes in the encoding, handing their text to the sink: the number of characters, or
// nothing when the bytes are not well formed in it or some text is not accepted.
std::optional<qint64> Read(const ByteSource& bytes, Encoding encoding, bool bom, TextDecoder::Sink& sink,
                           bool (*accept)(QStringView) = AnyText) {
    PieceDecoder decoder(encoding, bom);
    qint64 characters = 0;
    sink.Start();
    const bool whole = bytes([&](QByteArrayView piece) {
        QString text = decoder.Add(piece);
        if (decoder.Failed() || !accept(text))
            return false;
        characters += text.size();
        sink.Take(std::move(text));
        return true;
    });
    if (!whole || !decoder.Finish())
        return std::nullopt;
    return characters;
}

} // namespace

QString TextDecoder::Decode(const QByteArray& bytes, TextFormat* format) {
    class Whole final : public Sink {
    public:
        void Start() override { text.clear(); }
        // Bytes handed over whole give one piece, which is kept without a copy.
        void Take(QString&& piece) override {
            if (text.isEmpty())
                text = std::move(piece);
            else
                text += piece;
        }
        QString text;
    } whole;
    Choose([&bytes](const ByteSink& sink) { return sink(bytes); }, format, whole);
    return std::move(whole.text);
}

void TextDecoder::Choose(const ByteSource& bytes, TextFormat* format, Sink& text) {
    const Survey survey = Look(bytes);
    format->bom = false;
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        if (survey.head.startsWith(TextEncoder::Bom(encoding)) && Read(bytes, encoding, true, text)) {
            format->encoding = encoding;
            format->bom = true;
            return;
        }
    }
    if (const auto encoding = Utf16ByZeroBytes(survey);
        encoding && Read(bytes, *encoding, false, text, LooksLikeText)) {
        format->encoding = *encoding;
        return;
    }
    if (const auto characters = Read(bytes, Encoding::Utf8, false, text)) {
        // Plain ASCII is taken as the code page, so that a character typed later is written as a
        // single byte, as the file's other programs expect.
        format->encoding = *characters == survey.size ? Encoding::Cp1252 : Encoding::Utf8;
        return;
    }
    format->encoding = Encoding::Cp1252;
    Read(bytes, Encoding::Cp1252, false, text);
}
