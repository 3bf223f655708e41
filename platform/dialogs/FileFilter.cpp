#include "FileFilter.h"

namespace qlx {

namespace {
QString QtNameFilter(const FileFilterEntry& entry) {
    return entry.description + QStringLiteral(" (") + entry.patterns.join(u' ') + u')';
}
} // namespace

QList<FileFilterEntry> ParseFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FileFilterEntry> entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : QString();
        if (description.isEmpty() && patterns.trimmed().isEmpty())
            continue;
        FileFilterEntry entry{description, {}};
        for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts))
            if (!pattern.trimmed().isEmpty())
                entry.patterns.append(pattern.trimmed());
        entries.append(entry);
    }
    return entries;
}

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    for (const FileFilterEntry& entry : ParseFileFilter(filter))
        result.append(QtNameFilter(entry));
    return result;
}

int FilterPosition(const QString& filter, const QString& selectedNameFilter) {
    const QList<FileFilterEntry> entries = ParseFileFilter(filter);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const FileFilterEntry& entry = entries.at(i);
        if (QtNameFilter(entry) == selectedNameFilter || entry.description == selectedNameFilter.trimmed())
            return int(i) + 1;
    }
    return 0;
}

} // namespace qlx
