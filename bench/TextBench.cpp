#include "TextBench.h"

#include "TextFile.h"
#include "TextInput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>

#include <memory>

namespace {

// The program's text window. Until its own window class lands these stand in for it: a
// QPlainTextEdit filled and searched the way the window does it.
std::unique_ptr<QPlainTextEdit> MakeTextWindow() {
    auto pad = std::make_unique<QPlainTextEdit>();
    pad->resize(800, 600);
    pad->show();
    return pad;
}

void OpenIntoTextWindow(QPlainTextEdit* pad, const QString& path) {
    DecodedText decoded;
    if (!TextFile::Read(path, &decoded))
        pad->setPlainText(decoded.text);
}

bool FindNextInTextWindow(QPlainTextEdit* pad, const QString& word) {
    return pad->find(word);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void OpenBareInto(QPlainTextEdit* pad, const QString& path) {
    pad->setPlainText(QString::fromUtf8(ReadBytes(path)));
}

template <typename Work> double Timed(Work work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

double TextBench::OpenOurs() const {
    const auto pad = MakeTextWindow();
    return Timed([&] { OpenIntoTextWindow(pad.get(), input_); });
}

double TextBench::OpenBare() const {
    const auto pad = MakeTextWindow();
    return Timed([&] { OpenBareInto(pad.get(), input_); });
}

double TextBench::SaveOurs() const {
    DecodedText decoded;
    TextFile::Read(input_, &decoded);
    const QString path = folder_ + "/saved-ours.txt";
    return Timed([&] { TextFile::Save(path, decoded.text, &decoded.format); });
}

double TextBench::SaveBare() const {
    const QString text = QString::fromUtf8(ReadBytes(input_));
    const QString path = folder_ + "/saved-bare.txt";
    return Timed([&] {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
        file.commit();
    });
}

double TextBench::FindOurs() const {
    const auto pad = MakeTextWindow();
    OpenIntoTextWindow(pad.get(), input_);
    return Timed([&] { FindNextInTextWindow(pad.get(), TextInput::kLastWord); });
}

double TextBench::FindBare() const {
    const auto pad = MakeTextWindow();
    OpenBareInto(pad.get(), input_);
    return Timed([&] { pad->document()->find(TextInput::kLastWord, 0); });
}
