// A place in a document as text, kept across a reload of its file: the caret's position in a
// text, or the texts of the items down to the current one in a tree.
#pragma once

#include <QString>

class QTextDocument;
class QTextCursor;
class QTreeWidget;

class DocumentPlace {
public:
    static QString OfCaret(const QTextCursor& caret);
    // The caret at the place, or at the end of a text that has become shorter.
    static QTextCursor Caret(QTextDocument* document, const QString& place);

    static QString OfTree(const QTreeWidget& tree);
    // Makes current the item at the place, or the nearest of its parents that is still there.
    static void GoTo(QTreeWidget& tree, const QString& place);
};
