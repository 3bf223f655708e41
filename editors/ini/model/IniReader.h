// Reads lines of INI text into a document: a whole file into an empty one, or a pasted text at
// the selected node. Each parent that gained nodes is sorted once, at the end of its lines, so a
// large file loads in time proportional to its size.
#pragma once

#include "IniNode.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>

class IniReader {
public:
    // The key of a new section node.
    using KeyMaker = std::function<QString()>;
    // Asked when a section of the name is already in the document; true replaces it.
    using ReplaceQuestion = std::function<bool()>;

    struct Pasted {
        // The node to select and expand afterwards.
        IniNode* selected = nullptr;
        // Whether any node was added or removed.
        bool changed = false;
        // The sections of the document that Yes to the duplicate question replaced: out of it, and
        // kept until a view of it has let go of them.
        IniNode::Taken replaced;
    };

    IniReader(IniNode* root, KeyMaker newKey, ReplaceQuestion replace);
    // Told now and then how many lines have been read.
    void SetProgress(std::function<void(qsizetype lines)> progress) { progress_ = std::move(progress); }

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
    Pasted Paste(const QStringList& lines, IniNode* selected);

private:
    void Start(const QStringList& lines, IniNode* selected, bool file);
    void Read();
    bool NextLine();
    bool AtEnd() const { return next_ >= lines_.size(); }
    // Returns false when the reading is to end (No to the duplicate question while pasting).
    bool CreateSection();
    void RemoveSection(IniNode* section);
    void AddLine(IniNode* parent, bool comment);
    // Sorts the lines of the section being read.
    void EndSection();
    void Finish();

    IniNode* root_;
    KeyMaker newKey_;
    ReplaceQuestion replace_;
    std::function<void(qsizetype lines)> progress_;

    bool file_ = false;
    QStringList lines_;
    qsizetype next_ = 0;
    QString line_;
    IniNode* selected_ = nullptr;
    // The section being read.
    IniNode* current_ = nullptr;
    // Sections by exact name, those of the document and those read so far.
    QHash<QString, QList<IniNode*>> sections_;
    // The selected section when lines went straight into it; it then needs sorting, as does the
    // root when it gained nodes.
    IniNode* touched_ = nullptr;
    bool rootGrew_ = false;
    bool changed_ = false;
    IniNode::Taken replaced_;
};
