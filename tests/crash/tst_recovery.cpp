// Unsaved work in real processes killed with SIGKILL, recovered at the next start.
#include "DocumentDraft.h"
#include "Global.h"
#include "MainWindowFixture.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestProcess.h"

#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTest>

#include <unistd.h>

class tst_recovery : public QObject {
    Q_OBJECT

private slots:
    // Unsaved work in each kind of window outlives a kill -9: the next start offers it back, and
    // a save writes the bytes the killed program would have saved; declined, it is deleted.
    void killedEditorsComeBackFromDrafts_data() {
        QTest::addColumn<bool>("recover");
        QTest::newRow("recovered") << true;
        QTest::newRow("declined") << false;
    }

    void killedEditorsComeBackFromDrafts() {
        QFETCH(bool, recover);
        TestEnvironment env;
        MarkWelcomeSeen();
        const QMap<QString, QByteArray> files{
            {env.path("a.txt"), "one\r\ntwo\r\n"},
            {env.path("b.ini"), "[a]\r\nk=1\r\n"},
            {env.path("c.reg"), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\x]\r\n\"v\"=\"1\"\r\n\r\n"},
            {env.path("d.rtf"), "{\\rtf1\\ansi plain}"}};
        for (auto file = files.begin(); file != files.end(); ++file)
            WriteAll(file.key(), file.value());
        const std::unique_ptr<QProcess> editor = StartProgram(QStringLiteral(DRAFT_MAKER), files.keys());
        QVERIFY(editor->waitForReadyRead(30000));
        QCOMPARE(editor->readAllStandardOutput().trimmed(), QByteArray("ready"));
        editor->kill();
        QVERIFY(editor->waitForFinished());

        QStringList unreadable;
        QMap<QString, QByteArray> drafted;
        for (const Draft& draft : DocumentDraft::Found(&unreadable))
            drafted[draft.path] = ReadAll(draft.bytesPath);
        QCOMPARE(drafted.keys(), files.keys());
        QCOMPARE(drafted[env.path("a.txt")], QByteArray("pasted one\r\ntwo\r\n"));
        QVERIFY(drafted[env.path("b.ini")].contains("[pasted]"));
        QVERIFY(unreadable.isEmpty());
        // Nothing but a save touches the files.
        for (auto file = files.begin(); file != files.end(); ++file)
            QCOMPARE(ReadAll(file.key()), file.value());

        // A draft that cannot be read is named and kept; a file written since the draft is not
        // overwritten by the recovered document without a question.
        const QString junk = DocumentDraft::Folder() + QStringLiteral("/junk.draft");
        if (!recover)
            WriteAll(junk, "not a draft");
        else
            WriteAll(env.path("a.txt"), "theirs\r\n");

        MainWindowFixture restart(env, [recover](MainWindowFixture& f) {
            if (!recover)
                f.r.expectMsgBox(qlx::vbOK);
            f.r.expectMsgBox(recover ? qlx::vbYes : qlx::vbNo);
            // Declined: asked once more. Recovered: asked whether the file's new content should
            // replace the recovered changes, which stay.
            f.r.expectMsgBox(recover ? qlx::vbNo : qlx::vbYes);
        });
        const DialogCall& offer = restart.r.calls().at(recover ? 0 : 1);
        QCOMPARE(offer.title, QStringLiteral("Recover Documents"));
        for (const QString& path : files.keys())
            QVERIFY(offer.text.contains(path));
        if (!recover) {
            QVERIFY(restart.r.calls().at(0).text.endsWith(junk));
            QCOMPARE(restart.r.calls().at(2).text, QStringLiteral("The changes will be lost.  Delete them?"));
            QVERIFY(DocumentDraft::Found(&unreadable).isEmpty());
            QCOMPARE(unreadable, QStringList{junk});
            return;
        }
        restart.r.expectMsgBox(qlx::vbYes);
        int recovered = 0;
        for (int slot = 0; slot < Global::kSlots; ++slot) {
            for (DocType type : Global::kWalkOrder) {
                DocumentSlot& entry = restart.g.Slot(type, slot);
                if (!entry.window || entry.window->Tag.isEmpty() || !files.contains(entry.path))
                    continue;
                QVERIFY(entry.changed);
                QVERIFY(entry.window->windowTitle().endsWith(QStringLiteral(" [CHANGED]")));
                QVERIFY(entry.window->SaveFile());
                QCOMPARE(ReadAll(entry.path), drafted[entry.path]);
                ++recovered;
            }
        }
        QCOMPARE(recovered, files.size());
        QCOMPARE(restart.r.calls().size(), 3);
        QVERIFY(restart.r.calls().at(1).text.contains(QStringLiteral("lose your changes?")));
        QVERIFY(restart.r.calls().at(2).text.contains(QStringLiteral("Overwrite it?")));
        QVERIFY(DocumentDraft::Found(&unreadable).isEmpty());
    }

    // Drafts hold a user's unsaved work: a folder that another user owns is not used.
    void otherUsersFolderTakesNoDrafts() {
        if (::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        TestEnvironment env;
        const QString folder = DocumentDraft::Folder();
        QVERIFY(!folder.isEmpty());
        QCOMPARE(QFileInfo(folder).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        QVERIFY(DocumentDraft::Folder().isEmpty());
        QStringList unreadable;
        QVERIFY(DocumentDraft::Found(&unreadable).isEmpty());
    }
};

QTEST_MAIN(tst_recovery)
#include "tst_recovery.moc"
