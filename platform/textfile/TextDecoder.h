// Finds the encoding of a file's bytes and decodes them without losing one: a reading that could
// not give the same bytes back is never chosen.
#pragma once

#include "ByteSink.h"
#include "TextFormat.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Hands bytes over piece by piece, from the first; false when the sink refused one or the bytes
// could not be read. It may be asked for them more than once.
using ByteSource = std::function<bool(const ByteSink& sink)>;

class TextDecoder {
public:
    // Takes the text of each reading tried, piece by piece; the last one started is the one chosen.
    class Sink {
    public:
        virtual void Start() = 0;
        virtual void Take(QString&& text) = 0;

    protected:
        ~Sink() = default;
    };

    // The text with its line ends as they are; sets the encoding and mark of *format. By
    // byte-order mark; else UTF-16 told by its zero bytes; else strict UTF-8; else code page 1252.
    // Plain ASCII counts as code page 1252.
    static QString Decode(const QByteArray& bytes, TextFormat* format);
    // The same choice over bytes read piece by piece: the source is read once to look at the bytes,
    // then once for each reading tried, which stops at the first piece that fails it.
    static void Choose(const ByteSource& bytes, TextFormat* format, Sink& text);
};
