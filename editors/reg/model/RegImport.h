// The import pass: turns the lines of a registry file into nodes under the file node and records
// of the value table. Key lines lead through hive and branch nodes, created as needed; value lines
// belong to the node of the last key line. Lines that cannot be processed are collected in the
// error list and the import goes on.
#pragma once

#include <QHash>
#include <QMultiHash>
#include <QSet>
#include <QString>
#include <QStringView>

#include <vector>

class RegLines;
class RegNode;
class RegNodes;
class RegValueTable;

class RegImport {
public:
    // The file node must have no children yet: the import finds nodes through its own index.
    RegImport(RegNodes& nodes, RegValueTable& values, RegNode* fileNode);

    // Handles one line; the continuation lines of a byte list are taken from lines, after which line
    // may be gone with its piece of the file.
    void Handle(QStringView line, RegLines& lines);

    // How far the last line got, 1 to 8: 1 read, 2 kind tested, then for a key line 3 reset to the
    // file node, 4 hive split off, 5 hive accepted, 6 hive node found or added, 7 branches walked,
    // 8 last component; for any other line 3 to 5 its tests and 6 stored or skipped.
    int Stage() const { return stage_; }
    // One entry per failed line: the current node's text, ": ", the line and a carriage return.
    const QString& Errors() const { return errors_; }

private:
    struct ChildKey {
        int parent;
        bool deletion;
        QString text;
        bool operator==(const ChildKey&) const = default;
    };
    friend size_t qHash(const ChildKey& key, size_t seed) {
        return qHashMulti(seed, key.parent, key.deletion, key.text);
    }

    void KeyLine(QStringView line);
    // How many names at the start of the path lead through the last key line's way; *node becomes
    // the node of the last of them.
    qsizetype Known(QStringView path, RegNode** node) const;
    void ValueLine(QStringView line, RegLines& lines);
    void Fail(QStringView line);
    // The one string of that text among the value names and types read so far: they repeat from key
    // to key, and a large file would otherwise hold each of them once per value.
    QString Shared(QString text);
    void SetCurrent(RegNode* node);
    // The first child of that kind and text, added when there is none; pathOnly marks an added
    // branch as one on the way to a deletion entry (RegNodes::PathOnly).
    RegNode* Child(RegNode* parent, const QString& text, const QString& tag, bool pathOnly = false,
                   const QString& key = QString());
    // Called for each name on the path of a deletion, before its node is looked up. The deletion
    // must be written after every block it deletes, and the blocks after it after the deletion: the
    // children of parent of that name leave the index when it is the deleted key's own name, or when
    // the index holds the name in another case too (key names compare without regard to case), so
    // that the deletion and what follows get nodes of their own, after those.
    void Forget(const RegNode* parent, const QString& text, bool deleted);

    RegNodes& nodes_;
    RegValueTable& values_;
    RegNode* file_;
    RegNode* current_;
    int currentId_;
    QHash<ChildKey, RegNode*> children_;
    // The texts of the children in the index, by parent and text in folded case.
    QMultiHash<std::pair<int, QString>, QString> spellings_;
    // The last key line's path and the node of each of its names, with where the name ends in it. A
    // file lists a key's subkeys after it, so a line that begins with the same names goes on from
    // there: the lines of a deep key's subkeys cost their length, not a look-up per level.
    struct Step {
        qsizetype end;
        RegNode* node;
    };
    QSet<QString> shared_;
    QString lastPath_;
    std::vector<Step> lastWay_;
    QString errors_;
    int stage_ = 0;
};
