#include "TextFile.h"

#include "Dialogs.h"
#include "FileBytes.h"
#include "LineEnds.h"
#include "TextDecoder.h"
#include "TextEncoder.h"

namespace {

// The system's style of a failed file request; its lines are parted by CR alone.
QString FileErrorText(const QString& request, const QString& path, const QString& description,
                      const QString& outcome) {
    const QString cr = "\r";
    return "The request to " + request + ":" + cr + path + cr + "has generated an error:" + cr + cr +
           description + cr + cr + outcome;
}

} // namespace

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
    TextEncoder(format).Encode(text, [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
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

bool TextFile::Save(const QString& path, const QString& text, TextFormat* format) {
    if (!CanEncode(text, format->encoding)) {
        const int answer =
            qlx::MsgBox("This document contains characters that its file encoding cannot hold.  "
                        "Save it as UTF-8 instead?",
                        qlx::vbYesNo + qlx::vbQuestion, "Save as Unicode");
        if (answer != qlx::vbYes)
            return false;
        format->encoding = TextFormat::Encoding::Utf8;
        format->bom = false;
    }
    // Encoded straight into the file, piece by piece, without a copy of the document's bytes.
    const auto error = FileBytes::Write(
        path, [&](const ByteSink& sink) { return TextEncoder(*format).Encode(text, sink); });
    if (!error)
        return true;
    qlx::MsgBox(FileErrorText("save", path, error->description, "The file on disk has not been changed."),
                qlx::vbOKOnly + qlx::vbCritical, "QLX Save Error");
    return false;
}

void TextFile::ShowOpenError(const QString& path, const FileError& error) {
    qlx::MsgBox(FileErrorText("open", path, error.description, "The action has been canceled."),
                qlx::vbOKOnly + qlx::vbCritical, "QLX Open Error: " + QString::number(error.number));
}
