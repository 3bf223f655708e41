#include "SearchPad.h"

#include "WorkProgress.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {
bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where the text occurs in the block's text from the offset on, as the document's own search finds
// it: a non-breaking space matches a space, and a whole word has no letter or digit beside it.
qsizetype FindInBlock(QString block, const SearchRequest& request, qsizetype offset) {
    block.replace(QChar::Nbsp, u' ');
    const Qt::CaseSensitivity sensitivity = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype length = request.text.size();
    for (qsizetype at; (at = block.indexOf(request.text, offset, sensitivity)) >= 0;
         offset = at + length + 1) {
        const bool joinedBefore = at > 0 && block.at(at - 1).isLetterOrNumber();
        const bool joinedAfter = at + length < block.size() && block.at(at + length).isLetterOrNumber();
        if (!request.wholeWord || (!joinedBefore && !joinedAfter))
            return at;
    }
    return -1;
}
} // namespace

SearchPad::SearchPad(const QWidget* window) {
    if (!window)
        return;
    QWidget* pad = window->findChild<QWidget*>(QStringLiteral("pad"));
    plain_ = qobject_cast<QPlainTextEdit*>(pad);
    rich_ = qobject_cast<QTextEdit*>(pad);
}

QWidget* SearchPad::Widget() const {
    return plain_ ? static_cast<QWidget*>(plain_) : rich_;
}

QTextDocument* SearchPad::Document() const {
    return plain_ ? plain_->document() : rich_->document();
}

QTextCursor SearchPad::Cursor() const {
    return plain_ ? plain_->textCursor() : rich_->textCursor();
}

void SearchPad::SetCursor(const QTextCursor& cursor) {
    if (plain_) {
        plain_->setTextCursor(cursor);
        plain_->ensureCursorVisible();
    } else {
        rich_->setTextCursor(cursor);
        rich_->ensureCursorVisible();
    }
}

int SearchPad::Length() const {
    // The document counts the paragraph separator after the last block too.
    return Document()->characterCount() - 1;
}

QString SearchPad::SelectedText() const {
    return Cursor().selectedText();
}

void SearchPad::Select(int start, int length) {
    QTextCursor cursor = Cursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    SetCursor(cursor);
}

void SearchPad::Insert(const QString& text) {
    QTextCursor cursor = Cursor();
    cursor.insertText(text);
    SetCursor(cursor);
}

void SearchPad::Focus() {
    QWidget* pad = Widget();
    pad->activateWindow();
    pad->setFocus();
}

int SearchPad::StartPosition(const SearchRequest& request) {
    const int length = Length();
    QTextCursor cursor = Cursor();
    if (cursor.selectionStart() > length - 3) {
        Select(0, 0);
        return 0;
    }
    const QString selected = cursor.selectedText();
    if (selected.isEmpty() || !(SameText(selected, request.text) || SameText(selected, request.replacement)))
        return cursor.selectionStart();
    // The selection is the previous occurrence: go on one character past it.
    const int start = std::min(cursor.selectionEnd() + 1, length);
    Select(start, 0);
    return start;
}

SearchPad::Result SearchPad::FindNext(const SearchRequest& request) {
    const std::optional<QTextCursor> search = Find(request, StartPosition(request));
    if (!search)
        return Result::Cancelled;
    QTextCursor found = *search;
    if (found.isNull())
        return Result::NotFound;
    if (request.replace) {
        found.insertText(request.replacement);
        const int end = found.position();
        found.setPosition(end - int(request.replacement.size()));
        found.setPosition(end, QTextCursor::KeepAnchor);
    }
    SetCursor(found);
    return Result::Found;
}

std::optional<QTextCursor> SearchPad::Find(const SearchRequest& request, int from) {
    QTextDocument* document = Document();
    WorkProgress progress(Widget(), QStringLiteral("Searching"), document->characterCount(), true);
    for (QTextBlock block = document->findBlock(from); block.isValid(); block = block.next()) {
        if (!progress.Step(block.position()))
            return std::nullopt;
        const qsizetype at = FindInBlock(block.text(), request, std::max(0, from - block.position()));
        if (at >= 0) {
            QTextCursor found(document);
            found.setPosition(block.position() + int(at));
            found.setPosition(block.position() + int(at + request.text.size()), QTextCursor::KeepAnchor);
            return found;
        }
    }
    return QTextCursor();
}
