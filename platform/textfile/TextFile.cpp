#include "TextFile.h"

#include "FileBytes.h"
#include "LineEnds.h"
#include "TextDecoder.h"
#include "TextEncoder.h"

TextFormat TextFile::Detect(const QByteArray& bytes) {
    return Decode(bytes).format;
}

DecodedText TextFile::Decode(const QByteArray& bytes) {
    DecodedText decoded;
    decoded.text = TextDecoder::Decode(bytes, &decoded.format);
    LineEnds::Split(&decoded.text, &decoded.format);
    return decoded;
}

bool TextFile::CanEncode(const QString& text, TextFormat::Encoding encoding) {
    return TextEncoder::CanEncode(text, encoding);
}

QByteArray TextFile::Encode(const QString& text, const TextFormat& format) {
    QByteArray bytes;
    bytes.reserve(text.size() + 3);
    const ByteSink sink = [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    };
    TextEncoder encoder(format, sink);
    EachLine(text, [&encoder](QStringView line) { return encoder.Line(line); });
    encoder.Finish();
    return bytes;
}

std::optional<FileError> TextFile::Read(const QString& path, DecodedText* out) {
    QByteArray bytes;
    if (auto error = FileBytes::Read(path, &bytes))
        return error;
    *out = Decode(bytes);
    return std::nullopt;
}

std::optional<FileError> TextFile::Write(const QString& path, const QByteArray& bytes) {
    return FileBytes::Write(path, [&bytes](const ByteSink& sink) { return sink(bytes); });
}

bool TextFile::EachLine(QStringView text, const LineSink& sink) {
    for (qsizetype end; (end = text.indexOf(u'\n')) >= 0; text = text.sliced(end + 1))
        if (!sink(text.first(end)))
            return false;
    return sink(text);
}

std::optional<FileError> TextFile::WriteLines(const QString& path, const LineSource& lines, const TextFormat& format,
                                              bool strict, bool* unencodable) {
    // Encoded straight into the file, piece by piece, without a copy of the document's bytes.
    return FileBytes::Write(path, [&](const ByteSink& sink) {
        TextEncoder encoder(format, sink);
        const bool whole = lines([&](QStringView line) { return encoder.Line(line) && !(strict && encoder.Lost()); });
        if (unencodable)
            *unencodable = strict && encoder.Lost();
        return whole && encoder.Finish();
    });
}
