// The nodes of the registry tree. Each carries its kind (Tag), a key unique within the tree, and a
// number under which the value table files its values:
//   file node  Tag "FILE"    key "PRIMARY"   the root
//   hive       Tag "HIVE"    the hive name when added by the user, else a fresh key
//   branch     Tag "BRANCH"  a fresh key     one component of a key path
//   deletion   Tag "DELETE"  a fresh key     a "[-key]" entry: its last component with the "-"
// The nodes themselves belong to the tree that holds the document (RegNode).
#pragma once

#include "RegNode.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class RegNodes {
public:
    static QString FileTag() { return QStringLiteral("FILE"); }
    static QString HiveTag() { return QStringLiteral("HIVE"); }
    static QString BranchTag() { return QStringLiteral("BRANCH"); }
    static QString DeletionTag() { return QStringLiteral("DELETE"); }
    // The six hives, in the order the program has always listed them.
    static const QStringList& HiveNames();

    // keyMaker: a key no other node has, for the current date and time as a whole number (days
    // since 30 December 1899).
    explicit RegNodes(std::function<QString(int)> keyMaker);

    // Makes the root of a new tree the file node.
    void SetUpFileNode(RegNode* node);
    // Appends a child of the kind given by tag; an empty key asks for a fresh one.
    RegNode* Add(RegNode* parent, const QString& text, const QString& tag, const QString& key = QString());

    static QString Tag(const RegNode* node);
    // The key, made when first asked for where the node was given none.
    QString Key(const RegNode* node) const;
    static int Id(const RegNode* node);
    // A branch that the file names only on the way to a deletion entry, as "[-A\B]" names A:
    // importing the file makes no such key, so the expanded form does not write it either.
    static bool PathOnly(const RegNode* node);
    static void SetPathOnly(RegNode* node, bool only);
    // The file node's text and every text down to the node, joined by "\".
    static QString FullPath(const RegNode* node);
    // The same without the file node's part: the node's registry key path.
    static QString KeyPath(const RegNode* node);
    // The first child with exactly that text, or nullptr.
    static RegNode* ChildByText(const RegNode* parent, const QString& text);
    // How many nodes were made, deleted ones too: an upper bound of the key lines a save writes.
    int Made() const { return nextId_; }

private:
    QString FreshKey() const;
    // The texts of the nodes, given bottom up, joined by "\" from the top.
    static QString Joined(const std::vector<const RegNode*>& way);

    std::function<QString(int)> keyMaker_;
    int nextId_ = 0;
};
