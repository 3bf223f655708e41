// Writes the tree as INI text, in tree order, every line ended by the given line end.
#pragma once

#include <QString>
#include <QStringView>

class QTreeWidgetItem;

class IniWriter {
public:
    // The whole document: the lines directly under the root first, so that on reading back they
    // stay before the first section; then each section, its lines and one empty line.
    static QString Document(const QTreeWidgetItem* root, QStringView lineEnd);
    // One section: its header line and its lines, without the empty line after them.
    static QString Section(const QTreeWidgetItem* section, QStringView lineEnd);

private:
    static void AppendSection(QString* text, const QTreeWidgetItem* section, QStringView lineEnd);
};
