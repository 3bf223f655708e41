// The ends of the lines of a text: read as CR LF, CR or LF and held as "\n"; written back as the
// file had them.
#pragma once

#include "TextFormat.h"

#include <QString>
#include <QStringView>

class LineEnds {
public:
    // Notes into *format how the lines of a text end, as its pieces are split in order.
    explicit LineEnds(TextFormat* format);

    // Turns every line end of the next piece of the text into "\n" in place and notes how the
    // lines ended: the first line end's style, and each line's own end when they differ. A CR that
    // ends the piece may be the first half of a CR LF whose LF starts the next piece.
    void SplitPiece(QString* piece);
    // After the last piece: notes the end still open.
    void Finish();
    // The same for a whole text at once.
    static void Split(QString* text, TextFormat* format);

    // How line number index (from 0) ends when the text is written in the format.
    static TextFormat::LineEnd EndOf(const TextFormat& format, qsizetype index);
    static QStringView Characters(TextFormat::LineEnd end);

private:
    // Notes the ends one by one; the list of every line's end is kept only once two styles met.
    void Note(TextFormat::LineEnd end, qsizetype times = 1);

    TextFormat* format_;
    qsizetype count_ = 0;
    bool mixed_ = false;
    // The piece before ended with a CR whose kind the next piece tells.
    bool openCR_ = false;
};
