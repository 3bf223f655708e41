// One node of the registry tree. The tree itself belongs to whoever holds the document: the window
// keeps it in its tree view, a document without a window in plain nodes. What the reader and the
// writer need of it is this: the node's text, its place in the tree, and the data RegNodes files
// in it.
#pragma once

#include <QString>

class RegNodes;

class RegNode {
public:
    virtual ~RegNode() = default;

    virtual QString Text() const = 0;
    // nullptr for the file node.
    virtual RegNode* Parent() const = 0;
    virtual int ChildCount() const = 0;
    virtual RegNode* Child(int index) const = 0;

protected:
    // A new last child of the same kind of tree, with that text; the tree owns it.
    virtual RegNode* AppendChild(const QString& text) = 0;

private:
    friend class RegNodes;

    QString tag_;
    // Empty until a fresh key is first asked for (RegNodes::Key): hardly anything asks, and a
    // large file would otherwise hold one for each of its keys.
    mutable QString key_;
    int id_ = -1;
    bool pathOnly_ = false;
};
