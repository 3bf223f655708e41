// The ends of the lines of a text: read as CR LF, CR or LF and held as "\n"; written back as the
// file had them.
#pragma once

#include "TextFormat.h"

#include <QString>
#include <QStringView>

class LineEnds {
public:
    // Turns every line end of the text into "\n" in place and notes in *format how the lines
    // ended: the first line end's style, and each line's own end when they differ.
    static void Split(QString* text, TextFormat* format);

    // How line number index (from 0) ends when the text is written in the format.
    static TextFormat::LineEnd EndOf(const TextFormat& format, qsizetype index);
    static QStringView Characters(TextFormat::LineEnd end);
};
