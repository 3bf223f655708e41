// The input of the text measurements: a large UTF-8 text file with CR LF line ends and one word
// that occurs only in its last line.
#pragma once

#include <QString>

class TextInput {
public:
    static constexpr const char* kLastWord = "quillonzebra";

    // Realistic: lines of 10 to 110 characters, as most text files have. Long: a quarter of the
    // lines 2000 characters, like wrapped prose or data, the rest 10 to 80.
    enum class Lines { Realistic, Long };

    // Writes about size bytes; returns the size written, or -1 when the file could not be written.
    static qint64 Write(const QString& path, qint64 size, Lines lines);
};
