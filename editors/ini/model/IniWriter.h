// Writes an INI document as text, in the nodes' order, every line ended by the given line end.
#pragma once

#include <QString>
#include <QStringView>

class IniNode;

class IniWriter {
public:
    // The whole document: the lines directly under the root first, so that on reading back they
    // stay before the first section; then each section, its lines and one empty line.
    static QString Document(const IniNode* root, QStringView lineEnd);
    // One section: its header line and its lines, without the empty line after them.
    static QString Section(const IniNode* section, QStringView lineEnd);

private:
    static void AppendSection(QString* text, const IniNode* section, QStringView lineEnd);
};
