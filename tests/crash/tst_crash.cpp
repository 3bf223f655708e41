// Real processes killed or stopped at random moments: a document being saved, the registry store
// being written, and a first instance that hangs while a second start hands over its files.
#include "RegStore.h"
#include "RegistryFunctions.h"
#include "SaveContents.h"
#include "ScriptedResponder.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "DocumentFile.h"
#include "TextFile.h"
#include "WindowChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <csignal>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>

namespace {
void Kill(QProcess& process, int signal = SIGKILL) {
    ::kill(pid_t(process.processId()), signal);
    if (signal == SIGKILL || signal == SIGTERM)
        process.waitForFinished(15000);
}

// The complete lines a process wrote to stdout; a line cut by a kill is not counted.
QList<QByteArray> Lines(QProcess& process) {
    QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    lines.removeLast();
    return lines;
}

QString StoreIntegrity() {
    sqlite3* db = nullptr;
    QString result = "cannot open";
    if (sqlite3_open_v2(qlx::winreg::StorePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        result = "cannot check";
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

// The window's handle is published a moment before its channel listens; a stop in between would
// leave a second start nothing to send to.
bool Listening() {
    RegistryFunctions reg;
    bool isNumber = false;
    const quint64 handle =
        QString::fromStdString(reg.ReadValue(Settings::kMainKey, "WinRegistration")).toULongLong(&isNumber);
    return isNumber && QFile::exists(WindowChannel::SocketPath(handle));
}
// Every entry of the document's folder but the document and its second name.
QStringList Strays(const QDir& folder) {
    QStringList names = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll("saved.txt");
    names.removeAll("second.txt");
    return names;
}

// The next start and the next save each mention a copy of the old content that the document does
// not hold, and keep it; one whose bytes the document holds goes without a word.
void CheckLeftCopy(ScriptedResponder& responder, const QString& document, const QString& copy) {
    const qsizetype calls = responder.calls().size();
    const bool kept = ReadAll(copy) != ReadAll(document);
    const QString text = "A save of " + document + " that did not finish left its old contents in " + copy +
                         ".\r\rA copy is kept until it is deleted.";
    if (kept)
        responder.expectMsgBox(qlx::vbOK);
    DocumentFile::MentionLeftCopies();
    if (kept)
        responder.expectMsgBox(qlx::vbOK);
    const QByteArray older = crash::SaveContents(false);
    TextFormat format = TextFile::Detect(older);
    QVERIFY(DocumentFile::Save(document, QString::fromLatin1(older), &format));
    QCOMPARE(QFile::exists(copy), kept);
    QCOMPARE(responder.calls().size(), calls + (kept ? 2 : 0));
    for (qsizetype call = calls; call < responder.calls().size(); ++call) {
        QCOMPARE(responder.calls().at(call).text, text);
        QCOMPARE(responder.calls().at(call).title, "QLX Backup Copy");
        QCOMPARE(responder.calls().at(call).style, qlx::vbOKOnly + qlx::vbExclamation);
    }
    // As the user would, once the document is as it should be.
    QFile::remove(copy);
}

} // namespace

class tst_crash : public QObject {
    Q_OBJECT

private slots:
    // A welcome document beside the program (left by hand or by an older build) opens at the next
    // start and goes, whichever test makes that start; removed here, it cannot add to what they open.
    void initTestCase() {
        QFile::remove(QFileInfo(QStringLiteral(QLX_EXE)).dir().filePath(QStringLiteral("welcome.rtf")));
    }

    void savingKilledLeavesOldOrNewContent_data() {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("replaced") << false;
        // A second name makes every save write the document in place.
        QTest::newRow("in place") << true;
    }

    void savingKilledLeavesOldOrNewContent() {
        QFETCH(bool, inPlace);
        TestEnvironment env;
        ScriptedResponder responder;
        QDir folder(env.path("documents"));
        QVERIFY(folder.mkpath("."));
        const QString path = folder.filePath("saved.txt");
        const QByteArray older = crash::SaveContents(false);
        const QByteArray newer = crash::SaveContents(true);
        WriteAll(path, older);
        if (inPlace)
            QCOMPARE(::link(QFile::encodeName(path).constData(),
                            QFile::encodeName(folder.filePath("second.txt")).constData()),
                     0);
        // How long one save takes here, so that the kills fall all over it.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!TextFile::Write(path, newer));
        QVERIFY(!TextFile::Write(path, older));
        const int saveUs = int(clock.nsecsElapsed() / 2000) + 1;

        const QRegularExpression copyName(inPlace ? "^\\.saved\\.txt\\.qlx-backup-[A-Za-z0-9]{6}$"
                                                  : "^\\.saved\\.txt\\.qlx-[A-Za-z0-9]{6}$");
        int seen[3] = {0, 0, 0};
        int strays = 0;
        for (int round = 0; round < 100; ++round) {
            auto saver = StartProgram(SAVE_LOOP, {path});
            QVERIFY(saver->waitForReadyRead(15000));
            QThread::usleep(QRandomGenerator::global()->bounded(2 * saveUs));
            Kill(*saver);
            const QByteArray bytes = ReadAll(path);
            // A kill between naming the finished copy and renaming it over the document leaves
            // that copy; the next save removes it. A save in place leaves the document's old
            // content in its named copy until the new content is on disk. Anything else left, or a
            // torn copy, is a fault.
            const QStringList left = Strays(folder);
            QVERIFY2(left.size() <= 1, qPrintable(left.join(' ')));
            for (const QString& name : left) {
                QVERIFY2(copyName.match(name).hasMatch(), qPrintable(name));
                const QByteArray copy = ReadAll(folder.filePath(name));
                QVERIFY2(copy == older || copy == newer, qPrintable(name));
                ++strays;
            }
            const int state = bytes == older ? 0 : bytes == newer ? 1 : 2;
            QVERIFY2(state < 2 || (inPlace && !left.isEmpty()),
                     qPrintable(QString("round %1: %2 bytes on disk").arg(round).arg(bytes.size())));
            ++seen[state];
            if (!inPlace)
                continue;
            QVERIFY(ReadAll(folder.filePath("second.txt")) == bytes);
            for (const QString& name : left)
                CheckLeftCopy(responder, QFileInfo(path).canonicalFilePath(),
                              QFileInfo(folder.filePath(name)).canonicalFilePath());
        }
        QVERIFY(!TextFile::Write(path, older));
        DocumentFile::MentionLeftCopies();
        QCOMPARE(Strays(folder), QStringList());
        QCOMPARE(FilesBelow(env.path("data")), QStringList());
        qInfo("save takes %d us; after the kills %d times old, %d times new, %d times cut with the old "
              "content in its copy; %d copies left",
              saveUs, seen[0], seen[1], seen[2], strays);
    }

    void storeKeepsCommittedValuesWhenAWriterIsKilled() {
        TestEnvironment env;
        const QString key = "HKEY_CURRENT_USER\\Software\\QLX Crash";
        auto steady = StartProgram(STORE_WRITER, {key, "steady_", "600"});
        QList<QByteArray> committed;
        // Writers are killed for as long as the steady one writes, and at least 30 times.
        const auto steadyWrites = [&steady] {
            steady->waitForFinished(0); // notices its end, which nothing else here waits for
            return steady->state() == QProcess::Running;
        };
        int round = 0;
        for (; round < 30 || (steadyWrites() && round < 1000); ++round) {
            auto victim = StartProgram(STORE_WRITER, {key, QString("killed%1_").arg(round), "100000"});
            QVERIFY(victim->waitForReadyRead(15000));
            QThread::usleep(QRandomGenerator::global()->bounded(100000));
            Kill(*victim);
            committed += Lines(*victim);
        }
        steady->waitForFinished(60000);
        QCOMPARE(steady->state(), QProcess::NotRunning);
        QCOMPARE(steady->exitStatus(), QProcess::NormalExit);
        QCOMPARE(steady->exitCode(), 0);
        const QList<QByteArray> steadyNames = Lines(*steady);
        QCOMPARE(steadyNames.size(), 600);
        committed += steadyNames;

        QCOMPARE(StoreIntegrity(), QString("ok"));
        RegistryFunctions reg;
        for (const QByteArray& name : committed) {
            const std::string value = name.mid(name.lastIndexOf('_') + 1).toStdString();
            QVERIFY2(reg.ReadValue(key.toStdString(), name.toStdString()) == value, name.constData());
        }
        qInfo("%d writers killed, %lld committed values checked", round, qlonglong(committed.size()));
    }

    void hungFirstInstanceMakesSecondStartGiveUp() {
        TestEnvironment env;
        MarkWelcomeSeen();
        auto first = StartProgram(QLX_EXE, {});
        QVERIFY(WaitFor(Listening));
        // A start answered proves the first instance past its own start, whose settings writes
        // hold the store: stopped in one of those, it would block more than the hand-off.
        const QString early = MakeFile(env, "early.txt");
        auto warmUp = StartProgram(QLX_EXE, {early});
        QVERIFY(warmUp->waitForFinished(45000));
        QCOMPARE(warmUp->exitCode(), 0);
        Kill(*first, SIGSTOP);

        const QString late = MakeFile(env, "late.txt");
        QElapsedTimer clock;
        clock.start();
        auto second = StartProgram(QLX_EXE, {late});
        // 10 s to find the window and 30 s for its answer, then the start ends: with the lock
        // still held it must not become a first instance itself.
        QVERIFY(second->waitForFinished(45000));
        qInfo("second start gave up after %lld ms", clock.elapsed());
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        // Woken, the first instance opens the file it was sent, once.
        Kill(*first, SIGCONT);
        RegistryFunctions reg;
        const std::string mru = Settings::KeyPath("MRU").toStdString();
        const bool opened =
            WaitFor([&] { return QString::fromStdString(reg.ReadValue(mru, "mru2")) == late; });
        QTest::qWait(500);
        const QByteArray log = first->readAllStandardError();
        QVERIFY2(opened, log.constData());
        QCOMPARE(log.count("open command line: " + late.toUtf8()), 1);
        QCOMPARE(QString::fromStdString(reg.ReadValue(mru, "mru1")), early);
        QCOMPARE(QString::fromStdString(reg.ReadValue(mru, "mru3")), QString());
        Kill(*first, SIGTERM);
    }
};

QTEST_GUILESS_MAIN(tst_crash)
#include "tst_crash.moc"
