// The rich-text measurements: opening and saving a 5 MB rich-text document in the rich-text
// window ("ours") against the bare toolkit's QTextEdit given the same content as HTML through
// QTextDocument::setHtml and writing it back with toHtml ("bare"). Each side runs in a fresh
// process; every step is timed until the event queue is idle.
#pragma once

#include "ChildRun.h"

#include <QString>

class RtfBench {
public:
    // Writes the inputs into the folder: the same paragraphs as rich text and as HTML, with runs in
    // three fonts, five sizes and four colours, bold, italic and underline, bulleted paragraphs and
    // characters beyond code page 1252.
    explicit RtfBench(const QString& folder);

    QString RtfPath() const { return folder_ + "/input.rtf"; }
    QString HtmlPath() const { return folder_ + "/input.html"; }
    bool Ready() const { return ready_; }

    // Open: read the file and show it in the window. Save: write the open document back, as rich
    // text to its own file, as HTML beside it.
    void Ours(const ChildRun::Record& record) const;
    void Bare(const ChildRun::Record& record) const;

private:
    QString folder_;
    bool ready_ = false;
};
