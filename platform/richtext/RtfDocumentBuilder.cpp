#include "RtfDocumentBuilder.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

bool IsListed(const RtfParagraph& paragraph) {
    return paragraph.list.style() != QTextListFormat::ListStyleUndefined;
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextCursor& cursor, Mode mode)
    : cursor_(cursor), mode_(mode), targetFormat_(cursor.blockFormat()) {}

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
    InsertRuns(paragraph);
    cursor_.setBlockFormat(paragraph.format);
    AddToList(paragraph);
    cursor_.insertBlock(mode_ == Mode::Replace ? QTextBlockFormat() : targetFormat_, format);
}

void RtfDocumentBuilder::Finish(const RtfParagraph& paragraph) {
    InsertRuns(paragraph);
    if (mode_ == Mode::Insert)
        return;
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
