// The item of the window's tree that shows one node of the INI document: its text and picture, and
// as data the node's tag and key. All of it is read from the node, which the item does not own, so
// that an item adds no copy of a large file's texts; editing the item's text edits the node's.
#pragma once

#include "IniNode.h"

#include <QTreeWidgetItem>

class IniItem : public QTreeWidgetItem {
public:
    using Kind = IniNode::Kind;

    // The node's tag ("OPENEDFILE", "SECTION", "VALUE" or "COMMENTS") and the key of the root
    // and of a section.
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit IniItem(IniNode* node);

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    // Every item of the INI tree is an IniItem.
    static IniNode* NodeOf(const QTreeWidgetItem* item) { return static_cast<const IniItem*>(item)->node_; }
    static Kind KindOf(const QTreeWidgetItem* item) { return IniNode::KindOf(NodeOf(item)); }
    static bool Is(const QTreeWidgetItem* item, Kind kind) { return item && KindOf(item) == kind; }

private:
    IniNode* node_;
};
