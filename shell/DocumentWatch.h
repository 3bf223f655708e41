// Follows a document's file on disk: whether another program changed or removed it since this
// program last read or wrote it, and whether the user was already asked about its present state.
#pragma once

#include "FileStamp.h"

#include <QObject>
#include <QString>

#include <optional>

class QFileSystemWatcher;
class QTimer;

class DocumentWatch : public QObject {
    Q_OBJECT
public:
    explicit DocumentWatch(QObject* parent);

    // Follows the file at path from its known content; an empty path follows nothing.
    void Follow(const QString& path, const FileStamp& known);
    const FileStamp& Known() const { return known_; }

    enum class State { Same, Changed, Removed };
    // The file as it is now beside the content last read or written. Watchers miss some changes,
    // so this looks at the file itself; the bytes are read again only when its identity changed.
    State Check();
    // True the first time the state found by the last Check is asked about, so that the user is
    // asked once per change.
    bool FirstAsk();

signals:
    // The file system saw the file change, and the writes have paused; Check tells whether its
    // content changed.
    void touched();

private:
    void Watch();

    QFileSystemWatcher* watcher_;
    QTimer* settle_;
    QString path_;
    FileStamp known_;
    FileStamp seen_;
    std::optional<FileStamp> asked_;
};
