#include "RtfReader.h"

#include "RtfDocumentBuilder.h"
#include "RtfInterpreter.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

void ReadInto(QByteArrayView bytes, QTextCursor& cursor, RtfDocumentBuilder::Mode mode,
              const std::function<void(qsizetype)>& progress = {}) {
    RtfDocumentBuilder builder(cursor, mode);
    RtfInterpreter(builder).Run(bytes, progress);
}

} // namespace

bool RtfReader::IsRtf(QByteArrayView bytes) {
    qsizetype start = 0;
    while (start < bytes.size() && QByteArrayView(" \t\r\n").contains(bytes[start]))
        ++start;
    return bytes.sliced(start).startsWith("{\\rtf");
}

bool RtfReader::Read(QByteArrayView bytes, QTextDocument* document, const std::function<void(qsizetype)>& progress) {
    if (!IsRtf(bytes))
        return false;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    ReadInto(bytes, cursor, RtfDocumentBuilder::Mode::Replace, progress);
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    return true;
}

bool RtfReader::Insert(QByteArrayView bytes, QTextCursor& cursor) {
    if (!IsRtf(bytes))
        return false;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    ReadInto(bytes, cursor, RtfDocumentBuilder::Mode::Insert);
    cursor.endEditBlock();
    return true;
}
