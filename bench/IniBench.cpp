#include "IniBench.h"

#include "BenchShell.h"
#include "form_INI.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTreeWidget>

#include <functional>

namespace {

constexpr int kSections = 10000;
constexpr int kLinesPerSection = 9;
constexpr int kWideKeys = 50000;

// A fixed scramble of 0 .. count-1, so that neither sections nor keys come in sorted order.
int Scrambled(int index, int count) {
    return int((qint64(index) * 7919) % count);
}

bool WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

QString ManyText() {
    QString text;
    for (int s = 0; s < kSections; ++s) {
        text += QStringLiteral("[Section%1]\r\n").arg(Scrambled(s, kSections), 5, 10, QLatin1Char('0'));
        text += QStringLiteral(";settings of this section\r\n");
        for (int k = kLinesPerSection - 1; k > 0; --k)
            text += QStringLiteral("Key%1=value %2 of the section\r\n").arg(k).arg(s);
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString WideText() {
    QString text = QStringLiteral("[Wide]\r\n");
    for (int k = 0; k < kWideKeys; ++k)
        text += QStringLiteral("Key%1=value %2\r\n").arg(Scrambled(k, kWideKeys), 5, 10, QLatin1Char('0')).arg(k);
    return text;
}

double Timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Opens the file in the INI window of the program's main window, shown once.
form_INI* OpenInProgram(BenchShell& shell, const QString& path) {
    auto* window = qobject_cast<form_INI*>(shell.Open(path, DocType::INI));
    QApplication::processEvents();
    return window;
}

// The bare toolkit: the same nodes in a QTreeWidget, built in bulk, no sorting.
struct Bare {
    QTreeWidget tree;

    Bare() {
        tree.resize(800, 600);
        tree.show();
    }
    void Open(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        auto* root = new QTreeWidgetItem(QStringList{QFileInfo(path).fileName()});
        QList<QTreeWidgetItem*> sections;
        QList<QTreeWidgetItem*> lines;
        const auto close = [&] {
            if (!sections.isEmpty())
                sections.last()->addChildren(lines);
            lines.clear();
        };
        for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.startsWith(QLatin1Char('['))) {
                close();
                sections.append(new QTreeWidgetItem(QStringList{line.mid(1, line.size() - 2)}));
            } else if (!line.isEmpty()) {
                lines.append(new QTreeWidgetItem(QStringList{line}));
            }
        }
        close();
        root->addChildren(sections);
        tree.addTopLevelItem(root);
        root->setExpanded(true);
        QApplication::processEvents();
    }
    void Save(const QString& path) const {
        QString text;
        const QTreeWidgetItem* root = tree.topLevelItem(0);
        for (int s = 0; s < root->childCount(); ++s) {
            const QTreeWidgetItem* section = root->child(s);
            text += QLatin1Char('[') + section->text(0) + QStringLiteral("]\r\n");
            for (int l = 0; l < section->childCount(); ++l)
                text += section->child(l)->text(0) + QStringLiteral("\r\n");
            text += QStringLiteral("\r\n");
        }
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
        file.commit();
    }
};

} // namespace

IniBench::IniBench(const QString& folder) : folder_(folder) {
    ready_ = WriteFile(ManyPath(), ManyText()) && WriteFile(WidePath(), WideText());
}

double IniBench::Open(const QString& path, bool bare) const {
    if (bare) {
        Bare toolkit;
        return Timed([&] { toolkit.Open(path); });
    }
    BenchShell shell(folder_ + "/shell");
    return Timed([&] { OpenInProgram(shell, path); });
}

double IniBench::Save(const QString& path, bool bare) const {
    if (bare) {
        Bare toolkit;
        toolkit.Open(path);
        return Timed([&] { toolkit.Save(path + ".bare"); });
    }
    // The window saves to the file it opened: a copy, so the input stays as generated.
    const QString copy = path + ".ours.ini";
    QFile::remove(copy);
    QFile::copy(path, copy);
    BenchShell shell(folder_ + "/shell");
    form_INI* window = OpenInProgram(shell, copy);
    return Timed([&] { window->SaveFile(); });
}
