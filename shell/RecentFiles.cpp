#include "RecentFiles.h"

#include "Settings.h"

namespace {
const QString kRecentKey = QStringLiteral("MRU");

QString Name(int entry) {
    return QStringLiteral("mru%1").arg(entry);
}
} // namespace

RecentFiles::RecentFiles(Settings& settings, QObject* parent) : QObject(parent), settings_(settings) {}

void RecentFiles::Read() {
    for (int entry = 1; entry <= kEntries; ++entry)
        entries_[entry] = Stored(entry);
    emit changed();
}

QString RecentFiles::Stored(int entry) const {
    return settings_.Read(Name(entry), kRecentKey);
}

void RecentFiles::Write(int entry) {
    settings_.Write(Name(entry), entries_[entry], kRecentKey);
}

void RecentFiles::Add(const QString& path) {
    const auto add = [this, &path] {
        for (int entry = 1; entry <= kEntries; ++entry) {
            if (entries_[entry] == path)
                return;
        }
        for (int entry = 1; entry <= kEntries; ++entry) {
            if (entries_[entry].isEmpty()) {
                entries_[entry] = path;
                Write(entry);
                return;
            }
        }
        for (int entry = 1; entry < kEntries; ++entry) {
            entries_[entry] = entries_[entry + 1];
            Write(entry);
        }
        entries_[kEntries] = path;
        Write(kEntries);
    };
    add();
    emit changed();
}

void RecentFiles::Remove(int entry) {
    for (int i = entry; i < kEntries; ++i) {
        entries_[i] = entries_[i + 1];
        Write(i);
    }
    entries_[kEntries].clear();
    Write(kEntries);
    emit changed();
}
