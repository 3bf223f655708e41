// Puts what the reader found into a document through one cursor: runs of text with one format are
// joined and a paragraph is inserted whole when it ends, so its block format and list are known.
// The paragraph a paragraph mark opens is made only once something goes into it, so that the mark
// that ends the text opens no empty paragraph.
// Replacing fills an emptied document; inserting puts a fragment at the cursor, the last part
// without a paragraph mark joining the text after the cursor in its paragraph.
#pragma once

#include "RtfPage.h"
#include "RtfTableBuilder.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <map>
#include <tuple>
#include <vector>

class QImage;
class QTextList;

// A paragraph as the reader ends it. Paragraphs of one list share a key; a list's style and
// indent are part of its identity, so a change of either starts another list.
struct RtfParagraph {
    QTextBlockFormat format;
    QTextListFormat list; // style undefined: no list
    int listKey = 0;
    int tableDepth = 0;
};

class RtfDocumentBuilder {
public:
    enum class Mode { Replace, Insert };

    RtfDocumentBuilder(QTextCursor& cursor, Mode mode);

    // Text in a format; a formatId equal to the last one's joins its run.
    void AddText(const QString& text, const QTextCharFormat& format, int formatId);
    void AddImage(const QImage& image, const QSizeF& size);
    // The text between these is a list item's number or bullet, dropped when the paragraph is
    // an item of a list, which shows its own.
    void BeginMarker();
    void EndMarker();

    // The format is the one in force at the paragraph mark, for the empty paragraph it opens.
    void EndParagraph(const RtfParagraph& paragraph, const QTextCharFormat& format);
    // The paragraph is the last of a table cell.
    void EndCell(const RtfParagraph& paragraph);
    void EndRow(int depth, const RtfTableRow& row);
    // The document's end: the last paragraph, which has no paragraph mark.
    void Finish(const RtfParagraph& paragraph);
    // Whether text was added since the last paragraph ended.
    bool InParagraph() const { return !runs_.empty(); }
    // The page the document gave and its default tab distance in pixels, for a document the
    // reading replaced.
    void SetPage(const RtfPage& page, qreal defaultTab);

private:
    struct Run {
        QString text;
        QTextCharFormat format;
        int formatId;
    };

    void FinishLastParagraph(const RtfParagraph& paragraph);
    void Enter(const RtfParagraph& paragraph);
    void InsertPendingBlock();
    void PutParagraph(const RtfParagraph& paragraph);
    void InsertRuns(const RtfParagraph& paragraph);
    void AddToList(const RtfParagraph& paragraph);

    QTextCursor& cursor_;
    Mode mode_;
    QTextBlockFormat targetFormat_;
    std::vector<Run> runs_;
    qsizetype markerStart_ = -1;
    qsizetype markerEnd_ = -1;
    bool joinable_ = false;
    bool pendingBlock_ = false;
    QTextCharFormat pendingFormat_;
    RtfTableBuilder tables_;
    std::map<std::tuple<int, int, int>, QTextList*> lists_;
};
