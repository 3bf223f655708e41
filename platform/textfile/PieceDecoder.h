// Decodes bytes in one encoding as they come, piece by piece, into the text they give whole: the
// bytes of a character cut at the end of a piece wait for the next one. The reading is strict:
// bytes that are not well formed in the encoding, a half of a surrogate pair, or a character cut
// off at the very end fail it. Code page 1252 holds any byte.
#pragma once

#include "TextFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class PieceDecoder {
public:
    // With bom, the bytes start with the encoding's byte-order mark, which is no text.
    PieceDecoder(TextFormat::Encoding encoding, bool bom);

    // The text of the whole characters so far that no piece before gave.
    QString Add(QByteArrayView piece);
    // After the last piece: false when the reading failed.
    bool Finish();
    bool Failed() const { return failed_; }

private:
    // How many of the bytes, from the first, hold whole characters.
    qsizetype WholeCharacters(QByteArrayView bytes) const;
    QString Decode(QByteArrayView bytes);

    TextFormat::Encoding encoding_;
    QStringDecoder decoder_;
    qsizetype markLeft_;
    QByteArray held_;
    bool failed_ = false;
};
