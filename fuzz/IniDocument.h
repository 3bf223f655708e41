// An INI document for the fuzz targets, as the window holds it but without a window: a file node
// and the nodes below it, read from a file's bytes or its text or pasted into, written back as the
// window saves it, and shown as comparable text.
#pragma once

#include "IniNode.h"

#include <QByteArray>
#include <QStringList>

class IniReader;

class IniDocument {
public:
    // The answers to "Duplicate Section" are taken from the bits of answers, lowest first.
    explicit IniDocument(unsigned answers = 0);

    // Decoded and read as the window opens a file.
    void Open(const QByteArray& bytes);
    void Read(const QString& text);
    // Pasted at the node number selected (in the order of Nodes), as the window pastes the clipboard.
    void Paste(const QString& clipboard, int selected);
    // The text the window saves.
    QString Text() const;

    // Every node below the file node: its kind, depth and text, in tree order. byText: a line's
    // kind as a file read gives it, by its text, rather than as the node holds it.
    QStringList Dump(bool byText = false) const;
    // The lines a save writes that are not blank.
    qsizetype WrittenLines() const;

private:
    IniReader Reader();
    // The file node and every node below it, parents first.
    QList<IniNode*> Nodes();
    bool Answer();

    IniNode root_;
    unsigned answers_;
    int keys_ = 0;
};
