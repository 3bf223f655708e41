#include "RegBench.h"

#include "Answers.h"
#include "BareToolkit.h"
#include "BenchShell.h"
#include "DocumentWindow.h"
#include "EventQueue.h"

#include <QDialog>
#include <QHash>
#include <QLineEdit>
#include <QSaveFile>
#include <QTreeWidget>

namespace {

QByteArray KeyBlock(int key) {
    const int vendor = key / 1000;
    const int product = key / 10 % 100;
    const int group = key % 10;
    const QByteArray v = QByteArray::number(vendor).rightJustified(3, '0');
    const QByteArray p = QByteArray::number(product).rightJustified(4, '0');
    const QByteArray g = QByteArray::number(group);
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + v + "\\Product" + p + "\\Settings" + g + "]\r\n" +
           "\"DisplayName\"=\"Product " + p + " of vendor " + v + ", settings group " + g +
           " (generated)\"\r\n" + "\"InstallPath\"=\"C:\\\\Program Files\\\\Vendor" + v + "\\\\Product" + p +
           "\\\\bin\"\r\n" + "\"Version\"=dword:" + QByteArray::number(key, 16).rightJustified(8, '0') +
           "\r\n" +
           "\"Flags\"=dword:00000010\r\n"
           "\"Data\"=hex:00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff,00,11,22,33,44,55,66,\\\r\n"
           "  77,88,99,aa,bb,cc,dd,ee,ff,00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff,\\\r\n"
           "  00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff,00,11,22,33\r\n"
           "\"Description\"=\"Settings group " +
           g + " of product " + p +
           ", kept for the benchmark run of the registry window\"\r\n"
           "\r\n";
}

bool WriteInput(const QString& path, int keys) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("REGEDIT4\r\n\r\n");
    for (int key = 0; key < keys; ++key)
        file.write(KeyBlock(key));
    return file.commit();
}

// A search text that is nowhere in the input.
const QString kMissing = QStringLiteral("nowhere in the file");

// Fills the Find dialog with the missing text and declines to go on from the top.
class Finder : public Answers {
public:
    Finder() : Answers(qlx::vbNo) {}
    int form(QDialog& dialog) override {
        dialog.findChild<QLineEdit*>(QStringLiteral("txt_Find"))->setText(kMissing);
        return QDialog::Accepted;
    }
};

// The bare toolkit: the key tree in a QTreeWidget, found through a hash of key paths, with the
// value lines of each key as read.
struct Toolkit {
    QTreeWidget tree;
    QHash<const QTreeWidgetItem*, QStringList> values;

    Toolkit() { BareToolkit::ShowAsPad(tree); }
    QTreeWidgetItem* Key(QTreeWidgetItem* root, QHash<QString, QTreeWidgetItem*>& keys, const QString& path) {
        QTreeWidgetItem*& item = keys[path];
        if (!item) {
            const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
            QTreeWidgetItem* parent = cut < 0 ? root : Key(root, keys, path.left(cut));
            item = new QTreeWidgetItem(parent, QStringList{path.mid(cut + 1)});
        }
        return item;
    }
    void Open(const QString& path) {
        auto* root = new QTreeWidgetItem(QStringList{QStringLiteral("input.reg")});
        QHash<QString, QTreeWidgetItem*> keys;
        QTreeWidgetItem* current = root;
        for (QString line : BareToolkit::Read(path).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.startsWith(QLatin1Char('[')))
                current = Key(root, keys, line.mid(1, line.size() - 2));
            else if (!line.isEmpty())
                values[current].append(line);
        }
        tree.addTopLevelItem(root);
    }
    void Write(QString& text, const QTreeWidgetItem* item, const QString& path) const {
        const QStringList lines = values.value(item);
        if (!lines.isEmpty())
            text += QLatin1Char('[') + path + QStringLiteral("]\r\n") + lines.join(QStringLiteral("\r\n")) +
                    QStringLiteral("\r\n\r\n");
        for (int i = 0; i < item->childCount(); ++i)
            Write(text, item->child(i),
                  path.isEmpty() ? item->child(i)->text(0) : path + '\\' + item->child(i)->text(0));
    }
    // Every key name and value line, for a text: what the registry window's Find goes through.
    bool Find(const QTreeWidgetItem* item, const QString& text) const {
        if (item->text(0).contains(text, Qt::CaseInsensitive))
            return true;
        for (const QString& line : values.value(item)) {
            if (line.contains(text, Qt::CaseInsensitive))
                return true;
        }
        for (int i = 0; i < item->childCount(); ++i) {
            if (Find(item->child(i), text))
                return true;
        }
        return false;
    }
    void Save(const QString& path) const {
        QString text = QStringLiteral("REGEDIT4\r\n\r\n");
        const QTreeWidgetItem* root = tree.topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            Write(text, root->child(i), root->child(i)->text(0));
        BareToolkit::Write(path, text);
    }
};

} // namespace

RegBench::RegBench(const QString& folder, int keys) : folder_(folder), keys_(keys) {
    ready_ = WriteInput(InputPath(), keys);
}

void RegBench::Ours(const ChildRun::Record& record) const {
    BenchShell shell(folder_ + "/shell");
    DocumentWindow* window = nullptr;
    {
        const Answers yes(qlx::vbYes);
        window = shell.OpenCopy(InputPath(), folder_ + "/ours.reg", DocType::REG, record);
        record(EventQueue::TimedUntilIdle([&] { window->FileSaveRegular(); }));
    }
    Finder finder;
    record(EventQueue::TimedUntilIdle([&] { window->SearchFind(); }));
}

void RegBench::Bare(const ChildRun::Record& record) const {
    Toolkit toolkit;
    record(EventQueue::TimedUntilIdle([&] { toolkit.Open(InputPath()); }));
    record(EventQueue::TimedUntilIdle([&] { toolkit.Save(folder_ + "/bare.reg"); }));
    record(EventQueue::TimedUntilIdle([&] { toolkit.Find(toolkit.tree.topLevelItem(0), kMissing); }));
}
