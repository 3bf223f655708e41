#include "TextBench.h"

#include "BenchShell.h"
#include "DocumentWindow.h"

#include "TextFile.h"
#include "TextInput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>

#include <memory>

namespace {

// The bare toolkit's pad, the size the program's text window gives its pad.
std::unique_ptr<QPlainTextEdit> MakeTextWindow() {
    auto pad = std::make_unique<QPlainTextEdit>();
    pad->resize(800, 600);
    pad->show();
    return pad;
}

QPlainTextEdit* PadOf(DocumentWindow* window) {
    return window->findChild<QPlainTextEdit*>(QStringLiteral("pad"));
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
    BenchShell shell(folder_);
    return Timed([&] { shell.Open(input_, DocType::TXT); });
}

double TextBench::OpenBare() const {
    const auto pad = MakeTextWindow();
    return Timed([&] { OpenBareInto(pad.get(), input_); });
}

double TextBench::SaveOurs() const {
    BenchShell shell(folder_);
    DocumentWindow* window = shell.Open(input_, DocType::TXT);
    return Timed([&] { window->SaveFile(); });
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
    BenchShell shell(folder_);
    QPlainTextEdit* pad = PadOf(shell.Open(input_, DocType::TXT));
    return Timed([&] { pad->find(TextInput::kLastWord); });
}

double TextBench::FindBare() const {
    const auto pad = MakeTextWindow();
    OpenBareInto(pad.get(), input_);
    return Timed([&] { pad->document()->find(TextInput::kLastWord, 0); });
}
