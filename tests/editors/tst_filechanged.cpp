#include "EditorShell.h"
#include "Global.h"
#include "ScriptedResponder.h"
#include "TestFiles.h"
#include "form_INI.h"
#include "form_TXT.h"
#include "mdform_QLEditor.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include <utime.h>

namespace {
using TxtShell = EditorShell<form_TXT, DocType::TXT>;
using IniShell = EditorShell<form_INI, DocType::INI>;

const QString kReload = QStringLiteral("This file was changed by another program.  Reload it?\r");
const QString kReloadChanged =
    QStringLiteral("This file was changed by another program.  Reload it and lose your changes?\r");
const QString kOverwrite =
    QStringLiteral("This file was changed by another program since it was read or saved.  Overwrite it?\r");
const QString kRemoved =
    QStringLiteral("This file was removed by another program.  Saving the document writes it anew.\r");

// Another program writes the file: a real process, as an installer or a game would.
void RewriteElsewhere(const QString& path, const QByteArray& bytes) {
    QProcess writer;
    writer.start("sh", {"-c", "cat > \"$0\"", path});
    writer.write(bytes);
    writer.closeWriteChannel();
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitCode(), 0);
}

QPlainTextEdit* Pad(form_TXT* w) {
    return w->findChild<QPlainTextEdit*>("pad");
}

void ExpectAsked(ScriptedResponder& r, const QString& text, const QString& title) {
    QVERIFY(!r.calls().isEmpty());
    QCOMPARE(r.calls().last().text, text);
    QCOMPARE(r.calls().last().title, title);
}
} // namespace

class tst_filechanged : public QObject {
    Q_OBJECT

private slots:
    void unchangedDocumentReloadsOncePerChange() {
        TxtShell s;
        form_TXT* w = s.OpenBytes("a.txt", "one\r\ntwo\r\nthree\r\n");
        const QString path = s.env.path("a.txt");
        QTextCursor caret = Pad(w)->textCursor();
        caret.setPosition(6);
        Pad(w)->setTextCursor(caret);

        // Touched but not changed: nothing to ask.
        QCOMPARE(::utime(QFile::encodeName(path).constData(), nullptr), 0);
        w->CheckFile();
        QVERIFY(s.r.calls().isEmpty());

        RewriteElsewhere(path, "one\r\nTWO\r\nthree\r\nfour\r\n");
        s.r.expectMsgBox(qlx::vbNo);
        w->CheckFile();
        ExpectAsked(s.r, kReload + path, "File Changed");
        // Once per change: the same content is not asked about again, a new change is.
        w->CheckFile();
        RewriteElsewhere(path, "one\r\n2\r\nthree\r\nfour\r\n");
        s.r.expectMsgBox(qlx::vbYes);
        w->CheckFile();
        QCOMPARE(s.r.calls().size(), 2);
        QCOMPARE(w->Text(), QStringLiteral("one\n2\nthree\nfour\n"));
        QCOMPARE(Pad(w)->textCursor().position(), 6);
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(s.g.Slot(DocType::TXT, w->Slot()).window.data(), w);

        // Its own save is no change by another program.
        QTest::keyClicks(Pad(w), "x");
        QVERIFY(w->SaveFile());
        w->CheckFile();
        QCOMPARE(s.r.calls().size(), 2);

        // The option to follow the file without asking.
        s.g.settings.Write("Reload Unchanged Files", "1");
        RewriteElsewhere(path, "quiet\r\n");
        w->CheckFile();
        QCOMPARE(w->Text(), QStringLiteral("quiet\n"));
        QCOMPARE(s.r.calls().size(), 2);
    }

    void changedDocumentKeepsEditsAndSaveAsks() {
        TxtShell s;
        form_TXT* w = s.OpenBytes("a.txt", "one\r\n");
        const QString path = s.env.path("a.txt");
        QTest::keyClicks(Pad(w), "x");
        RewriteElsewhere(path, "theirs\r\n");

        // The automatic save leaves the question for the user.
        s.main.SaveAllDocuments(true);
        QCOMPARE(ReadAll(path), QByteArray("theirs\r\n"));
        QVERIFY(s.r.calls().isEmpty());

        s.r.expectMsgBox(qlx::vbNo);
        w->CheckFile();
        ExpectAsked(s.r, kReloadChanged + path, "File Changed");
        QCOMPARE(w->Text(), QStringLiteral("xone\n"));
        QVERIFY(s.slot(w).changed);

        s.r.expectMsgBox(qlx::vbNo);
        QVERIFY(!w->SaveFile());
        ExpectAsked(s.r, kOverwrite + path, "File Changed");
        QCOMPARE(ReadAll(path), QByteArray("theirs\r\n"));
        s.r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(path), QByteArray("xone\r\n"));

        // A removed file is mentioned once and written anew by the next save, without a question.
        QVERIFY(QFile::remove(path));
        s.r.expectMsgBox(qlx::vbOK);
        w->CheckFile();
        ExpectAsked(s.r, kRemoved + path, "File Removed");
        w->CheckFile();
        QTest::keyClicks(Pad(w), "y");
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(path), QByteArray("xyone\r\n"));
        QCOMPARE(s.r.calls().size(), 4);
    }

    void reloadKeepsTheSelectedKey() {
        IniShell s;
        form_INI* w = s.OpenBytes("a.ini", "[a]\r\nk=1\r\n[b]\r\nm=2\r\n");
        QTreeWidget* tree = w->Tree();
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QTreeWidgetItem* b = root->child(1);
        tree->setCurrentItem(b->child(0));
        const QString key = b->child(0)->text(0);
        const QString section = b->text(0);

        RewriteElsewhere(s.env.path("a.ini"), "[a]\r\nk=1\r\n[b]\r\nm=2\r\nn=3\r\n[c]\r\n");
        s.r.expectMsgBox(qlx::vbYes);
        w->CheckFile();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 3);
        QCOMPARE(tree->currentItem()->text(0), key);
        QCOMPARE(tree->currentItem()->parent()->text(0), section);

        // A key that is gone leaves its section selected.
        RewriteElsewhere(s.env.path("a.ini"), "[b]\r\n");
        s.r.expectMsgBox(qlx::vbYes);
        w->CheckFile();
        QCOMPARE(tree->currentItem()->text(0), section);
        QVERIFY(!s.g.Slot(DocType::INI, w->Slot()).changed);
    }
};

QTEST_MAIN(tst_filechanged)
#include "tst_filechanged.moc"
