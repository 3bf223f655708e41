#include "TextFile.h"

#include "BackupCopy.h"
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

// The lines of a text whose lines are parted by "\n".
bool EachLine(QStringView text, const LineSink& sink) {
    for (qsizetype end; (end = text.indexOf(u'\n')) >= 0; text = text.sliced(end + 1))
        if (!sink(text.first(end)))
            return false;
    return sink(text);
}

// Encodes the lines straight into the file, piece by piece, without a copy of the document's
// bytes. Given unencodable, the writing stops at the first character that the encoding cannot
// hold, which leaves the file as it was, and sets it; otherwise such a character is replaced.
std::optional<FileError> WriteLines(const QString& path, const LineSource& lines, const TextFormat& format,
                                    bool* unencodable) {
    return FileBytes::Write(path, [&](const ByteSink& sink) {
        TextEncoder encoder(format, sink);
        const bool whole =
            lines([&](QStringView line) { return encoder.Line(line) && !(unencodable && encoder.Lost()); });
        if (unencodable)
            *unencodable = encoder.Lost();
        return whole && encoder.Finish();
    });
}

bool AskSaveAsUnicode() {
    return qlx::MsgBox("This document contains characters that its file encoding cannot hold.  "
                       "Save it as UTF-8 instead?",
                       qlx::vbYesNo + qlx::vbQuestion, "Save as Unicode") == qlx::vbYes;
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

bool TextFile::Save(const QString& path, const QString& text, TextFormat* format) {
    return Save(
        path, [&text](const LineSink& sink) { return EachLine(text, sink); }, format);
}

bool TextFile::Save(const QString& path, const LineSource& lines, TextFormat* format) {
    MentionLeftCopies(path);
    // The file's encoding nearly always holds the text, so it is written at once and checked on
    // the way rather than scanned beforehand.
    bool unencodable = false;
    auto error = WriteLines(path, lines, *format, &unencodable);
    if (unencodable) {
        if (!AskSaveAsUnicode())
            return false;
        format->encoding = TextFormat::Encoding::Utf8;
        format->bom = false;
        // Only half of a surrogate pair does not fit UTF-8; it is replaced.
        error = WriteLines(path, lines, *format, nullptr);
    }
    if (!error)
        return true;
    qlx::MsgBox(FileErrorText("save", path, error->description, "The file on disk has not been changed."),
                qlx::vbOKOnly + qlx::vbCritical, "QLX Save Error");
    return false;
}

void TextFile::MentionLeftCopies(const QString& path) {
    QStringList lines;
    for (const LeftCopy& left : BackupCopy::Left(path))
        lines << QString("A save of %1 that did not finish left its old contents in %2.")
                     .arg(left.document, left.copy);
    if (lines.isEmpty())
        return;
    qlx::MsgBox(lines.join("\r") + "\r\rA copy is kept until it is deleted.",
                qlx::vbOKOnly + qlx::vbExclamation, "QLX Backup Copy");
}

void TextFile::ShowOpenError(const QString& path, const FileError& error) {
    qlx::MsgBox(FileErrorText("open", path, error.description, "The action has been canceled."),
                qlx::vbOKOnly + qlx::vbCritical, "QLX Open Error: " + QString::number(error.number));
}
