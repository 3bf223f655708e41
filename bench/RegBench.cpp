#include "RegBench.h"

#include "BenchShell.h"
#include "Dialogs.h"
#include "DocumentWindow.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QSaveFile>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace {

constexpr int kKeys = 100000;

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

bool WriteInput(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("REGEDIT4\r\n\r\n");
    for (int key = 0; key < kKeys; ++key)
        file.write(KeyBlock(key));
    return file.commit();
}

double Timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Answers the large-file question, and any other, with Yes.
class Yes : public qlx::DialogResponder {
public:
    Yes() { qlx::SetDialogResponder(this); }
    ~Yes() override { qlx::SetDialogResponder(nullptr); }
    int msgBox(const QString&, int, const QString&) override { return qlx::vbYes; }
    bool inputBox(const QString&, const QString&, const QString&, QString*) override { return false; }
    bool commonDialog(CommonDialog&, qlx::CommonDialogKind) override { return false; }
    int form(QDialog&) override { return 0; }
};

// A search text that is nowhere in the input.
const QString kMissing = QStringLiteral("nowhere in the file");

// Fills the Find dialog with the missing text and declines to go on from the top.
class Finder : public qlx::DialogResponder {
public:
    Finder() { qlx::SetDialogResponder(this); }
    ~Finder() override { qlx::SetDialogResponder(nullptr); }
    int msgBox(const QString&, int, const QString&) override { return qlx::vbNo; }
    bool inputBox(const QString&, const QString&, const QString&, QString*) override { return false; }
    bool commonDialog(CommonDialog&, qlx::CommonDialogKind) override { return false; }
    int form(QDialog& dialog) override {
        dialog.findChild<QLineEdit*>(QStringLiteral("txt_Find"))->setText(kMissing);
        return QDialog::Accepted;
    }
};

DocumentWindow* OpenInProgram(BenchShell& shell, const QString& path) {
    DocumentWindow* window = shell.Open(path, DocType::REG);
    QApplication::processEvents();
    return window;
}

// The bare toolkit: the key tree in a QTreeWidget, found through a hash of key paths, with the
// value lines of each key as read.
struct Bare {
    QTreeWidget tree;
    QHash<const QTreeWidgetItem*, QStringList> values;

    Bare() {
        tree.resize(800, 600);
        tree.show();
    }
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
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        auto* root = new QTreeWidgetItem(QStringList{QStringLiteral("input.reg")});
        QHash<QString, QTreeWidgetItem*> keys;
        QTreeWidgetItem* current = root;
        for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.startsWith(QLatin1Char('[')))
                current = Key(root, keys, line.mid(1, line.size() - 2));
            else if (!line.isEmpty())
                values[current].append(line);
        }
        tree.addTopLevelItem(root);
        QApplication::processEvents();
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
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
        file.commit();
    }
};

} // namespace

RegBench::RegBench(const QString& folder) : folder_(folder) {
    ready_ = WriteInput(InputPath());
}

double RegBench::OpenOurs() const {
    Yes yes;
    BenchShell shell(folder_ + "/shell");
    return Timed([&] { OpenInProgram(shell, InputPath()); });
}

double RegBench::OpenBare() const {
    Bare toolkit;
    return Timed([&] { toolkit.Open(InputPath()); });
}

double RegBench::SaveOurs() const {
    // The window saves to the file it opened: a copy, so the input stays as generated.
    const QString copy = folder_ + "/ours.reg";
    QFile::remove(copy);
    QFile::copy(InputPath(), copy);
    Yes yes;
    BenchShell shell(folder_ + "/shell");
    DocumentWindow* window = OpenInProgram(shell, copy);
    return Timed([&] { window->FileSaveRegular(); });
}

double RegBench::SaveBare() const {
    Bare toolkit;
    toolkit.Open(InputPath());
    return Timed([&] { toolkit.Save(folder_ + "/bare.reg"); });
}

double RegBench::FindOurs() const {
    BenchShell shell(folder_ + "/shell");
    DocumentWindow* window = nullptr;
    {
        Yes yes;
        window = OpenInProgram(shell, InputPath());
    }
    Finder finder;
    return Timed([&] { window->SearchFind(); });
}

double RegBench::FindBare() const {
    Bare toolkit;
    toolkit.Open(InputPath());
    return Timed([&] { toolkit.Find(toolkit.tree.topLevelItem(0), kMissing); });
}
