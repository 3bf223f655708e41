#include "TextInput.h"

#include <QFile>

#include <random>

namespace {

const char* const kWords[] = {"alpha", "beta",    "gamma",  "delta",  "window", "section", "value",
                              "key",   "déjà",    "über",   "naïve",  "€uro",   "path",    "config",
                              "shell", "drivers", "system", "string", "[boot]", "386Enh",  "=1"};

int LineLength(std::mt19937& random, TextInput::Lines lines) {
    if (lines == TextInput::Lines::Realistic)
        return 10 + int(random() % 101);
    return random() % 4 == 0 ? 2000 : 10 + int(random() % 70);
}

QByteArray Line(std::mt19937& random, TextInput::Lines lines) {
    const int length = LineLength(random, lines);
    QByteArray line;
    while (line.size() < length) {
        line += kWords[random() % std::size(kWords)];
        line += ' ';
    }
    return line + "\r\n";
}

} // namespace

qint64 TextInput::Write(const QString& path, qint64 size, Lines lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    std::mt19937 random(1252);
    QByteArray chunk;
    qint64 written = 0;
    const QByteArray last = QByteArray("the end: ") + kLastWord + "\r\n";
    while (written + chunk.size() + last.size() < size) {
        chunk += Line(random, lines);
        if (chunk.size() > (1 << 20)) {
            written += file.write(chunk);
            chunk.clear();
        }
    }
    written += file.write(chunk + last);
    return file.error() == QFile::NoError ? written : -1;
}
