// The format of a pad's selection as the toolbar and the Format menu show it. A value holds when
// every character (for bullets, every paragraph) the selection touches has it, so a mixed selection
// shows as off; without a selection, the format the caret types with counts.
#pragma once

#include <QTextCursor>

#include <functional>
#include <optional>

class QTextBlock;
class QTextCharFormat;

class SelectionFormat {
public:
    explicit SelectionFormat(const QTextCursor& cursor);

    bool Bold() const;
    bool Italic() const;
    bool Underline() const;
    bool Bulleted() const;
    // The point size every character shares; none when the sizes differ.
    std::optional<qreal> FontSize() const;

    static bool IsBulleted(const QTextBlock& block);

private:
    bool AllCharacters(const std::function<bool(const QTextCharFormat&)>& test) const;
    qreal PointSize(const QTextCharFormat& format) const;

    QTextCursor cursor_;
};
