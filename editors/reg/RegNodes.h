// The nodes of the registry tree. Each carries its kind (Tag), a key unique within the tree, and a
// number under which the value table files its values:
//   file node  Tag "FILE"    key "PRIMARY"   the root, image "file"
//   hive       Tag "HIVE"    the hive name when added by the user, else a fresh key
//   branch     Tag "BRANCH"  a fresh key     one component of a key path
//   deletion   Tag "DELETE"  a fresh key     a "[-key]" entry: its last component with the "-"
// Hives, branches and deletions show the images "closed" / "open" (the latter while selected).
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

class QTreeWidgetItem;
class Resources;

class RegNodes {
public:
    static QString FileTag() { return QStringLiteral("FILE"); }
    static QString HiveTag() { return QStringLiteral("HIVE"); }
    static QString BranchTag() { return QStringLiteral("BRANCH"); }
    static QString DeletionTag() { return QStringLiteral("DELETE"); }
    // The six hives, in the order the program has always listed them.
    static const QStringList& HiveNames();

    // folder: "closed" with "open" as its selected form; file: the image of the file node.
    RegNodes(const Resources& resources, QIcon folder, QIcon file);

    QTreeWidgetItem* NewFileNode(const QString& text);
    // Appends a child of the kind given by tag; an empty key asks for a fresh one.
    QTreeWidgetItem* Add(QTreeWidgetItem* parent, const QString& text, const QString& tag,
                         const QString& key = QString());

    static QString Tag(const QTreeWidgetItem* node);
    static QString Key(const QTreeWidgetItem* node);
    static int Id(const QTreeWidgetItem* node);
    // A branch that the file names only on the way to a deletion entry, as "[-A\B]" names A:
    // importing the file makes no such key, so the expanded form does not write it either.
    static bool PathOnly(const QTreeWidgetItem* node);
    static void SetPathOnly(QTreeWidgetItem* node, bool only);
    // The file node's text and every text down to the node, joined by "\".
    static QString FullPath(const QTreeWidgetItem* node);
    // The same without the file node's part: the node's registry key path.
    static QString KeyPath(const QTreeWidgetItem* node);
    // The first child with exactly that text, or nullptr.
    static QTreeWidgetItem* ChildByText(const QTreeWidgetItem* parent, const QString& text);

private:
    // A key no other node has: UniqueID of the resource library for the current date and time
    // as a whole number.
    QString FreshKey() const;

    const Resources& resources_;
    QIcon folder_;
    QIcon file_;
    int nextId_ = 0;
};
