#include "IniView.h"

#include "IniItem.h"

#include <QHash>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {
bool Holds(const QTreeWidgetItem* item, const QTreeWidgetItem* descendant) {
    for (; descendant; descendant = descendant->parent()) {
        if (descendant == item)
            return true;
    }
    return false;
}

QSet<QTreeWidgetItem*> ExpandedChildren(const QTreeWidgetItem* item) {
    QSet<QTreeWidgetItem*> expanded;
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->isExpanded())
            expanded.insert(item->child(i));
    }
    return expanded;
}
} // namespace

QTreeWidgetItem* IniView::Build(IniNode* node) {
    auto* item = new IniItem(node);
    QList<QTreeWidgetItem*> children;
    children.reserve(node->Children().size());
    for (IniNode* child : node->Children())
        children.append(Build(child));
    item->addChildren(children);
    return item;
}

void IniView::Follow(QTreeWidgetItem* item, const std::function<void(int done, int count)>& step) {
    if (!InStep(item))
        Rebuild(item, step);
    for (int i = 0; i < item->childCount(); ++i)
        Follow(item->child(i));
}

QTreeWidgetItem* IniView::ItemOf(QTreeWidgetItem* top, IniNode* node) {
    if (IniItem::NodeOf(top) == node)
        return top;
    IniNode* parent = node->Parent();
    return ItemOf(top, parent)->child(int(parent->Children().indexOf(node)));
}

bool IniView::InStep(const QTreeWidgetItem* item) {
    const QList<IniNode*>& nodes = IniItem::NodeOf(item)->Children();
    if (item->childCount() != nodes.size())
        return false;
    for (int i = 0; i < item->childCount(); ++i) {
        if (IniItem::NodeOf(item->child(i)) != nodes.at(i))
            return false;
    }
    return true;
}

void IniView::Rebuild(QTreeWidgetItem* item, const std::function<void(int done, int count)>& step) {
    // All children go out and come back at once, in the nodes' order: the shown tree pays for one
    // removal and one insertion rather than one of each per child.
    QTreeWidget* tree = item->treeWidget();
    const QSignalBlocker blocker(tree);
    QTreeWidgetItem* current = tree ? tree->currentItem() : nullptr;
    QSet<QTreeWidgetItem*> expanded = ExpandedChildren(item);
    QHash<const IniNode*, QTreeWidgetItem*> kept;
    for (QTreeWidgetItem* child : item->takeChildren())
        kept.insert(IniItem::NodeOf(child), child);
    QList<QTreeWidgetItem*> children;
    const QList<IniNode*>& nodes = IniItem::NodeOf(item)->Children();
    for (IniNode* node : nodes) {
        QTreeWidgetItem* child = kept.take(node);
        children.append(child ? child : Build(node));
        if (step)
            step(int(children.size()), int(nodes.size()));
    }
    for (QTreeWidgetItem* gone : std::as_const(kept)) {
        if (Holds(gone, current))
            current = nullptr;
        expanded.remove(gone);
        delete gone;
    }
    item->addChildren(children);
    for (QTreeWidgetItem* child : std::as_const(expanded))
        child->setExpanded(true);
    if (current)
        tree->setCurrentItem(current);
}
