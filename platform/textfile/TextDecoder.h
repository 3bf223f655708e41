// Finds the encoding of a file's bytes and decodes them without losing one: a reading that could
// not give the same bytes back is never chosen.
#pragma once

#include "TextFormat.h"

#include <QByteArray>
#include <QString>

class TextDecoder {
public:
    // The text with its line ends as they are; sets the encoding and mark of *format. By
    // byte-order mark; else UTF-16 told by its zero bytes; else strict UTF-8; else code page 1252.
    // Plain ASCII counts as code page 1252.
    static QString Decode(const QByteArray& bytes, TextFormat* format);
};
