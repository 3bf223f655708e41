// Reads Rich Text Format into a document, for files and for the clipboard. Bytes that do not
// start as rich text are refused untouched, so that the caller can read them as plain text;
// anything after the start is read as far as it goes, whatever its faults.
#pragma once

#include <QByteArrayView>

#include <functional>

class QTextCursor;
class QTextDocument;

class RtfReader {
public:
    // Whether the bytes start "{\rtf", after white space at most.
    static bool IsRtf(QByteArrayView bytes);
    // Replaces the document's content; false, and the document untouched, when the bytes are no
    // rich text. The load is no step the user can undo. progress: told now and then how many bytes
    // have been read.
    static bool Read(QByteArrayView bytes, QTextDocument* document,
                     const std::function<void(qsizetype)>& progress = {});
    // Replaces the cursor's selection with the rich text, as one step to undo; false, and
    // nothing changed, when the bytes are no rich text.
    static bool Insert(QByteArrayView bytes, QTextCursor& cursor);
};
