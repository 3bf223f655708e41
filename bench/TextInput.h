// The input of the text measurements: a large UTF-8 text file with CR LF line ends, long and
// short lines, and one word that occurs only in its last line.
#pragma once

#include <QString>

class TextInput {
public:
    static constexpr const char* kLastWord = "quillonzebra";

    // Writes about size bytes; returns the size written, or -1 when the file could not be written.
    static qint64 Write(const QString& path, qint64 size);
};
