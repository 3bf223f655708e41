// The new content of a file, written beside it and put in its place in one step, so that the file
// is at every moment either as it was or wholly new. The copy being written is held locked by its
// writer; a copy whose writer was killed is found unlocked and removed by the next save.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <sys/stat.h>

class ReplacingFile {
public:
    // target is the file's encoded name with symbolic links resolved.
    explicit ReplacingFile(QByteArray target);
    // Removes a copy that was not committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Each returns 0 or the system's error number.
    // existing is the file being replaced, whose owner and mode the new content keeps; null for
    // a new file. EPERM when the new content could not keep the owner and group.
    int Open(const struct stat* existing);
    int Write(QByteArrayView piece);
    int Commit();

private:
    int OpenUnnamed();
    int OpenNamed();
    // Gives the unnamed copy its name beside the target.
    int Name();
    void RemoveAbandonedCopies() const;

    QByteArray target_;
    QByteArray folder_;
    // What every copy's name starts with: a hidden name made of the file's own.
    QByteArray prefix_;
    QByteArray copy_;
    int fd_ = -1;
};
