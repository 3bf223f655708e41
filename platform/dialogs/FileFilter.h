// The file filter of the common dialog, "Description|*.A;*.B|Description 2|*.C", and its Qt form.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qlx {

struct FileFilterEntry {
    QString description;
    QStringList patterns;
};

// The entries in the order given; a trailing "|" or a description without patterns is allowed.
QList<FileFilterEntry> ParseFileFilter(const QString& filter);

// Qt name filters in the same order, each "Description (*.A *.B)".
QStringList QtNameFilters(const QString& filter);

// Position from 1 of the entry that a Qt dialog reports as selected, by its full name filter or by
// its description alone (the dialog shows descriptions only); 0 when none matches.
int FilterPosition(const QString& filter, const QString& selectedNameFilter);

} // namespace qlx
