#include "DirListing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
const QString kLineEnd = QStringLiteral("\r\n");

// Names without regard to case, as the lists show them; names that differ only in case keep a
// fixed order among themselves. Folded once each, so that a folder of many thousand files sorts
// quickly.
void SortForList(QStringList& names) {
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}
} // namespace

std::optional<DirListing::Entries> DirListing::Read(const QString& folder,
                                                    const std::function<bool()>& keepGoing) {
    Entries entries;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        (it.fileInfo().isDir() ? entries.folders : entries.files).append(it.fileName());
        if (!keepGoing())
            return std::nullopt;
    }
    SortForList(entries.files);
    SortForList(entries.folders);
    return entries;
}

DirListing::Entries DirListing::Read(const QString& folder) {
    return *Read(folder, [] { return true; });
}

QString DirListing::Shown(const QString& folder) {
    return QDir::toNativeSeparators(QDir::cleanPath(folder));
}

DirListing::DirListing(bool indent, std::function<bool()> keepGoing)
    : prefix_(indent ? QStringLiteral("\t") : QString()), keepGoing_(std::move(keepGoing)) {}

std::optional<QString> DirListing::List(const QString& folder) {
    text_ = Shown(folder) + kLineEnd;
    QStringList walking;
    if (!Scan(folder, walking))
        return std::nullopt;
    return text_;
}

bool DirListing::Scan(const QString& folder, QStringList& walking) {
    const std::optional<Entries> entries = Read(folder, keepGoing_);
    if (!entries)
        return false;
    walking.append(QFileInfo(folder).canonicalFilePath());
    for (const QString& name : entries->files) {
        text_ += prefix_ + name + kLineEnd;
        if (!keepGoing_())
            return false;
    }
    const QDir dir(folder);
    for (const QString& name : entries->folders) {
        const QString sub = dir.filePath(name);
        text_ += kLineEnd + Shown(sub) + kLineEnd;
        if (!keepGoing_())
            return false;
        if (walking.contains(QFileInfo(sub).canonicalFilePath()))
            continue;
        if (!Scan(sub, walking))
            return false;
    }
    walking.removeLast();
    return true;
}
