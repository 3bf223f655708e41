#include "RtfDocumentBuilder.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

bool IsListed(const RtfParagraph& paragraph) {
    return paragraph.list.style() != QTextListFormat::ListStyleUndefined;
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextCursor& cursor, Mode mode)
    : cursor_(cursor), mode_(mode), targetFormat_(cursor.blockFormat()), tables_(cursor) {}

void RtfDocumentBuilder::AddText(const QString& text, const QTextCharFormat& format, int formatId) {
    if (text.isEmpty())
        return;
    if (joinable_ && runs_.back().formatId == formatId) {
        runs_.back().text += text;
        return;
    }
    runs_.push_back({text, format, formatId});
    joinable_ = true;
}

void RtfDocumentBuilder::AddImage(const QImage& image, const QSizeF& size) {
    // Named by content, so that pictures pasted later never take the place of earlier ones.
    const QByteArray digest = QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                                       QCryptographicHash::Sha1);
    const QString name = "rtf-image:" + QString::fromLatin1(digest.toHex());
    cursor_.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    runs_.push_back({QString(QChar::ObjectReplacementCharacter), format, -1});
    joinable_ = false;
}

void RtfDocumentBuilder::BeginMarker() {
    markerStart_ = qsizetype(runs_.size());
    joinable_ = false;
}

void RtfDocumentBuilder::EndMarker() {
    markerEnd_ = qsizetype(runs_.size());
    joinable_ = false;
}

// A paragraph mark ends the block the text went into and opens the next, which an insertion gives
// the format of the paragraph it was put into, as it holds the text after the cursor.
void RtfDocumentBuilder::EndParagraph(const RtfParagraph& paragraph, const QTextCharFormat& format) {
    PutParagraph(paragraph);
    pendingBlock_ = true;
    pendingFormat_ = format;
}

void RtfDocumentBuilder::EndCell(const RtfParagraph& paragraph) {
    RtfParagraph inTable = paragraph;
    inTable.tableDepth = std::max(paragraph.tableDepth, 1);
    PutParagraph(inTable);
    tables_.EndCell();
}

void RtfDocumentBuilder::EndRow(int depth, const RtfTableRow& row) {
    tables_.EndRow(depth, row);
}

// Text after the last paragraph mark is a paragraph without one; an insertion joins it to the text
// after the cursor.
void RtfDocumentBuilder::Finish(const RtfParagraph& paragraph) {
    if (!runs_.empty())
        FinishLastParagraph(paragraph);
    else if (mode_ == Mode::Insert)
        InsertPendingBlock();
    // Tables still open at the end close there.
    tables_.Enter(0);
}

void RtfDocumentBuilder::FinishLastParagraph(const RtfParagraph& paragraph) {
    Enter(paragraph);
    InsertRuns(paragraph);
    if (mode_ == Mode::Insert)
        return;
    cursor_.setBlockFormat(paragraph.format);
    AddToList(paragraph);
}

void RtfDocumentBuilder::SetPage(const RtfPage& page, qreal defaultTab) {
    if (mode_ == Mode::Insert)
        return;
    QTextDocument& document = *cursor_.document();
    page.SetOn(document);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(defaultTab);
    document.setDefaultTextOption(option);
}

void RtfDocumentBuilder::Enter(const RtfParagraph& paragraph) {
    InsertPendingBlock();
    tables_.Enter(paragraph.tableDepth);
}

void RtfDocumentBuilder::InsertPendingBlock() {
    if (!std::exchange(pendingBlock_, false))
        return;
    cursor_.insertBlock(mode_ == Mode::Replace ? QTextBlockFormat() : targetFormat_, pendingFormat_);
}

void RtfDocumentBuilder::PutParagraph(const RtfParagraph& paragraph) {
    Enter(paragraph);
    InsertRuns(paragraph);
    cursor_.setBlockFormat(paragraph.format);
    AddToList(paragraph);
}

void RtfDocumentBuilder::InsertRuns(const RtfParagraph& paragraph) {
    if (IsListed(paragraph) && markerStart_ >= 0 && markerEnd_ > markerStart_)
        runs_.erase(runs_.begin() + markerStart_, runs_.begin() + markerEnd_);
    markerStart_ = markerEnd_ = -1;
    for (const Run& run : runs_)
        cursor_.insertText(run.text, run.format);
    runs_.clear();
    joinable_ = false;
}

void RtfDocumentBuilder::AddToList(const RtfParagraph& paragraph) {
    if (!IsListed(paragraph))
        return;
    QTextList*& list = lists_[{paragraph.listKey, paragraph.list.style(), paragraph.list.indent()}];
    if (list)
        list->add(cursor_.block());
    else
        list = cursor_.createList(paragraph.list);
}
