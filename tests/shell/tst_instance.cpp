// Real processes of the program: the single instance, the hand-off and the exit on a signal.
#include "InstanceLock.h"
#include "RegistryFunctions.h"
#include "Settings.h"
#include "TestEnvironment.h"
#include "TestProcess.h"
#include "WindowChannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <memory>

namespace {
QString Value(const char* name) {
    RegistryFunctions reg;
    return QString::fromStdString(reg.ReadValue(Settings::kMainKey, name));
}

std::unique_ptr<QProcess> Start(const QStringList& arguments, const QString& folder = QString()) {
    MarkWelcomeSeen();
    return StartProgram(QStringLiteral(QLX_EXE), arguments, folder);
}

bool Published() {
    bool isNumber = false;
    Value("WinRegistration").toULongLong(&isNumber);
    return isNumber;
}

// A start that ends by itself or on a signal ends cleanly: in a sanitized build this is also
// where a report of the program's own (a leak, a bad access) shows.
void ExpectCleanEnd(QProcess& process) {
    QVERIFY(process.state() == QProcess::NotRunning || process.waitForFinished(15000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAllStandardError().constData());
}

void Terminate(QProcess& process, int signal = SIGTERM) {
    ::kill(pid_t(process.processId()), signal);
    ExpectCleanEnd(process);
}

// Waits until the program has taken its command line in hand; a prompt about it comes next.
void WaitForOpen(QProcess& process, const QString& name) {
    QByteArray log;
    QVERIFY(WaitFor([&] {
        log += process.readAllStandardError();
        return log.contains(("open command line: " + name).toUtf8());
    }));
    QTest::qWait(300);
}
} // namespace

class tst_instance : public QObject {
    Q_OBJECT

private slots:
    // A welcome document beside the program (left by hand or by an older build) opens at the next
    // start and goes, whichever test makes that start; removed here, it cannot add to what they open.
    void initTestCase() {
        QFile::remove(QFileInfo(QStringLiteral(QLX_EXE)).dir().filePath(QStringLiteral("welcome.rtf")));
    }

    void secondStartHandsOverItsFiles() {
        TestEnvironment env;
        auto first = Start({});
        QVERIFY(WaitFor(Published));

        // Started from another folder, with a name relative to it and a full path.
        MakeFile(env, "some-file");
        const QString other = MakeFile(env, "other.txt");
        auto second = Start({"some-file", other}, env.root());
        ExpectCleanEnd(*second);
        QVERIFY(WaitFor(
            [&] {
                return first->readAllStandardError().contains(
                    ("open command line: " + env.root() + "/some-file " + other).toUtf8());
            },
            5000));

        // Without arguments a second start ends and sends nothing.
        auto empty = Start({});
        ExpectCleanEnd(*empty);
        QTest::qWait(200);
        QVERIFY(!first->readAllStandardError().contains("open command line"));
        QCOMPARE(first->state(), QProcess::Running);
        Terminate(*first);
    }

    void handedOverFilesOpenInTheirOrder() {
        TestEnvironment env;
        auto first = Start({});
        QVERIFY(WaitFor(Published));
        const QString one = MakeFile(env, "one.txt");
        const QString two = MakeFile(env, "two.txt");
        auto second = Start({one, two});
        ExpectCleanEnd(*second);
        // Each opened file enters the recent files as it is opened.
        RegistryFunctions reg;
        const std::string mru = Settings::KeyPath("MRU").toStdString();
        QCOMPARE(QString::fromStdString(reg.ReadValue(mru, "mru1")), one);
        QCOMPARE(QString::fromStdString(reg.ReadValue(mru, "mru2")), two);
        Terminate(*first);
    }

    void signalEndsThroughTheNormalExit() {
        TestEnvironment env;
        auto first = Start({});
        QVERIFY(WaitFor(Published));
        Terminate(*first);
        QCOMPARE(Value("WinRegistration"), QString());
        for (const char* name : {"MDI Max", "MDI Top", "MDI Left", "MDI Height", "MDI Width"})
            QVERIFY2(!Value(name).isEmpty(), name);
    }

    // A prompt at start (a registry file without its header) gives way to each termination signal.
    void signalDuringAStartUpPrompt_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalDuringAStartUpPrompt() {
        QFETCH(int, signal);
        TestEnvironment env;
        const QString empty = env.path("empty.reg");
        QFile(empty).open(QIODevice::WriteOnly);
        auto first = Start({empty});
        WaitForOpen(*first, empty);
        Terminate(*first, signal);
        QCOMPARE(Value("WinRegistration"), QString());
    }

    // A sender that gives up while its file's prompt is up (here with a record that lacks its
    // terminating zero): the prompt's answer finds the sender gone, and the program goes on.
    void senderGoneDuringItsPrompt() {
        TestEnvironment env;
        auto first = Start({});
        QVERIFY(WaitFor(Published));
        const QByteArray missing = QFile::encodeName(env.path("does-not-exist.txt"));
        CopyDataMessage record = CopyDataMessage::FromText(missing, 3, 0);
        record.cbData = quint32(missing.size());
        quint32 reply = 0;
        QCOMPARE(WindowChannel::Send(Value("WinRegistration").toULongLong(), record, 5000, 300, &reply),
                 WindowChannel::SendResult::NoAnswer);
        WaitForOpen(*first, env.path("does-not-exist.txt"));
        Terminate(*first);
    }

    // A settings store removed under the running program is made anew, and a second start still
    // finds the first one.
    void storeRemovedWhileRunning() {
        TestEnvironment env;
        auto first = Start({});
        QVERIFY(WaitFor(Published));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(env.path("config/QLX/registry.db") + suffix);
        QVERIFY(WaitFor(Published));
        const QString file = MakeFile(env, "after-removal.txt");
        auto second = Start({file});
        ExpectCleanEnd(*second);
        WaitForOpen(*first, file);
        Terminate(*first);
    }

    // A second start that reaches no window (a first instance that never published one) says so
    // rather than dropping its files; its message waits for the user, so the test ends it.
    void secondStartThatReachesNoWindowSaysSo() {
        TestEnvironment env;
        InstanceLock first;
        QVERIFY(first.TryAcquire());
        auto second = Start({MakeFile(env, "lost.txt")});
        QByteArray log;
        QVERIFY(WaitFor(
            [&] {
                log += second->readAllStandardError();
                return log.contains("could not be reached") && log.contains("lost.txt");
            },
            25000));
        second->kill();
        second->waitForFinished();
    }

    void tenSimultaneousStartsGiveOneFirstInstance() {
        TestEnvironment env;
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < 10; ++i)
            // Five per type at most may open: half text, half INI files.
            starts.push_back(
                Start({MakeFile(env, QStringLiteral("file%1.%2").arg(i).arg(i < 5 ? "txt" : "ini"))}));
        QVERIFY(WaitFor(
            [&] {
                return std::count_if(starts.begin(), starts.end(),
                                     [](const auto& p) { return p->state() == QProcess::NotRunning; }) == 9;
            },
            30000));
        auto first = std::find_if(starts.begin(), starts.end(),
                                  [](const auto& p) { return p->state() == QProcess::Running; });
        QVERIFY(first != starts.end());
        for (const auto& start : starts) {
            if (start != *first)
                ExpectCleanEnd(*start);
        }
        // Every hand-off reached the one first instance.
        QByteArray log;
        QVERIFY(WaitFor(
            [&] {
                log += (*first)->readAllStandardError();
                return log.count("open command line:") == 10;
            },
            5000));
        Terminate(**first);
    }

    // The build keeps the welcome document where the installed program has it: each user sees it at
    // the first start only, and it stays for the next user.
    void welcomeDocumentOncePerUser() {
        const QByteArray opened("open command line: ");
        for (int user = 0; user < 2; ++user) {
            TestEnvironment env;
            for (int start = 0; start < 2; ++start) {
                auto program = StartProgram(QStringLiteral(QLX_EXE), {});
                QByteArray log;
                connect(program.get(), &QProcess::readyReadStandardError, this,
                        [&] { log += program->readAllStandardError(); });
                QVERIFY(WaitFor(Published));
                Terminate(*program);
                const qsizetype at = log.indexOf(opened);
                QCOMPARE(at >= 0, start == 0);
                if (at < 0)
                    continue;
                const QString path = QString::fromUtf8(log.mid(at + opened.size()).split('\n').first());
                QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("welcome.rtf"));
                QVERIFY(QFile::exists(path));
            }
        }
    }

    void crashedFirstInstanceDoesNotBlock() {
        TestEnvironment env;
        auto crashed = Start({});
        QVERIFY(WaitFor(Published));
        ::kill(pid_t(crashed->processId()), SIGKILL);
        crashed->waitForFinished(5000);

        MakeFile(env, "after-crash");
        auto next = Start({"after-crash"}, env.root());
        QVERIFY(WaitFor([&] {
            return next->readAllStandardError().contains(
                ("open command line: " + env.root() + "/after-crash").toUtf8());
        }));
        QCOMPARE(next->state(), QProcess::Running);
        Terminate(*next);
    }
};

QTEST_GUILESS_MAIN(tst_instance)
#include "tst_instance.moc"
