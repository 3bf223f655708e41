// The pad of a text or rich-text window as the search dialog works on it: one document and its
// cursor, whichever of the two editor widgets holds them.
#pragma once

#include <QString>
#include <QTextCursor>

#include <optional>

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QWidget;

// What one press of Find Next looks for.
struct SearchRequest {
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    // Replace each occurrence found with the replacement.
    bool replace = false;
};

class SearchPad {
public:
    // The child named "pad" of a document window; invalid when there is none.
    explicit SearchPad(const QWidget* window);

    bool IsValid() const { return plain_ || rich_; }
    QString SelectedText() const;
    void Select(int start, int length);
    // Replaces the selection with the text.
    void Insert(const QString& text);
    // Brings the pad's window forward with the focus in the pad.
    void Focus();

    // Finds the next occurrence from the caret, or from just past a selection that is a previous
    // occurrence or replacement, and selects it (replaced, when replacing). A caret within the last
    // three characters starts again at the top. When nothing was found, or the user cancelled a
    // long search, the selection stays where the search started.
    enum class Result { Found, NotFound, Cancelled };
    Result FindNext(const SearchRequest& request);

private:
    QWidget* Widget() const;
    QTextDocument* Document() const;
    QTextCursor Cursor() const;
    void SetCursor(const QTextCursor& cursor);
    // The text's length: a block break counts as one character.
    int Length() const;
    // Where the search begins, moving the caret there.
    int StartPosition(const SearchRequest& request);
    // The next occurrence from the position, a block at a time, so that a long search paints and
    // can be cancelled; nothing when cancelled, a null cursor when there is none.
    std::optional<QTextCursor> Find(const SearchRequest& request, int from);

    QPlainTextEdit* plain_ = nullptr;
    QTextEdit* rich_ = nullptr;
};
