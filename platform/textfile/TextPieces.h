// A text file read a piece at a time, so that neither all its bytes nor all its text are held at
// once. A first look over the bytes finds the encoding and mark as TextFile::Decode does, and the
// longest line; then the pieces come in order, each of whole lines ending in "\n" (but the last).
// Joined, they are the text TextFile::Decode gives; after the last, Format is the format it gives.
#pragma once

#include "FileBytes.h"
#include "FileError.h"
#include "FileStamp.h"
#include "LineEnds.h"
#include "PieceDecoder.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QString>

#include <optional>

class TextPieces {
public:
    static constexpr qsizetype kPieceBytes = 4 << 20;

    explicit TextPieces(QString path, qsizetype pieceBytes = kPieceBytes);

    // Looks over the file; a folder, a device or an unreadable file is an error.
    std::optional<FileError> Open();

    // The encoding and mark from the opening on; the line ends once Next has said there is no more.
    const TextFormat& Format() const { return format_; }
    // Bytes of the file and bytes read into pieces so far.
    qint64 Size() const { return file_.Size(); }
    qint64 Done() const { return done_; }
    // The characters of the longest line, without its end.
    qint64 LongestLine() const { return longestLine_; }

    // The next piece; false at the end or on an error. Once all bytes are read, the stamp of the
    // bytes is noted (FileStamp::Last).
    bool Next(QString* piece);
    const std::optional<FileError>& Error() const { return error_; }

private:
    bool ReadAll(const ByteSink& sink);
    // The text of the next bytes, with its line ends as "\n".
    QString NextText();
    // After the last bytes.
    void Finish();

    QString path_;
    qsizetype pieceBytes_;
    FileBytes::Reader file_;
    QByteArray bytes_;
    TextFormat format_;
    qint64 longestLine_ = 0;
    qint64 done_ = 0;
    std::optional<PieceDecoder> decoder_;
    LineEnds ends_{&format_};
    FileStamp::Builder stamp_;
    // The start of a line whose end is still to come.
    QString rest_;
    std::optional<FileError> error_;
};
