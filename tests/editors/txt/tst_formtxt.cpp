#include "EditorShell.h"
#include "Global.h"
#include "ProgressProbe.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "form_TXT.h"
#include "mdform_QLEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {
const QString kChanged = QStringLiteral(" [CHANGED]");

using Shell = EditorShell<form_TXT, DocType::TXT>;

QPlainTextEdit* Pad(form_TXT* w) {
    return w->findChild<QPlainTextEdit*>("pad");
}
} // namespace

class tst_formtxt : public QObject {
    Q_OBJECT

private slots:
    void newAndOpenLeaveTheDocumentUnchanged() {
        Shell s;
        s.g.settings.startEditorsMax = true;
        form_TXT* fresh = s.New();
        QVERIFY(fresh);
        QCOMPARE(fresh->windowTitle(), QStringLiteral("New Text Document"));
        QVERIFY(fresh->isMaximized());
        QVERIFY(!s.slot(fresh).changed);

        form_TXT* w = s.OpenBytes("a.txt", "one\r\ntwo\r\n");
        QCOMPARE(w->windowTitle(), QStringLiteral("a.txt"));
        QCOMPARE(w->Text(), QStringLiteral("one\ntwo\n"));
        QCOMPARE(Pad(w)->font().family(), s.g.settings.txtDefaultFont);
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(s.g.settings.Read("mru1", "MRU"), s.env.path("a.txt"));

        QTest::keyClick(Pad(w), Qt::Key_Down);
        QTest::keyClick(Pad(w), Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(!s.slot(w).changed);
        QTest::keyClicks(Pad(w), "x");
        QVERIFY(s.slot(w).changed);
        QCOMPARE(w->windowTitle(), "a.txt" + kChanged);
        w->Altered(true);
        QCOMPARE(w->windowTitle(), "a.txt" + kChanged);
        w->Altered(false);
        w->Altered(false);
        QCOMPARE(w->windowTitle(), QStringLiteral("a.txt"));
    }

    // The Edit menu's Undo and Redo drive the pad's own history, and show what it holds.
    void undoAndRedoDriveThePad() {
        Shell s;
        form_TXT* w = s.New();
        s.main.MDIArea()->setActiveSubWindow(w);
        w->Activate();
        QVERIFY(!s.Enabled("menu_EditUndo"));
        auto* pad = w->findChild<QPlainTextEdit*>("pad");
        pad->insertPlainText("typed");
        QVERIFY(s.Enabled("menu_EditUndo"));
        s.main.Menus().Action("menu_EditUndo")->trigger();
        QCOMPARE(pad->toPlainText(), QString());
        QVERIFY(s.Enabled("menu_EditRedo"));
        s.main.Menus().Action("menu_EditRedo")->trigger();
        QCOMPARE(pad->toPlainText(), QStringLiteral("typed"));
    }

    void suppressedRecentIsClearedOnce() {
        Shell s;
        s.g.suppressRecent = true;
        s.OpenBytes("a.txt", "a");
        QVERIFY(!s.g.suppressRecent);
        QVERIFY(s.g.settings.Read("mru1", "MRU").isEmpty());
    }

    void unchangedDocumentSavesByteForByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray high;
        for (int c = 0x80; c <= 0xFF; ++c)
            high += char(c);
        QTest::newRow("cp1252 CR LF") << "caf\xE9\xA0x\r\n" + high + "\r\n";
        QTest::newRow("UTF-8 LF") << QByteArray("na\xC3\xAFve\xC2\xA0 \xE2\x82\xAC\n\nend");
        QTest::newRow("UTF-8 BOM CR") << QByteArray("\xEF\xBB\xBFone\rtwo\r");
        QTest::newRow("UTF-16LE BOM") << QByteArray("\xFF\xFEh\0i\0\r\0\n\0\xAC\x20", 12);
        QTest::newRow("UTF-8 line separator") << QByteArray("a\xE2\x80\xA8"
                                                            "b\r\n");
        QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd");
        QTest::newRow("empty") << QByteArray();
    }

    void unchangedDocumentSavesByteForByte() {
        QFETCH(QByteArray, bytes);
        Shell s;
        ScriptedResponder& r = s.r;
        form_TXT* w = s.OpenBytes("a.txt", bytes);
        QVERIFY(!s.slot(w).changed);
        // Written over by another program: the save asks before it puts the document back.
        WriteAll(s.env.path("a.txt"), "overwritten");
        r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("a.txt")), bytes);
        QCOMPARE(r.calls().size(), 1);
        QCOMPARE(r.calls().at(0).title, QStringLiteral("File Changed"));
    }

    // The pad breaks lines at a paragraph separator: the user hears of it once, at the opening,
    // and the file stays as it was.
    void characterThePadCannotKeepIsToldAtOpen() {
        Shell s;
        const QByteArray bytes("a\xE2\x80\xA9" "b\r\n");
        s.r.expectMsgBox(qlx::vbOK);
        form_TXT* w = s.OpenBytes("a.txt", bytes);
        QCOMPARE(s.r.calls().size(), 1);
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Text Pad"));
        QCOMPARE(s.r.calls().at(0).icon, qlx::vbExclamation);
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(ReadAll(s.env.path("a.txt")), bytes);
    }

    // Read and put in piece by piece under a bar: the document is the one the whole text gives.
    void longOpenServesEventsUnderABar() {
        Shell s;
        const ProgressProbe probe(&s.main);
        // Past the window's first piece of 1 MiB, with a CR LF across the cut.
        QByteArray bytes = QByteArray("0123456789\r\n").repeated(87381) + "aaa\r\n";
        bytes += QByteArray("line \xE2\x80\xA9 two\r\n").repeated(1000) + "last";
        s.r.expectMsgBox(qlx::vbOK);
        form_TXT* w = s.OpenBytes("a.txt", bytes);
        QVERIFY(probe.served && probe.barShown);
        QVERIFY(!w->findChild<QWidget*>(WorkProgress::BarName()));
        QCOMPARE(s.r.calls().size(), 1);
        QPlainTextEdit whole;
        whole.setPlainText(TextFile::Decode(bytes).text);
        QCOMPARE(Pad(w)->document()->blockCount(), whole.document()->blockCount());
        QVERIFY(Pad(w)->toPlainText() == whole.toPlainText());
        QCOMPARE(Pad(w)->textCursor().position(), 0);
        QVERIFY(!Pad(w)->document()->isUndoAvailable());
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(w->windowTitle(), QStringLiteral("a.txt"));
    }

    // A line the pad would take minutes to lay out is asked about first; either way nothing is lost.
    void lineTooLongToShowQuicklyIsAskedAbout() {
        Shell s;
        const QByteArray bytes = "first\r\n" + QByteArray(1000001, 'x') + "\r\nlast\r\n";
        WriteAll(s.env.path("long.txt"), bytes);
        form_TXT* w = s.OpenBytes("a.txt", "kept\r\n");

        s.r.expectMsgBox(qlx::vbNo);
        QVERIFY(w->OpenTXT(s.env.path("long.txt")).state == OpenResult::State::Cancelled);
        const DialogCall& question = s.r.calls().at(0);
        QCOMPARE(question.text,
                 QStringLiteral("This file has a line of 1000001 characters, too long to show quickly.  "
                                "Opening it may take minutes and a lot of memory.  Open it anyway?"));
        QCOMPARE(question.title, QStringLiteral("Text Pad"));
        QCOMPARE(question.buttons, qlx::vbYesNo);
        QCOMPARE(question.icon, qlx::vbExclamation);
        QCOMPARE(question.defaultButton, 2);
        QCOMPARE(w->Text(), QStringLiteral("kept\n"));
        QCOMPARE(ReadAll(s.env.path("long.txt")), bytes);

        s.r.expectMsgBox(qlx::vbYes);
        w = s.Open(s.env.path("long.txt"));
        QCOMPARE(s.r.calls().size(), 2);
        QCOMPARE(Pad(w)->document()->blockCount(), 4);
        WriteAll(s.env.path("long.txt"), "overwritten");
        s.r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("long.txt")), bytes);
    }

    void characterOutsideTheCodePageAsksBeforeWriting() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_TXT* w = s.OpenBytes("a.txt", "caf\xE9\r\n");
        Pad(w)->moveCursor(QTextCursor::End);
        Pad(w)->insertPlainText(QStringLiteral("\u0100\nz"));
        r.expectMsgBox(qlx::vbNo);
        QVERIFY(!w->SaveFile());
        QCOMPARE(r.calls().at(0).title, QStringLiteral("Save as Unicode"));
        QCOMPARE(ReadAll(s.env.path("a.txt")), QByteArray("caf\xE9\r\n"));
        QVERIFY(s.slot(w).changed);

        r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("a.txt")), QByteArray("caf\xC3\xA9\r\n\xC4\x80\r\nz"));
        QVERIFY(!s.slot(w).changed);
        // The file is UTF-8 now: no question the next time.
        QVERIFY(w->SaveFile());
        QCOMPARE(r.calls().size(), 2);
    }

    void untitledSaveAsksUntilOverwriteIsSettled() {
        Shell s;
        ScriptedResponder& r = s.r;
        const QString taken = s.env.path("taken.txt");
        WriteAll(taken, "old");
        form_TXT* w = s.New();
        QTest::keyClicks(Pad(w), "new");
        r.expectSave(taken);
        r.expectMsgBox(qlx::vbNo);
        r.expectSave(taken);
        r.expectCancel(DialogKind::MsgBox);
        QVERIFY(!w->SaveFile());
        QCOMPARE(r.calls().size(), 4);
        const DialogCall& dialog = r.calls().at(0);
        QCOMPARE(dialog.title, QStringLiteral("Save Text File"));
        QCOMPARE(dialog.dialog.Filter, "Text File|" + s.g.settings.txtFileFilter);
        QCOMPARE(dialog.dialog.DefaultExt, QStringLiteral(".TXT"));
        QCOMPARE(dialog.dialog.Flags, 4);
        QCOMPARE(dialog.dialog.InitDir, s.g.settings.LastSaveFolder(QString()));
        const DialogCall& prompt = r.calls().at(1);
        QCOMPARE(prompt.text, QStringLiteral("Overwrite existing file?"));
        QCOMPARE(prompt.title, QStringLiteral("File Exists"));
        QCOMPARE(prompt.buttons, int(qlx::vbYesNoCancel));
        QCOMPARE(prompt.icon, int(qlx::vbQuestion));
        QCOMPARE(ReadAll(taken), QByteArray("old"));
        QCOMPARE(w->windowTitle(), "New Text Document" + kChanged);
        QVERIFY(s.slot(w).path.isEmpty());

        QDir().mkpath(s.env.path("out"));
        r.expectSave(s.env.path("out/fresh"));
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("out/fresh.TXT")), QByteArray("new"));
        QCOMPARE(w->windowTitle(), QStringLiteral("fresh.TXT"));
        QCOMPARE(s.slot(w).path, s.env.path("out/fresh.TXT"));
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(s.g.settings.LastSaveFolder(QString()), s.env.path("out"));
    }

    void cancelledSaveAsKeepsTheDocumentAsItWas() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_TXT* w = s.OpenBytes("a.txt", "a");
        QTest::keyClicks(Pad(w), "b");
        r.expectCancel(DialogKind::Save);
        w->SaveAs();
        QCOMPARE(s.slot(w).path, s.env.path("a.txt"));
        QCOMPARE(s.slot(w).title, QStringLiteral("a.txt"));
        QCOMPARE(w->windowTitle(), "a.txt" + kChanged);
        QVERIFY(s.slot(w).changed);

        r.expectSave(s.env.path("b.txt"));
        w->SaveAs();
        QCOMPARE(ReadAll(s.env.path("b.txt")), QByteArray("ba"));
        QCOMPARE(ReadAll(s.env.path("a.txt")), QByteArray("a"));
        QCOMPARE(w->windowTitle(), QStringLiteral("b.txt"));
    }

    void failedSaveKeepsTheDocumentAsItWas() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_TXT* w = s.OpenBytes("a.txt", "a");
        WriteAll(s.env.path("file"), "not a folder");
        QTest::keyClicks(Pad(w), "b");
        r.expectSave(s.env.path("file/b.txt"));
        r.expectMsgBox(qlx::vbOK);
        w->SaveAs();
        QCOMPARE(r.calls().at(1).title, QStringLiteral("QLX Save Error"));
        QCOMPARE(s.slot(w).path, s.env.path("a.txt"));
        QCOMPARE(s.slot(w).title, QStringLiteral("a.txt"));
        QVERIFY(s.slot(w).changed);
        QCOMPARE(w->windowTitle(), "a.txt" + kChanged);
        QCOMPARE(ReadAll(s.env.path("a.txt")), QByteArray("a"));
    }

    void closePromptDecidesTheWindowsFate_data() {
        QTest::addColumn<bool>("titled");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveCancelled");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::newRow("Yes saves") << true << int(qlx::vbYes) << false << true << QByteArray("xa");
        QTest::newRow("No discards") << true << int(qlx::vbNo) << false << true << QByteArray("a");
        QTest::newRow("Cancel keeps") << true << int(qlx::vbCancel) << false << false << QByteArray("a");
        QTest::newRow("Yes, dialog cancelled") << false << int(qlx::vbYes) << true << false << QByteArray();
    }

    void closePromptDecidesTheWindowsFate() {
        QFETCH(bool, titled);
        QFETCH(int, answer);
        QFETCH(bool, saveCancelled);
        QFETCH(bool, closes);
        QFETCH(QByteArray, onDisk);
        Shell s;
        ScriptedResponder& r = s.r;
        QPointer<form_TXT> w = titled ? s.OpenBytes("a.txt", "a") : s.New();
        QTest::keyClicks(Pad(w), "x");
        r.expectMsgBox(answer);
        if (saveCancelled)
            r.expectCancel(DialogKind::Save);
        w->FileClose();
        QCOMPARE(r.calls().at(0).text, "Save this file?\r" + (titled ? s.env.path("a.txt") : QString()));
        QCOMPARE(r.calls().at(0).title, QStringLiteral("Document Changed"));
        QCOMPARE(r.calls().at(0).style, qlx::vbYesNoCancel + qlx::vbQuestion);
        if (closes) {
            QTRY_VERIFY(w.isNull());
        } else {
            QVERIFY(w && !w->Tag.isEmpty());
            QVERIFY(s.g.Slot(DocType::TXT, w->Slot()).changed);
        }
        if (titled)
            QCOMPARE(ReadAll(s.env.path("a.txt")), onDisk);
    }

    void clipboardKeysCarryPlainText() {
        Shell s;
        form_TXT* w = s.New();
        QPlainTextEdit* pad = Pad(w);
        auto* mime = new QMimeData;
        mime->setHtml("<b>rich</b> <i>paste</i>");
        mime->setText("plain\u00A0text");
        QGuiApplication::clipboard()->setMimeData(mime);
        QTest::keyClick(pad, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(pad, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(pad, "end");
        QCOMPARE(w->Text(), QStringLiteral("plain\u00A0text\nend"));
        QVERIFY(s.slot(w).changed);

        w->EditSelectAll();
        QTest::keyClick(pad, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("plain\u00A0text\nend"));
        QVERIFY(w->Text().isEmpty());

        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                     pad->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(pad->viewport(), &rightClick);
        QMenu* edit = s.main.Menus().EditMenu();
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
    }

    void wordWrapFollowsTheMenuCheck() {
        Shell s;
        form_TXT* first = s.New();
        form_TXT* second = s.New();
        QAction* check = s.main.Menus().WordWrap();
        const bool wrapped = check->isChecked();
        const auto mode = [](bool wrap) {
            return wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap;
        };
        QCOMPARE(Pad(first)->lineWrapMode(), mode(wrapped));
        second->EditWW();
        QCOMPARE(check->isChecked(), !wrapped);
        QCOMPARE(Pad(first)->lineWrapMode(), mode(!wrapped));
        QCOMPARE(second->WordWrap(), !wrapped);
        s.main.MDIArea()->setActiveSubWindow(first);
        check->trigger();
        QCOMPARE(Pad(second)->lineWrapMode(), mode(wrapped));
    }

    void printsTheSelectionOrTheWholeText() {
        QLX_REQUIRE_PDFTOTEXT();
        Shell s;
        form_TXT* w = s.OpenBytes("a.txt", "alpha line\nbravo line\n");
        const QString whole = s.Printed(w);
        QVERIFY2(whole.contains("alpha line") && whole.contains("bravo line"), qPrintable(whole));
        QTextCursor cursor = Pad(w)->textCursor();
        cursor.setPosition(11);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Pad(w)->setTextCursor(cursor);
        const QString selection = s.Printed(w);
        QVERIFY2(selection.contains("bravo line") && !selection.contains("alpha"), qPrintable(selection));
    }
};

QTEST_MAIN(tst_formtxt)
#include "tst_formtxt.moc"
