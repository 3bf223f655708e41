// The four most recent files, kept in the settings under "MRU" as mru1 (oldest) to mru4, and drawn
// by the menus whenever the list may have changed.
#pragma once

#include <QObject>
#include <QString>

#include <array>

class Settings;

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kEntries = 4;

    explicit RecentFiles(Settings& settings, QObject* parent = nullptr);

    void Read();
    // Adds a file not yet in the list at the end, the oldest giving way when it is full.
    void Add(const QString& path);
    void Remove(int entry);
    // Entries 1 to 4, as last read or written.
    const QString& Entry(int entry) const { return entries_[entry]; }
    // The entry as the settings hold it now.
    QString Stored(int entry) const;

signals:
    // The list may have changed, or the files it names may have come or gone: draw it again.
    void changed();

private:
    void Write(int entry);

    Settings& settings_;
    std::array<QString, kEntries + 1> entries_;
};
