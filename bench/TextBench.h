// The text measurements, done the program's way ("ours") and the bare toolkit's way, each side in
// a fresh process: open, save, then Find Next. Every step is timed until the event queue is idle.
#pragma once

#include "ChildRun.h"

#include <QString>

class TextBench {
public:
    TextBench(const QString& input, const QString& folder) : input_(input), folder_(folder) {}

    const QString& Input() const { return input_; }

    // Open: read, decode and show in the text window, against QPlainTextEdit::setPlainText.
    // Save: the program's whole save of the file (check, encode, replace), against the pad's text
    // encoded with QString::toUtf8 and written through QSaveFile.
    // Find Next from the top for a word that occurs only at the end: the search dialog's button,
    // which also selects the word and scrolls to it, against the document's find, the word
    // selected in the pad.
    void Ours(const ChildRun::Record& record) const;
    void Bare(const ChildRun::Record& record) const;

private:
    QString input_;
    QString folder_;
};
