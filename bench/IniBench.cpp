#include "IniBench.h"

#include "BareToolkit.h"
#include "BenchShell.h"
#include "DocumentWindow.h"
#include "EventQueue.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

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
        text +=
            QStringLiteral("Key%1=value %2\r\n").arg(Scrambled(k, kWideKeys), 5, 10, QLatin1Char('0')).arg(k);
    return text;
}

// The bare toolkit: the same nodes in a QTreeWidget, built in bulk, no sorting.
struct Toolkit {
    QTreeWidget tree;

    Toolkit() { BareToolkit::ShowAsPad(tree); }
    void Open(const QString& path) {
        auto* root = new QTreeWidgetItem(QStringList{QFileInfo(path).fileName()});
        QList<QTreeWidgetItem*> sections;
        QList<QTreeWidgetItem*> lines;
        const auto close = [&] {
            if (!sections.isEmpty())
                sections.last()->addChildren(lines);
            lines.clear();
        };
        for (QString line : BareToolkit::Read(path).split(QLatin1Char('\n'))) {
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
        BareToolkit::Write(path, text);
    }
};

} // namespace

IniBench::IniBench(const QString& folder) : folder_(folder) {
    ready_ = WriteFile(ManyPath(), ManyText()) && WriteFile(WidePath(), WideText());
}

void IniBench::Ours(const QString& path, const ChildRun::Record& record) const {
    BenchShell shell(folder_ + "/shell");
    DocumentWindow* window = shell.OpenCopy(path, path + ".ours.ini", DocType::INI, record);
    record(EventQueue::TimedUntilIdle([&] { window->SaveFile(); }));
}

void IniBench::Bare(const QString& path, const ChildRun::Record& record) const {
    Toolkit toolkit;
    record(EventQueue::TimedUntilIdle([&] { toolkit.Open(path); }));
    record(EventQueue::TimedUntilIdle([&] { toolkit.Save(path + ".bare"); }));
}
