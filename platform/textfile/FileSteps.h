// The steps of writing a file safely that a replacement and a write in place share. Those that
// return an int return 0 or the system's error number.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <sys/types.h>

namespace FileSteps {

constexpr int kRandomLength = 6;
constexpr int kNameAttempts = 100;

// errno, or EIO where a call failed without setting it.
int Fail();

// The folder of a file's encoded name.
QByteArray Folder(const QByteArray& file);
// The name with symbolic links resolved; empty when there is no such file.
QByteArray RealPath(const QByteArray& name);
// What the names of a file's copies start with: a hidden name made of the file's own, then the kind
// of copy, ".qlx-" or ".qlx-backup-".
QByteArray CopyPrefix(const QByteArray& file, const char* kind);
// The prefix followed by a random part: a new copy's name.
QByteArray RandomName(const QByteArray& prefix);
bool IsRandomName(const QByteArray& name, const QByteArray& prefix);

// A new file in the folder that has no name yet, held locked by this process, so that a writer
// killed before it names the file leaves nothing behind. EOPNOTSUPP, EISDIR or EINVAL where the
// file system has no unnamed files.
int OpenUnnamed(const QByteArray& folder, mode_t mode, int* fd);
// Gives an unnamed file its name; EEXIST when the name is taken.
int NameUnnamed(int fd, const QByteArray& name);

int WriteAll(int fd, QByteArrayView bytes);
// Makes a change of the folder's names last through a power failure; a failure here loses nothing.
void SyncFolder(const QByteArray& folder);

} // namespace FileSteps
