// Reads lines of INI text into the tree: a whole file into an empty document, or a pasted text
// at the selected node. Nodes are built off the tree and put in with one insertion and one sort
// per parent, so a large file loads in time proportional to its size.
#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

class QTreeWidgetItem;

class IniReader {
public:
    // The key of a new section node.
    using KeyMaker = std::function<QString()>;
    // Asked when a section of the name is already in the document; true replaces it.
    using ReplaceQuestion = std::function<bool()>;

    struct Pasted {
        // The node to select and expand afterwards.
        QTreeWidgetItem* selected = nullptr;
        // Whether any node was added or removed.
        bool changed = false;
    };

    IniReader(QTreeWidgetItem* root, KeyMaker newKey, ReplaceQuestion replace);

    // The lines of a file's text (lines joined by "\n"): a last line end adds no empty line.
    static QStringList FileLines(const QString& text);
    // The lines of a pasted text, read as if one more line end followed it: CR LF, CR and LF each
    // end a line, and a text that ends with a line end gives a last empty line.
    static QStringList PasteLines(const QString& text);

    // Reads a file into a document that has only its root. No line is dropped but blank ones:
    // lines before the first section stay under the root, a repeated section kept on No stays
    // as a second node, and a lone "[" is a key line.
    void ReadFile(const QStringList& lines);
    // Pastes at the selected node (a comment pastes into its section); blank lines are dropped.
    Pasted Paste(const QStringList& lines, QTreeWidgetItem* selected);

private:
    void Start(const QStringList& lines, QTreeWidgetItem* selected, bool file);
    void Read();
    bool NextLine();
    bool AtEnd() const { return next_ >= lines_.size(); }
    // Returns false when the reading is to end (No to the duplicate question while pasting).
    bool CreateSection();
    void RemoveSection(QTreeWidgetItem* section);
    void AddLine(QTreeWidgetItem* parent, bool comment);
    // Gives the section being read its lines, sorted.
    void EndSection();
    void Finish();

    QTreeWidgetItem* root_;
    KeyMaker newKey_;
    ReplaceQuestion replace_;

    bool file_ = false;
    QStringList lines_;
    qsizetype next_ = 0;
    QString line_;
    QTreeWidgetItem* selected_ = nullptr;
    // The section being read, not yet in the tree, and its lines.
    QTreeWidgetItem* current_ = nullptr;
    QList<QTreeWidgetItem*> currentLines_;
    // Sections by exact name, those in the tree and those read so far.
    QHash<QString, QList<QTreeWidgetItem*>> sections_;
    // New children of the root, not yet in the tree.
    QList<QTreeWidgetItem*> rootAdded_;
    // The selected section when lines went straight into it; it then needs sorting.
    QTreeWidgetItem* touched_ = nullptr;
    bool changed_ = false;
};
