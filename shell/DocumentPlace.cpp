#include "DocumentPlace.h"

#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>

#include <algorithm>

namespace {
// Item texts hold no line ends, so they part the levels.
constexpr QChar kLevel = u'\n';

QTreeWidgetItem* ChildWithText(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}
} // namespace

QString DocumentPlace::OfCaret(const QTextCursor& caret) {
    return QString::number(caret.position());
}

QTextCursor DocumentPlace::Caret(QTextDocument* document, const QString& place) {
    QTextCursor caret(document);
    caret.setPosition(std::clamp(place.toInt(), 0, document->characterCount() - 1));
    return caret;
}

QString DocumentPlace::OfTree(const QTreeWidget& tree) {
    QStringList texts;
    for (const QTreeWidgetItem* item = tree.currentItem(); item; item = item->parent())
        texts.prepend(item->text(0));
    return texts.join(kLevel);
}

void DocumentPlace::GoTo(QTreeWidget& tree, const QString& place) {
    const QStringList texts = place.split(kLevel);
    QTreeWidgetItem* item = tree.topLevelItem(0);
    if (!item || place.isEmpty())
        return;
    // The top item is the file itself, whatever its text.
    for (qsizetype level = 1; level < texts.size(); ++level) {
        QTreeWidgetItem* child = ChildWithText(item, texts[level]);
        if (!child)
            break;
        item = child;
    }
    tree.setCurrentItem(item);
    tree.scrollToItem(item);
}
