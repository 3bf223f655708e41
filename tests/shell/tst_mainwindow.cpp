#include "Global.h"
#include "OS_SendMessage.h"
#include "Startup.h"
#include "TestEnvironment.h"
#include "mdform_QLEditor.h"

#include <QFile>
#include <QMdiArea>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {
// Records what the start-up sequence and the hand-off ask to open.
class RecordingWindow : public mdform_QLEditor {
public:
    using mdform_QLEditor::mdform_QLEditor;
    void OpenCommandLine(const QString& commandLine) override { opened << commandLine; }
    QStringList opened;
};
} // namespace

class tst_mainwindow : public QObject {
    Q_OBJECT

private slots:
    void loadPublishesAndPlacesTheWindow() {
        TestEnvironment env;
        Global g(env.path("app"), QString());
        RecordingWindow w(g);
        w.Load();
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillon Editor"));
        QVERIFY(qobject_cast<QMdiArea*>(w.centralWidget()));
        bool isNumber = false;
        QCOMPARE(g.settings.Read("WinRegistration").toULongLong(&isNumber), w.Handle());
        QVERIFY(isNumber);
        QCOMPARE(g.settings.Read("Application Path"), env.path("app"));
        QVERIFY(w.opened.isEmpty());

        const QRect screen = w.screen()->geometry();
        QVERIFY(qAbs(w.width() - screen.width() * 3 / 4) <= 1);
        QVERIFY(qAbs(w.height() - screen.height() * 3 / 4) <= 1);
        QVERIFY(qAbs(w.geometry().x() - (screen.width() - w.width()) / 2) <= 1);
        QVERIFY(qAbs(w.geometry().y() - (screen.height() - w.height()) / 2) <= 1);
        QVERIFY(!w.AutoSaver().Timer()->isActive());
    }

    void savedPlaceIsRestored() {
        TestEnvironment env;
        QPoint place;
        {
            Global g(env.path("app"), QString());
            RecordingWindow w(g);
            w.Load();
            w.setGeometry(40, 30, 500, 300);
            QTest::qWait(20);
            place = w.geometry().topLeft();
            w.ExitProgram();
        }
        Global g(env.path("app"), QString());
        RecordingWindow w(g);
        w.Load();
        QCOMPARE(w.size(), QSize(500, 300));
        QCOMPARE(w.geometry().topLeft(), place);
    }

    void autoSaveIntervalIsClamped() {
        TestEnvironment env;
        Global g(env.path("app"), QString());
        g.settings.Write("AutoSave", "150");
        RecordingWindow w(g);
        w.Load();
        QVERIFY(w.AutoSaver().Timer()->isActive());
        QCOMPARE(w.AutoSaver().Timer()->interval(), 60000);
        QCOMPARE(g.settings.autoSaveMinutes, 99);
        w.AutoSaver().SetMinutes(0);
        QVERIFY(!w.AutoSaver().Timer()->isActive());
    }

    void commandLineThenWelcomeDocumentOnce() {
        TestEnvironment env;
        QDir().mkpath(env.path("app"));
        QFile welcome(env.path("app/welcome.rtf"));
        QVERIFY(welcome.open(QIODevice::WriteOnly));
        welcome.write("{\\rtf1 Welcome}");
        welcome.close();
        {
            Global g(env.path("app"), QStringLiteral("/tmp/a.ini /tmp/b.txt"));
            RecordingWindow w(g);
            w.Load();
            QCOMPARE(w.opened, QStringList({"/tmp/a.ini /tmp/b.txt", env.path("app/welcome.rtf")}));
            QVERIFY(!QFile::exists(env.path("app/welcome.rtf")));
            w.ExitProgram();
        }
        Global g(env.path("app"), QString());
        RecordingWindow w(g);
        w.Load();
        QVERIFY(w.opened.isEmpty());
    }

    // The window shows before it opens the files named at start, so their editor is active first.
    void fileNamedAtStartKeepsItsMenus() {
        TestEnvironment env;
        QDir().mkpath(env.path("app"));
        QFile file(env.path("start.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x\r\n") == 3);
        file.close();
        Global g(env.path("app"), env.path("start.txt"));
        mdform_QLEditor w(g);
        Startup::RegisterEditors(w.DocumentOpener());
        w.Load();
        QTRY_VERIFY(w.MDIArea()->activeSubWindow());
        QVERIFY(w.Menus().Action("menu_Edit")->isVisible());
        w.ExitProgram();
    }

    void handOffRecord_data() {
        QTest::addColumn<quint32>("dwData");
        QTest::addColumn<QByteArray>("buffer");
        QTest::addColumn<quint32>("cbData");
        QTest::addColumn<QStringList>("opened");
        const QByteArray text = "/tmp/one.ini /tmp/two.txt";
        QByteArray padded = text + QByteArray(255 - text.size(), '\0');
        QTest::newRow("command line") << 3u << padded << quint32(text.size() + 1)
                                      << QStringList{"/tmp/one.ini /tmp/two.txt"};
        QTest::newRow("other dwData ignored") << 5u << padded << quint32(text.size() + 1) << QStringList{};
        QByteArray garbage = "/tmp/x.ini" + QByteArray("GARBAGE");
        QTest::newRow("never past cbData") << 3u << garbage << 10u << QStringList{"/tmp/x.ini"};
        QTest::newRow("cbData past the buffer") << 3u << QByteArray("/tmp/y") << 4000u << QStringList{"/tmp/y"};
        QTest::newRow("cut at first zero") << 3u << QByteArray("/a\0/b", 5) << 5u << QStringList{"/a"};
    }

    void handOffRecord() {
        QFETCH(quint32, dwData);
        QFETCH(QByteArray, buffer);
        QFETCH(quint32, cbData);
        QFETCH(QStringList, opened);
        TestEnvironment env;
        Global g(env.path("app"), QString());
        RecordingWindow w(g);
        w.Load();
        CopyDataMessage m;
        m.dwData = dwData;
        m.cbData = cbData;
        m.buffer = buffer;
        w.WindowProc(m);
        QCOMPARE(w.opened, opened);
    }

    void longCommandLineTravelsWhole() {
        const QByteArray text(1000, 'x');
        const CopyDataMessage m = CopyDataMessage::FromText(text, 3, 0);
        QCOMPARE(m.cbData, 1001u);
        QCOMPARE(m.buffer.size(), 1001);
        bool invalid = false;
        const auto back = CopyDataMessage::Decode(m.Encode(), &invalid);
        QVERIFY(back && !invalid);
        QCOMPARE(OS_SendMessage::CommandLineOf(*back), QString::fromLatin1(text));
        // Short texts still travel in the classic 255-byte buffer.
        QCOMPARE(CopyDataMessage::FromText("a", 3, 0).buffer.size(), 255);
        // A record claiming a huge buffer is refused, not waited for.
        QByteArray huge = CopyDataMessage::FromText("a", 3, 0).Encode();
        huge[16] = char(0xff);
        huge[19] = char(0x7f);
        QVERIFY(!CopyDataMessage::Decode(huge, &invalid) && invalid);
    }

    void exitUnpublishesAndWritesGeometry() {
        TestEnvironment env;
        Global g(env.path("app"), QString());
        RecordingWindow w(g);
        w.Load();
        w.ExitProgram();
        QCOMPARE(w.windowTitle(), QStringLiteral("Exiting - Please Wait"));
        QCOMPARE(g.settings.Read("WinRegistration"), QString());
        QCOMPARE(g.settings.Read("MDI Max"), QStringLiteral("0"));
        for (const char* name : {"MDI Top", "MDI Left", "MDI Height", "MDI Width"})
            QVERIFY2(!g.settings.Read(name).isEmpty(), name);
        // The sequence runs once.
        g.settings.Write("WinRegistration", "7");
        w.ExitProgram();
        QCOMPARE(g.settings.Read("WinRegistration"), QStringLiteral("7"));
    }

    void commandLineFromArguments() {
        QCOMPARE(Startup::CommandLine({"some-file", "/abs/b.ini", "../up.txt", ""}, "/home/u/work"),
                 QStringLiteral("/home/u/work/some-file /abs/b.ini /home/u/up.txt"));
        QCOMPARE(Startup::CommandLine({}, "/x"), QString());
    }
};

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
