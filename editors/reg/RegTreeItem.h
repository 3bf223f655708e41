// A node of the registry tree as the window's tree view holds it: the view's item is the model's
// node, so the import builds the tree the window shows and the writer reads it back. Keys show the
// image "closed", "open" while selected; the file node shows "file". Every item of the tree
// view is one of these.
#pragma once

#include "RegNode.h"

#include <QIcon>
#include <QTreeWidgetItem>

#include <memory>

class RegTreeItem : public QTreeWidgetItem, public RegNode {
public:
    // Shared by every item of one tree, and kept as long as any of them is.
    struct Images {
        // "closed" with "open" as its selected form.
        QIcon folder;
        QIcon file;
    };

    RegTreeItem(std::shared_ptr<const Images> images, const QString& text);
    // Takes the items below apart one at a time, leaves first: the toolkit deletes an item's
    // children from inside its own destructor, one nested call per level, which a key ten thousand
    // levels deep would not survive.
    ~RegTreeItem() override;
    RegTreeItem(const RegTreeItem&) = delete;
    RegTreeItem& operator=(const RegTreeItem&) = delete;

    static RegTreeItem* Of(QTreeWidgetItem* item) { return static_cast<RegTreeItem*>(item); }
    static RegTreeItem* Of(RegNode* node) { return static_cast<RegTreeItem*>(node); }

    QVariant data(int column, int role) const override;

    QString Text() const override { return text(0); }
    RegNode* Parent() const override { return Of(parent()); }
    int ChildCount() const override { return childCount(); }
    RegNode* Child(int index) const override { return Of(child(index)); }

protected:
    RegNode* AppendChild(const QString& text) override;

private:
    std::shared_ptr<const Images> images_;
};
