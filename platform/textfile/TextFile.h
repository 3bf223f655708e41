// Reading and writing documents without losing a byte: the encoding, byte-order mark and line-end
// style of a file are detected when it is read and written back the same way.
#pragma once

#include "FileError.h"
#include "LineSource.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Text as the editors hold it: lines joined by "\n", whatever ended them in the file; a file that
// ends with a line end gives a text that ends with "\n".
struct DecodedText {
    QString text;
    TextFormat format;
};

class TextFile {
public:
    // Encoding by byte-order mark; else UTF-16 without a mark, told by its zero bytes; else strict
    // UTF-8 (decoded without carrying state, so a cut sequence is no UTF-8); else code page 1252,
    // which plain ASCII also counts as. A reading that would not give the same bytes back is not
    // taken: such a file falls through to code page 1252, which holds any byte.
    static TextFormat Detect(const QByteArray& bytes);
    static DecodedText Decode(const QByteArray& bytes);

    // False when some character of the text has no place in the encoding.
    static bool CanEncode(const QString& text, TextFormat::Encoding encoding);
    // The bytes of the text in the format; an unedited text gives back the bytes it was read from.
    static QByteArray Encode(const QString& text, const TextFormat& format);

    // Reads the whole file; a folder, a device or an unreadable file is an error.
    static std::optional<FileError> Read(const QString& path, DecodedText* out);
    // Replaces the file atomically: on failure the file on disk is untouched.
    static std::optional<FileError> Write(const QString& path, const QByteArray& bytes);

    // Writes the lines in the format, replacing the file atomically. strict: the write stops at the
    // first character that the encoding cannot hold, leaving the file as it was, and *unencodable
    // says so; otherwise such a character is replaced.
    static std::optional<FileError> WriteLines(const QString& path, const LineSource& lines, const TextFormat& format,
                                               bool strict, bool* unencodable = nullptr);
    // The lines of a text whose lines are parted by "\n".
    static bool EachLine(QStringView text, const LineSink& sink);
};
