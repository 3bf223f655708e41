#include "SelectionFormat.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

SelectionFormat::SelectionFormat(const QTextCursor& cursor) : cursor_(cursor) {}

bool SelectionFormat::AllCharacters(const std::function<bool(const QTextCharFormat&)>& test) const {
    if (!cursor_.hasSelection())
        return test(cursor_.charFormat());
    const int start = cursor_.selectionStart();
    const int end = cursor_.selectionEnd();
    bool any = false;
    for (QTextBlock block = cursor_.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() >= end || fragment.position() + fragment.length() <= start)
                continue;
            if (!test(fragment.charFormat()))
                return false;
            any = true;
        }
    }
    // A selection of empty paragraphs types like the caret.
    return any || test(cursor_.charFormat());
}

bool SelectionFormat::Bold() const {
    // As the toolkit's fonts count it: heavier than medium.
    return AllCharacters([](const QTextCharFormat& format) { return format.fontWeight() > QFont::Medium; });
}

bool SelectionFormat::Italic() const {
    return AllCharacters([](const QTextCharFormat& format) { return format.fontItalic(); });
}

bool SelectionFormat::Underline() const {
    return AllCharacters([](const QTextCharFormat& format) { return format.fontUnderline(); });
}

qreal SelectionFormat::PointSize(const QTextCharFormat& format) const {
    // A character without a size of its own has the document's.
    return format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                         : cursor_.document()->defaultFont().pointSizeF();
}

std::optional<qreal> SelectionFormat::FontSize() const {
    std::optional<qreal> shared;
    const bool same = AllCharacters([&](const QTextCharFormat& format) {
        const qreal size = PointSize(format);
        if (!shared)
            shared = size;
        return *shared == size;
    });
    return same ? shared : std::nullopt;
}

bool SelectionFormat::IsBulleted(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list)
        return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

bool SelectionFormat::Bulleted() const {
    const QTextDocument* document = cursor_.document();
    const QTextBlock last = document->findBlock(cursor_.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor_.selectionStart()); block.isValid(); block = block.next()) {
        if (!IsBulleted(block))
            return false;
        if (block == last)
            break;
    }
    return true;
}
