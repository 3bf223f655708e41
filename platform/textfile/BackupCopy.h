// The old content of a file being written in place, kept in a copy until the new content is on disk,
// so that a save killed on the way leaves the old bytes under a name that says what they are:
// ".<name>.qlx-backup-XXXXXX" beside the file, or in the user's data folder ($XDG_DATA_HOME/QLX/
// backups) when the file's folder takes no new file. The copy is complete before it has a name, and
// held locked by its writer. A record in the data folder (QLX/saving: a link named as the copy that
// leads to the file) is made before the copy is named and removed after it, so that a copy left by a
// save that did not finish is found again.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

struct LeftCopy {
    QString document;
    QString copy;
};

class BackupCopy {
public:
    // target is the file's encoded name with symbolic links resolved.
    explicit BackupCopy(QByteArray target);
    // A copy not removed stays, with its record.
    ~BackupCopy();
    BackupCopy(const BackupCopy&) = delete;
    BackupCopy& operator=(const BackupCopy&) = delete;

    // Writes, syncs and names the copy of the old content: 0 or the system's error number.
    int Make(QByteArrayView old);
    // Once the file holds whole content again.
    void Remove();

    // The copies left by saves that did not finish: of every file, or of the file at path. A copy
    // still being written by its save is not one; a copy whose bytes its file holds again is
    // removed on the way, and so is the record of a copy that is gone.
    static QList<LeftCopy> Left(const QString& path = QString());

private:
    int MakeIn(const QByteArray& folder, QByteArrayView old);
    // The record first: no named copy is ever without one.
    int Name(const QByteArray& folder);

    QByteArray target_;
    QByteArray prefix_;
    QByteArray copy_;
    QByteArray record_;
    int fd_ = -1;
};
