// Saves one document over and over, the old and the new version in turn, until it is killed.
// Usage: save_loop <path>. Prints "ready" once both versions are made.
#include "FileBytes.h"
#include "SaveContents.h"
#include "TextFile.h"

#include <QString>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: save_loop <path>\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray versions[2] = {crash::SaveContents(false), crash::SaveContents(true)};
    std::cout << "ready" << std::endl;
    // The first save changes what is on disk, so that a kill during it tests the replacement.
    QByteArray current;
    FileBytes::Read(path, &current);
    for (bool newer = current != versions[1];; newer = !newer) {
        if (TextFile::Write(path, versions[newer])) {
            std::cerr << "save failed\n";
            return 1;
        }
    }
}
