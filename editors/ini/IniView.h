// Keeps the items of the INI window's tree in step with the document's nodes: one IniItem for each
// node, in the nodes' order. The document changes first; the items then follow it.
#pragma once

class IniNode;
class QTreeWidgetItem;

class IniView {
public:
    // A new item for the node, with items for all the nodes below it.
    static QTreeWidgetItem* Build(IniNode* node);
    // Gives the items below the item the nodes below its node, in their order. Items of nodes that
    // stay are kept, with their expansion, and the tree's current item stays current; items of
    // nodes that left go. A node that left must not be deleted before its item has gone.
    static void Follow(QTreeWidgetItem* item);
    // The item of the node, which is the top item's node or one below it.
    static QTreeWidgetItem* ItemOf(QTreeWidgetItem* top, IniNode* node);

private:
    static bool InStep(const QTreeWidgetItem* item);
    static void Rebuild(QTreeWidgetItem* item);
};
