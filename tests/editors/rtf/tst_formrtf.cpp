#include "EditorShell.h"
#include "Global.h"
#include "ProgressProbe.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "form_RTF.h"
#include "form_SR.h"
#include "mdform_QLEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

#include <functional>

namespace {
const QString kChanged = QStringLiteral(" [CHANGED]");
// "plain" at 10 points, " bold" bold at 12 points, " tiny" at 2 points.
const QByteArray kRich =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 plain{\\b\\fs24  bold}{\\fs4  tiny}}";

using Shell = EditorShell<form_RTF, DocType::RTF>;

QTextEdit* Pad(form_RTF* w) {
    return w->findChild<QTextEdit*>("pad");
}

QAction* Button(form_RTF* w, const char* tag) {
    return w->findChild<QToolBar*>("Toolbar1")->findChild<QAction*>(tag);
}

void Select(form_RTF* w, int start, int end) {
    QTextCursor cursor = Pad(w)->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    Pad(w)->setTextCursor(cursor);
}

// The format of the character at the position.
QTextCharFormat FormatAt(form_RTF* w, int position) {
    QTextCursor cursor(Pad(w)->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QString Text(form_RTF* w) {
    return Pad(w)->toPlainText();
}

bool IsRtf(const QByteArray& bytes) {
    return bytes.startsWith("{\\rtf1");
}
} // namespace

class tst_formrtf : public QObject {
    Q_OBJECT

private slots:
    void toolbarButtonsInOrder() {
        Shell s;
        form_RTF* w = s.New();
        QCOMPARE(w->windowTitle(), QStringLiteral("New RTF Document"));
        QStringList tags;
        QStringList checkable;
        for (QAction* action : w->findChild<QToolBar*>("Toolbar1")->actions()) {
            tags << (action->isSeparator() ? QStringLiteral("|") : action->data().toString());
            if (action->isCheckable())
                checkable << action->data().toString();
            QVERIFY(action->isSeparator() || !action->icon().isNull());
        }
        QCOMPARE(tags, QStringList({"bold", "italic", "underline", "|", "color", "FD", "FU", "|", "cut",
                                    "copy", "paste", "|", "list"}));
        QCOMPARE(checkable, QStringList({"bold", "italic", "underline", "list"}));
    }

    void openKeepsTheDocumentsFormat() {
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        QCOMPARE(w->windowTitle(), QStringLiteral("a.rtf"));
        QCOMPARE(Text(w), QStringLiteral("plain bold tiny"));
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(s.g.settings.Read("mru1", "MRU"), s.env.path("a.rtf"));
        QVERIFY(FormatAt(w, 6).fontWeight() > QFont::Medium);
        QCOMPARE(FormatAt(w, 6).fontPointSize(), 12.0);
        QCOMPARE(Pad(w)->textCursor().position(), 0);
        QVERIFY(s.r.calls().isEmpty());
    }

    void longOpenServesEventsUnderABar() {
        Shell s;
        const ProgressProbe probe(&s.main);
        form_RTF* w =
            s.OpenBytes("a.rtf", "{\\rtf1\\ansi " + QByteArray("word {\\b bold} ").repeated(5000) + "}");
        QVERIFY(probe.served && probe.barShown);
        QVERIFY(!w->findChild<QWidget*>(WorkProgress::BarName()));
        QVERIFY(Pad(w)->toPlainText().startsWith("word bold word"));
    }

    void plainTextFileOpensAndSavesAsPlainText() {
        Shell s;
        const QByteArray bytes = "caf\xE9 {not rich}\r\nsecond\r\n";
        form_RTF* w = s.OpenBytes("a.txt", bytes);
        QVERIFY(s.r.calls().isEmpty());
        QCOMPARE(Text(w), QStringLiteral("caf\u00E9 {not rich}\nsecond\n"));
        QVERIFY(!s.slot(w).changed);
        // A save without the dialog writes the file as it was read (over another program's
        // content once the user agrees).
        WriteAll(s.env.path("a.txt"), "overwritten");
        s.r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("a.txt")), bytes);

        form_RTF* rich = s.OpenBytes("b.rtf", kRich);
        QTest::keyClicks(Pad(rich), "x");
        QVERIFY(rich->SaveFile());
        QVERIFY(IsRtf(ReadAll(s.env.path("b.rtf"))));
        QCOMPARE(Text(s.Open(s.env.path("b.rtf"))), QStringLiteral("xplain bold tiny"));
    }

    void unreadableFileReportsAndCloses() {
        Shell s;
        s.r.expectMsgBox(qlx::vbOK);
        QPointer<form_RTF> w = s.Open(s.env.path("missing.rtf"));
        QTRY_VERIFY(w.isNull());
        QVERIFY(s.g.Slot(DocType::RTF, 0).path.isEmpty());
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("QLX Open Error: 53"));
        QVERIFY(
            s.r.calls().at(0).text.startsWith("The request to open:\r" + s.env.path("missing.rtf") + "\r"));
        QCOMPARE(s.r.calls().at(0).icon, int(qlx::vbCritical));
    }

    void saveDialogEntriesWriteRichOrPlainText() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_RTF* w = s.New();
        QTest::keyClicks(Pad(w), "hello");
        w->FormatBold();
        r.expectSave(s.env.path("rich"), 1);
        QVERIFY(w->SaveFile());
        const DialogCall& dialog = r.calls().at(0);
        QCOMPARE(dialog.title, QStringLiteral("Save RTF File"));
        QCOMPARE(dialog.dialog.Filter,
                 "RTF File|" + s.g.settings.rtfFileFilter + "|TXT File|" + s.g.settings.txtFileFilter);
        QCOMPARE(dialog.dialog.FilterIndex, 1);
        QCOMPARE(dialog.dialog.DefaultExt, QStringLiteral(".RTF"));
        QCOMPARE(dialog.dialog.Flags, 4);
        QVERIFY(IsRtf(ReadAll(s.env.path("rich.RTF"))));
        QCOMPARE(w->windowTitle(), QStringLiteral("rich.RTF"));
        QVERIFY(!s.slot(w).changed);

        r.expectSave(s.env.path("plain.txt"), 2);
        w->SaveAs();
        QCOMPARE(ReadAll(s.env.path("plain.txt")), QByteArray("hello"));
        QCOMPARE(s.slot(w).path, s.env.path("plain.txt"));
        // From now on the file is plain text.
        QTest::keyClicks(Pad(w), "!");
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("plain.txt")), QByteArray("hello!"));
    }

    void overwriteQuestionAndCancelledSaves() {
        Shell s;
        ScriptedResponder& r = s.r;
        const QString taken = s.env.path("taken.rtf");
        WriteAll(taken, "old");
        form_RTF* w = s.New();
        QTest::keyClicks(Pad(w), "new");
        r.expectSave(taken);
        r.expectMsgBox(qlx::vbNo);
        r.expectSave(taken);
        r.expectCancel(DialogKind::MsgBox);
        QVERIFY(!w->SaveFile());
        QCOMPARE(r.calls().size(), 4);
        QCOMPARE(r.calls().at(1).text, QStringLiteral("Overwrite existing file?"));
        QCOMPARE(r.calls().at(1).title, QStringLiteral("File Exists"));
        QCOMPARE(ReadAll(taken), QByteArray("old"));
        QCOMPARE(w->windowTitle(), "New RTF Document" + kChanged);

        // Yes at the close prompt with the dialog cancelled keeps the document.
        QPointer<form_RTF> kept = w;
        r.expectMsgBox(qlx::vbYes);
        r.expectCancel(DialogKind::Save);
        w->FileClose();
        QCOMPARE(r.calls().at(4).text, QStringLiteral("Save this file?\r"));
        QVERIFY(kept && !kept->Tag.isEmpty());
        QVERIFY(s.slot(w).changed);
    }

    void enterInABulletedParagraphStartsABulletWithABlank() {
        Shell s;
        form_RTF* w = s.New();
        QTextEdit* pad = Pad(w);
        QTest::keyClicks(pad, "one");
        w->FormatBulleted();
        QVERIFY(s.Checked("menu_FormatBulleted"));
        QVERIFY(Button(w, "list")->isChecked());
        QTest::keyClick(pad, Qt::Key_Return);
        QTest::keyClicks(pad, "two");
        const QTextBlock second = pad->document()->lastBlock();
        QCOMPARE(second.text(), QStringLiteral(" two"));
        QVERIFY(second.textList() && second.textList() == pad->document()->firstBlock().textList());

        // Off again for the paragraph; Enter then adds no blank.
        w->FormatBulleted();
        QVERIFY(!pad->textCursor().block().textList());
        QVERIFY(!s.Checked("menu_FormatBulleted"));
        QTest::keyClick(pad, Qt::Key_Return);
        QVERIFY(pad->document()->lastBlock().text().isEmpty());
    }

    void enterTakenBySearchDialogAddsNoBlank() {
        Shell s;
        form_RTF* w = s.New();
        QTextEdit* pad = Pad(w);
        QTest::keyClicks(pad, "ab ab");
        w->FormatBulleted();
        Select(w, 0, 2);
        w->SearchFind();
        QVERIFY(s.g.searchDialog && s.g.searchDialog->isVisible());
        QTest::keyClick(pad, Qt::Key_Return);
        QCOMPARE(Text(w), QStringLiteral("ab ab"));
        QCOMPARE(pad->textCursor().selectionStart(), 3);
        // Shift+Enter is the document's own hard return.
        QTest::keyClick(pad, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Text(w), QStringLiteral("ab \n "));
        s.g.searchDialog->cmd_Cance_Click();
    }

    void enterOnAnEmptyLineKeepsTheFormat() {
        Shell s;
        form_RTF* w = s.New();
        QTextEdit* pad = Pad(w);
        w->FormatBold();
        QTest::keyClick(pad, Qt::Key_Return);
        QTest::keyClick(pad, Qt::Key_Return);
        QTest::keyClicks(pad, "b");
        QVERIFY(FormatAt(w, 2).fontWeight() > QFont::Medium);
    }

    void fontSizeStepsByTwo() {
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        Select(w, 11, 15); // "tiny", 2 points
        w->Toolbar1_ButtonClick("FD");
        QCOMPARE(FormatAt(w, 12).fontPointSize(), 2.0);
        QVERIFY(!s.slot(w).changed);
        Select(w, 0, 5); // "plain", 10 points
        w->Toolbar1_ButtonClick("FD");
        QCOMPARE(FormatAt(w, 1).fontPointSize(), 8.0);
        Select(w, 0, 5);
        w->Toolbar1_ButtonClick("FU");
        w->Toolbar1_ButtonClick("FU");
        QCOMPARE(FormatAt(w, 1).fontPointSize(), 12.0);
        QVERIFY(s.slot(w).changed);

        // Mixed sizes step from 10, in a new document too.
        form_RTF* fresh = s.New();
        QTest::keyClicks(Pad(fresh), "ab");
        Select(fresh, 0, 1);
        fresh->Toolbar1_ButtonClick("FU");
        fresh->EditSelectAll();
        fresh->Toolbar1_ButtonClick("FU");
        QCOMPARE(FormatAt(fresh, 0).fontPointSize(), 12.0);
        QCOMPARE(FormatAt(fresh, 1).fontPointSize(), 12.0);
        fresh->Toolbar1_ButtonClick("FD");
        QCOMPARE(FormatAt(fresh, 1).fontPointSize(), 10.0);
        fresh->Toolbar1_ButtonClick("unknown");
        QCOMPARE(FormatAt(fresh, 1).fontPointSize(), 10.0);
    }

    // Keys that change nothing leave the mark alone, after a save too; typing sets it.
    void onlyKeysThatChangeTheTextMarkItChanged() {
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        QTest::keyClick(Pad(w), Qt::Key_Right);
        QTest::keyClick(Pad(w), Qt::Key_Control);
        QTest::keyClick(Pad(w), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!s.slot(w).changed);
        QTest::keyClick(Pad(w), Qt::Key_X);
        QCOMPARE(w->windowTitle(), "a.rtf" + kChanged);
        QVERIFY(w->SaveFile());
        QTest::keyClick(Pad(w), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w->windowTitle(), QStringLiteral("a.rtf"));
        QVERIFY(!s.slot(w).changed);
    }

    void formatDisplayFollowsTheSelection() {
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        QTextEdit* pad = Pad(w);
        QTextCursor inBold(pad->document());
        inBold.setPosition(8);
        QTest::mouseClick(pad->viewport(), Qt::LeftButton, {}, pad->cursorRect(inBold).center());
        QVERIFY(s.Checked("menu_FormatBold"));
        QVERIFY(Button(w, "bold")->isChecked());
        QTest::keyClick(pad, Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(!s.Checked("menu_FormatBold"));
        QVERIFY(!Button(w, "bold")->isChecked());

        // The menu's click does not flip the check: the format does.
        s.main.Menus().Action("menu_FormatBold")->trigger();
        QVERIFY(s.Checked("menu_FormatBold"));
        QVERIFY(FormatAt(w, 0).fontWeight() > QFont::Medium);
        Button(w, "bold")->trigger();
        QVERIFY(!Button(w, "bold")->isChecked());
        QVERIFY(FormatAt(w, 0).fontWeight() <= QFont::Medium);
        Button(w, "italic")->trigger();
        Button(w, "underline")->trigger();
        QVERIFY(s.Checked("menu_FormatItalic") && s.Checked("menu_FormatUnderline"));
        QVERIFY(FormatAt(w, 0).fontItalic() && FormatAt(w, 0).fontUnderline());
    }

    void copyOffersRichAndPlainText() {
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        Select(w, 3, 10); // "in bold"
        w->EditCopy();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(IsRtf(data->data("text/rtf")));
        QCOMPARE(data->data("application/rtf"), data->data("text/rtf"));
        QCOMPARE(data->text(), QStringLiteral("in bold"));

        form_RTF* target = s.New();
        target->EditPaste();
        QCOMPARE(Text(target), QStringLiteral("in bold"));
        QVERIFY(FormatAt(target, 3).fontWeight() > QFont::Medium);
        QVERIFY(FormatAt(target, 0).fontWeight() <= QFont::Medium);
        QVERIFY(s.slot(target).changed);

        form_RTF* plain = s.New();
        plain->EditPasteSpecialPlainText();
        QCOMPARE(Text(plain), QStringLiteral("in bold"));
        QVERIFY(FormatAt(plain, 3).fontWeight() <= QFont::Medium);

        // Plain text alone is pasted as text; the pad's own keys carry rich text too.
        QGuiApplication::clipboard()->setText("one\ntwo");
        target->EditSelectAll();
        target->EditPaste();
        QCOMPARE(Text(target), QStringLiteral("one\ntwo"));
        Select(w, 6, 10);
        QTest::keyClick(Pad(w), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Text(w), QStringLiteral("plain  tiny"));
        QTest::keyClick(Pad(target), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text(target), QStringLiteral("one\ntwobold"));
        QVERIFY(FormatAt(target, 8).fontWeight() > QFont::Medium);
    }

    void fontAndColourDialogs() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_RTF* w = s.OpenBytes("a.rtf", kRich);
        Select(w, 0, 5);
        QFont chosen("Courier", 18);
        chosen.setItalic(true);
        chosen.setStrikeOut(true);
        r.expectFont(chosen);
        w->FormatFont();
        QCOMPARE(r.calls().at(0).title, QStringLiteral("Select Font and Attributes"));
        QCOMPARE(r.calls().at(0).dialog.Flags, 3);
        const QTextCharFormat format = FormatAt(w, 1);
        QCOMPARE(format.fontFamilies().toStringList().value(0), QStringLiteral("Courier"));
        QCOMPARE(format.fontPointSize(), 18.0);
        QVERIFY(format.fontItalic() && format.fontStrikeOut() && !format.fontUnderline());
        QVERIFY(s.Checked("menu_FormatItalic"));

        r.expectColor(QColor(Qt::red));
        w->FormatColor();
        QCOMPARE(r.calls().at(1).title, QStringLiteral("Choose Color for Font"));
        QCOMPARE(FormatAt(w, 1).foreground().color(), QColor(Qt::red));

        // A cancelled dialog changes nothing.
        r.expectCancel(DialogKind::Font);
        r.expectCancel(DialogKind::Color);
        w->FormatFont();
        w->Toolbar1_ButtonClick("color");
        QCOMPARE(FormatAt(w, 1).fontPointSize(), 18.0);
        QCOMPARE(FormatAt(w, 1).foreground().color(), QColor(Qt::red));
    }

    void printsTheSelectionOrTheWholeDocument() {
        QLX_REQUIRE_PDFTOTEXT();
        Shell s;
        form_RTF* w = s.OpenBytes("a.rtf", "{\\rtf1\\ansi alpha line\\par {\\b bravo} line\\par}");
        const QString whole = s.Printed(w);
        QVERIFY2(whole.contains("alpha line") && whole.contains("bravo line"), qPrintable(whole));
        Select(w, 11, 21);
        const QString selection = s.Printed(w);
        QVERIFY2(selection.contains("bravo line") && !selection.contains("alpha"), qPrintable(selection));
    }

    void welcomeDocumentOpensAtStart() {
        Shell s([](Shell& shell) {
            QVERIFY(QFile::copy(QStringLiteral(QLX_PACKAGING_DIR "/welcome.rtf"),
                                shell.env.path("app/welcome.rtf")));
        });
        form_RTF* w = s.Current();
        QVERIFY(w && !w->Tag.isEmpty());
        QCOMPARE(w->windowTitle(), QStringLiteral("welcome.rtf"));
        QVERIFY(Text(w).startsWith("Welcome to the Quillon Editor"));
        QVERIFY(!Text(w).contains("\\"));
        QVERIFY(!s.slot(w).changed);
        QVERIFY(!QFile::exists(s.env.path("app/welcome.rtf")));
        QVERIFY(s.r.calls().isEmpty());
    }

    void relativeNameShowsTheContentUntitled() {
        Shell s;
        WriteAll(s.env.path("rel.rtf"), kRich);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(s.env.root());
        s.main.OpenCommandLine("rel.rtf");
        QDir::setCurrent(previous);
        form_RTF* w = s.Current();
        QVERIFY(w);
        QCOMPARE(Text(w), QStringLiteral("plain bold tiny"));
        QCOMPARE(w->windowTitle(), QStringLiteral("New RTF Document"));
        QVERIFY(s.slot(w).path.isEmpty());
        QVERIFY(!s.slot(w).changed);
        QVERIFY(s.g.settings.Read("mru1", "MRU").isEmpty());
    }
};

QTEST_MAIN(tst_formrtf)
#include "tst_formrtf.moc"
