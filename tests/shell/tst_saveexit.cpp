#include "ShellFixture.h"
#include "TerminationWatcher.h"

#include <QMdiArea>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {
FakeDocument* Open(ShellFixture& f, DocType type, const QString& name, bool changed) {
    f.main.DocumentOpener().PresetOpen(f.File(name), type);
    f.main.DocumentOpener().OpenFileDialog();
    for (int slot = Global::kSlots - 1; slot >= 0; --slot) {
        FakeDocument* doc = f.Doc(type, slot);
        if (doc && !doc->Tag.isEmpty()) {
            doc->Altered(changed);
            doc->calls.clear();
            return doc;
        }
    }
    return nullptr;
}

void Tick(ShellFixture& f, int times) {
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(f.main.AutoSaver().Timer(), "timeout");
}
} // namespace

class tst_saveexit : public QObject {
    Q_OBJECT

private slots:
    void autoSaveAfterTheInterval() {
        ShellFixture f([](Global& g) { g.settings.Write("AutoSave", "5"); });
        FakeDocument* changed = Open(f, DocType::TXT, "a.txt", true);
        FakeDocument* unchanged = Open(f, DocType::TXT, "b.txt", false);
        FakeDocument* reg = Open(f, DocType::REG, "c.reg", true);
        Tick(f, 4);
        QVERIFY(changed->calls.isEmpty());
        Tick(f, 1);
        QCOMPARE(changed->calls, QStringList{"SaveFile"});
        QCOMPARE(changed->captionsAtSave, QStringList{"Quillon Editor - AutoSaving Open Files"});
        QVERIFY(unchanged->calls.isEmpty());
        QCOMPARE(reg->calls, QStringList{"FileSaveRegular"});
        QCOMPARE(f.main.windowTitle(), QStringLiteral("Quillon Editor"));
        // An automatic pass neither minimizes nor restores.
        QVERIFY(!changed->isMinimized());
    }

    // A signal while the exit asks about a changed document: nothing is closed under the question;
    // the exit it asks for comes after, and asks again.
    void terminationDuringAClosePromptWaitsForIt() {
        ShellFixture f;
        QPointer<FakeDocument> doc = Open(f, DocType::TXT, "a.txt", true);
        TerminationWatcher watcher;
        connect(&watcher, &TerminationWatcher::terminationRequested, &f.main, &mdform_QLEditor::Terminate);
        f.r.expectMsgBox(qlx::vbCancel, [&] {
            ::raise(SIGTERM);
            QTest::qWait(100);
            QVERIFY(doc && !f.g.exiting);
        });
        f.r.expectMsgBox(qlx::vbNo);
        f.main.close();
        QVERIFY(doc);
        QTRY_VERIFY(f.g.exiting);
        QCOMPARE(f.r.calls().size(), 2);
    }

    void loweredIntervalIsHonouredAtTheNextTick() {
        ShellFixture f([](Global& g) { g.settings.Write("AutoSave", "10"); });
        FakeDocument* doc = Open(f, DocType::TXT, "a.txt", true);
        Tick(f, 7);
        f.main.AutoSaver().SetMinutes(3);
        Tick(f, 1);
        QCOMPARE(doc->calls, QStringList{"SaveFile"});
    }

    void saveAllSavesChangedAndCascades() {
        ShellFixture f;
        FakeDocument* a = Open(f, DocType::TXT, "a.txt", false);
        FakeDocument* b = Open(f, DocType::INI, "b.ini", true);
        FakeDocument* c = Open(f, DocType::TXT, "c.txt", false);
        f.main.Menus().Action("menu_FileSaveAll")->trigger();
        QCOMPARE(b->calls, QStringList{"SaveFile"});
        QVERIFY(a->calls.isEmpty() && c->calls.isEmpty());
        // Cascaded, each window keeps the size where its content shows.
        for (FakeDocument* doc : {a, b, c}) {
            QVERIFY(!doc->isMinimized());
            QCOMPARE(doc->size(), doc->sizeHint());
            QVERIFY(doc->width() >= doc->minimumSizeHint().width() && doc->height() >= doc->minimumSizeHint().height());
        }
    }

    void closeAllAsksForChangedOnes() {
        ShellFixture f;
        Open(f, DocType::TXT, "a.txt", false);
        FakeDocument* changed = Open(f, DocType::TXT, "b.txt", true);
        f.r.expectMsgBox(qlx::vbNo);
        f.main.Menus().Action("menu_FileCloseAll")->trigger();
        QCOMPARE(f.r.calls().at(0).text, "Save this file?\r" + f.env.path("b.txt"));
        QCOMPARE(f.r.calls().at(0).title, QStringLiteral("Document Changed"));
        QCOMPARE(f.r.calls().at(0).buttons, int(qlx::vbYesNoCancel));
        QCOMPARE(f.r.calls().at(0).icon, int(qlx::vbQuestion));
        QVERIFY(changed->calls.isEmpty());
        QCOMPARE(f.main.DocumentOpener().FindFreeSlot(DocType::TXT), 0);
    }

    void closeKeepsTheWindowWhenTheSaveDidNotHappen() {
        ShellFixture f;
        FakeDocument* doc = Open(f, DocType::TXT, "a.txt", true);
        doc->saveSucceeds = false;
        f.r.expectMsgBox(qlx::vbYes);
        doc->FileClose();
        QCOMPARE(doc->calls, QStringList{"SaveFile"});
        QCOMPARE(doc->Tag, QStringLiteral("0"));
        QVERIFY(f.g.Slot(DocType::TXT, 0).changed);

        f.r.expectMsgBox(qlx::vbCancel);
        doc->FileClose();
        QCOMPARE(doc->Tag, QStringLiteral("0"));
    }

    void exitWithoutDocumentsAsksNothing() {
        ShellFixture f;
        QVERIFY(f.main.ExitProgram());
        QCOMPARE(f.g.settings.Read("WinRegistration"), QString());
        QVERIFY(!f.g.settings.Read("MDI Width").isEmpty());
        QVERIFY(f.r.calls().isEmpty());
    }

    void exitSavesOnYesAndDiscardsOnNo() {
        ShellFixture f;
        QPointer<FakeDocument> a = Open(f, DocType::TXT, "a.txt", true);
        Open(f, DocType::INI, "b.ini", true);
        f.r.expectMsgBox(qlx::vbNo);  // slot 0 INI first
        f.r.expectMsgBox(qlx::vbYes); // then slot 0 TXT
        QVERIFY(f.main.ExitProgram());
        QCOMPARE(f.r.calls().at(0).text, "Save this file?\r" + f.env.path("b.ini"));
        QVERIFY(f.g.exiting);
        QVERIFY(!a); // released with the other windows
    }

    void cancelAtExitKeepsEverything() {
        ShellFixture f;
        FakeDocument* doc = Open(f, DocType::TXT, "a.txt", true);
        const QString handle = f.g.settings.Read("WinRegistration");
        f.r.expectMsgBox(qlx::vbCancel);
        QVERIFY(!f.main.ExitProgram());
        QVERIFY(!f.g.exiting);
        QCOMPARE(f.main.windowTitle(), QStringLiteral("Quillon Editor"));
        QCOMPARE(f.g.settings.Read("WinRegistration"), handle);
        QVERIFY(!doc->isMinimized());
        QVERIFY(f.g.Slot(DocType::TXT, 0).changed);
        // A maximised document comes back maximised.
        doc->showMaximized();
        f.r.expectMsgBox(qlx::vbCancel);
        QVERIFY(!f.main.ExitProgram());
        QVERIFY(doc->isMaximized());

        // A cancelled save dialog stops the exit too.
        doc->saveSucceeds = false;
        f.r.expectMsgBox(qlx::vbYes);
        QVERIFY(!f.main.ExitProgram());
        QCOMPARE(doc->Tag, QStringLiteral("0"));
    }
};

QTEST_MAIN(tst_saveexit)
#include "tst_saveexit.moc"
