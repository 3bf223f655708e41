#include "SearchPad.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {
bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
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

bool SearchPad::FindNext(const SearchRequest& request) {
    QTextDocument::FindFlags flags;
    if (request.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (request.wholeWord)
        flags |= QTextDocument::FindWholeWords;
    QTextCursor found = Document()->find(request.text, StartPosition(request), flags);
    if (found.isNull())
        return false;
    if (request.replace) {
        found.insertText(request.replacement);
        const int end = found.position();
        found.setPosition(end - int(request.replacement.size()));
        found.setPosition(end, QTextCursor::KeepAnchor);
    }
    SetCursor(found);
    return true;
}
