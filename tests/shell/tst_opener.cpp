#include "ShellFixture.h"

#include <QMenu>
#include <QMimeData>
#include <QTest>

namespace {
QStringList OpenedIn(ShellFixture& f, DocType type) {
    QStringList opened;
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        FakeDocument* doc = f.Doc(type, slot);
        if (doc && !doc->Tag.isEmpty() && doc->calls.size() > 1)
            opened << doc->calls.at(1);
    }
    return opened;
}

void Drop(ShellFixture& f, QMimeData* data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f.main, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f.main, &drop);
}
} // namespace

class tst_opener : public QObject {
    Q_OBJECT

private slots:
    void limitOfFivePerType() {
        ShellFixture f;
        Opener& opener = f.main.DocumentOpener();
        for (int i = 0; i < 5; ++i)
            QVERIFY(opener.NewDocument(DocType::INI, -1));
        f.r.expectMsgBox(qlx::vbOK);
        QVERIFY(!opener.NewDocument(DocType::INI, -1));
        QCOMPARE(f.r.calls().at(0).text,
                 QStringLiteral("There are no more INI File documents available to open.  Please close one "
                                "before opening another."));
        QCOMPARE(f.r.calls().at(0).title, QStringLiteral("Reached the limit of 5 type max"));
        QCOMPARE(f.r.calls().at(0).icon, 0);

        f.r.expectMsgBox(qlx::vbOK);
        opener.PresetOpen(f.File("six.ini"), DocType::INI);
        opener.OpenFileDialog();
        QVERIFY(f.r.calls().at(1).text.startsWith("There are no more INI documents"));

        // The lowest free slot is taken again.
        f.Doc(DocType::INI, 2)->close();
        QCOMPARE(opener.FindFreeSlot(DocType::INI), 2);
    }

    void openDialogFilterOrderAndKind() {
        ShellFixture f([](Global& g) { g.settings.Write("Default Open Type", "2"); });
        const QString ini = f.File("conf.ini");
        f.r.expectOpen(QStringList{ini}, 1);
        f.main.DocumentOpener().OpenFileDialog();
        const DialogCall& call = f.r.calls().at(0);
        QCOMPARE(call.dialog.DialogTitle, QStringLiteral("Open File for Editing"));
        QCOMPARE(call.dialog.Filter,
                 QStringLiteral("Text File|*.TXT;*.INF;*.BAT;*.KIX;*.REXX;*.HTM;*.HTML|INI File|*.INI|Registry "
                                "File|*.REG|RTF File|*.RTF;*.WRI|Other (*.*)|*.*"));
        QCOMPARE(call.dialog.InitDir, f.env.path("home/Documents"));
        // The filter chooses the editor, not the extension.
        QCOMPARE(OpenedIn(f, DocType::TXT), QStringList{"Open " + ini});
        QCOMPARE(f.g.settings.Read("Last Open"), f.env.root());

        // Next time the dialog starts where the last file was; a cancel changes nothing.
        f.r.expectCancel(DialogKind::Open);
        f.main.DocumentOpener().OpenFileDialog();
        QCOMPARE(f.r.calls().at(1).dialog.InitDir, f.env.root());
        QCOMPARE(f.g.settings.Read("Last Open"), f.env.root());
    }

    void kindOfPosition_data() {
        QTest::addColumn<QString>("defaultType");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("type");
        QTest::newRow("0: first is INI") << "0" << 1 << int(DocType::INI);
        QTest::newRow("1: first is REG") << "1" << 1 << int(DocType::REG);
        QTest::newRow("1: second is INI") << "1" << 2 << int(DocType::INI);
        QTest::newRow("3: first is RTF") << "3" << 1 << int(DocType::RTF);
        QTest::newRow("3: fourth is text") << "3" << 4 << int(DocType::TXT);
        QTest::newRow("other opens as rich text") << "2" << 5 << int(DocType::RTF);
        QTest::newRow("7 counts as 0") << "7" << 2 << int(DocType::REG);
    }

    void kindOfPosition() {
        QFETCH(QString, defaultType);
        QFETCH(int, position);
        QFETCH(int, type);
        ShellFixture f([&](Global& g) { g.settings.Write("Default Open Type", defaultType); });
        const QString file = f.File("any.dat");
        f.r.expectOpen(QStringList{file}, position);
        f.main.DocumentOpener().OpenFileDialog();
        QCOMPARE(OpenedIn(f, DocType(type)), QStringList{"Open " + file});
    }

    void commandLine() {
        ShellFixture f;
        const QString txt = f.File("notes.txt");
        const QString ini = f.File("win.ini");
        f.main.OpenCommandLine(txt + " " + ini);
        QCOMPARE(OpenedIn(f, DocType::TXT), QStringList{"Open " + txt});
        QCOMPARE(OpenedIn(f, DocType::INI), QStringList{"Open " + ini});
        QCOMPARE(f.g.Slot(DocType::INI, 0).title, QStringLiteral("WIN.INI"));

        // A name with a space opens only as the whole command line.
        const QString spaced = f.File("my notes.txt");
        f.main.OpenCommandLine(spaced);
        QCOMPARE(OpenedIn(f, DocType::TXT).last(), "Open " + spaced);
        f.r.expectMsgBox(qlx::vbOK);
        f.r.expectMsgBox(qlx::vbOK);
        f.main.OpenCommandLine(spaced + " " + txt);
        const DialogCall& call = f.r.calls().at(0);
        QCOMPARE(call.text, "QLX was unable to verify that your request was to open a file.\r\r( " +
                                f.env.path("my") + " )\r\rAs such, this action has been canceled.");
        QCOMPARE(call.title, QStringLiteral("QLX"));
        QCOMPARE(call.icon, int(qlx::vbInformation));
    }

    void kindFromName() {
        const QString filter = "*.TXT;*.INF;*.BAT;*.KIX;*.REXX;*.HTM;*.HTML";
        QCOMPARE(Opener::TypeOfName("/x/page.HTML", filter), DocType::TXT);
        QCOMPARE(Opener::TypeOfName("/x/letter.doc", filter), DocType::RTF);
        QCOMPARE(Opener::TypeOfName("/x/system.ini", filter), DocType::INI);
        QCOMPARE(Opener::TypeOfName("/x/export.Reg", filter), DocType::REG);
        QVERIFY(Opener::IsFullPath("/home/u/a.ini"));
        QVERIFY(Opener::IsFullPath("C:\\WINDOWS\\WIN.INI"));
        QVERIFY(Opener::IsFullPath("\\\\server\\share\\a.ini"));
        QVERIFY(!Opener::IsFullPath("a.ini"));
    }

    void droppedFilesAndText() {
        ShellFixture f;
        const QString html = f.File("page.html");
        const QString doc = f.File("letter.doc");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(html), QUrl::fromLocalFile(doc)});
        Drop(f, &data);
        QCOMPARE(OpenedIn(f, DocType::TXT), QStringList{"Open " + html});
        QCOMPARE(OpenedIn(f, DocType::RTF), QStringList{"Open " + doc});

        QMimeData text;
        text.setText(f.File("dropped.ini"));
        Drop(f, &text);
        QCOMPARE(OpenedIn(f, DocType::INI), QStringList{"Open " + f.env.path("dropped.ini")});
    }

    void failedOpenLeavesNothingBehind() {
        ShellFixture f;
        f.Doc(DocType::TXT, 0)->failOpen = true;
        const QString file = f.File("locked.txt");
        f.r.expectMsgBox(qlx::vbOK);
        f.main.DocumentOpener().PresetOpen(file, DocType::TXT);
        f.main.DocumentOpener().OpenFileDialog();
        const DialogCall& call = f.r.calls().at(0);
        QCOMPARE(call.title, QStringLiteral("QLX Open Error: 53"));
        QCOMPARE(call.text, "The request to open:\r" + file +
                                "\rhas generated an error:\r\rFile not found\r\rThe action has been canceled.");
        QCOMPARE(call.icon, int(qlx::vbCritical));
        QTest::qWait(10);
        QCOMPARE(f.main.DocumentOpener().FindFreeSlot(DocType::TXT), 0);
        QVERIFY(f.g.Slot(DocType::TXT, 0).path.isEmpty());
    }

    void recentFiles() {
        ShellFixture f;
        Opener& opener = f.main.DocumentOpener();
        QStringList files;
        for (int i = 1; i <= 5; ++i)
            files << f.File(QStringLiteral("f%1.txt").arg(i));
        for (int i = 0; i < 4; ++i)
            f.main.Recent().Add(files[i]);
        f.main.Recent().Add(files[1]); // already there: nothing moves
        f.main.Recent().Add(files[4]);
        const auto entry = [&](int i) { return f.g.settings.Read(QStringLiteral("mru%1").arg(i), "MRU"); };
        QCOMPARE(QStringList({entry(1), entry(2), entry(3), entry(4)}),
                 QStringList({files[1], files[2], files[3], files[4]}));
        QAction* first = f.main.Menus().Action("menu_FileRecent1");
        QVERIFY(first->isVisible());
        QCOMPARE(first->text(), QStringLiteral("f2.txt"));

        // A file that went away: hidden when the list is drawn again, removed when chosen.
        QFile::remove(files[2]);
        f.main.Recent().Read();
        QVERIFY(!f.main.Menus().Action("menu_FileRecent2")->isVisible());
        f.r.expectMsgBox(qlx::vbOK);
        opener.OpenRecentFile(2);
        QCOMPARE(f.r.calls().at(0).text, QStringLiteral("This file no longer exists"));
        QCOMPARE(QStringList({entry(1), entry(2), entry(3), entry(4)}),
                 QStringList({files[1], files[3], files[4], ""}));

        opener.OpenRecentFile(1);
        QCOMPARE(OpenedIn(f, DocType::TXT), QStringList{"Open " + files[1]});
    }

    void emptyRecentListHidesItsSeparator() {
        ShellFixture f;
        QVERIFY(!f.main.Menus().Action("sep_FileExit")->isVisible());
        f.main.Recent().Add(f.File("a.txt"));
        QVERIFY(f.main.Menus().Action("sep_FileExit")->isVisible());
    }

    void pasteToNew() {
        ShellFixture f;
        f.main.Menus().Action("menu_MDIPasteNewTXT")->trigger();
        QCOMPARE(f.Doc(DocType::TXT, 0)->calls, QStringList({"New", "EditPaste"}));
        QCOMPARE(f.Doc(DocType::TXT, 0)->windowTitle(), QStringLiteral("New Text Document"));
    }

    void multipleSelection() {
        ShellFixture f([](Global& g) { g.settings.Write("MultiSelect", "1"); });
        const QString a = f.File("a.ini");
        const QString b = f.File("b.txt");
        f.r.expectOpen(QStringList{a, b}, 3);
        f.main.DocumentOpener().OpenFileDialog();
        QVERIFY(f.r.calls().at(0).dialog.Flags & qlx::OFN_ALLOWMULTISELECT);
        QCOMPARE(OpenedIn(f, DocType::INI), QStringList{"Open " + a});
        QCOMPARE(OpenedIn(f, DocType::TXT), QStringList{"Open " + b});
        QCOMPARE(f.g.settings.Read("Last Open"), f.env.root());
    }

    void rightClickOnTheEmptyFrame() {
        ShellFixture f;
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), f.main.mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(f.main.MDIArea()->viewport(), &event);
        QMenu* popup = f.main.Menus().Menu("menu_EditMDI");
        QVERIFY(popup->isVisible());
        popup->close();
    }
};

QTEST_MAIN(tst_opener)
#include "tst_opener.moc"
