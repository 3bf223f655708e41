// Keeps the items of the INI window's tree in step with the document's nodes: one IniItem for each
// node, in the nodes' order. The document changes first; the items then follow it.
#pragma once

#include <functional>

class IniNode;
class QTreeWidgetItem;

class IniView {
public:
    // A new item for the node, with items for all the nodes below it.
    static QTreeWidgetItem* Build(IniNode* node);
    // Gives the items below the item the nodes below its node, in their order. Items of nodes that
    // stay are kept, with their expansion, and the tree's current item stays current; items of
    // nodes that left go. A node that left must not be deleted before its item has gone. step: told
    // after each item made for a child of the item, with how many are done and how many there are.
    static void Follow(QTreeWidgetItem* item, const std::function<void(int done, int count)>& step = {});
    // The item of the node, which is the top item's node or one below it.
    static QTreeWidgetItem* ItemOf(QTreeWidgetItem* top, IniNode* node);

private:
    static bool InStep(const QTreeWidgetItem* item);
    static void Rebuild(QTreeWidgetItem* item, const std::function<void(int done, int count)>& step = {});
};
