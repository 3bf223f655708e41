#include "ShellFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {
void Trigger(ShellFixture& f, const char* name) {
    f.main.Menus().Action(QString::fromLatin1(name))->trigger();
}

void Write(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x\r\n");
}

QList<QWidget*> TopLevels(const char* name) {
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            found << widget;
    }
    return found;
}

// The geometry of the shown document windows, normal or minimized, from the top left corner on.
QList<QRect> Frames(ShellFixture& f, bool minimized) {
    QList<QRect> frames;
    for (QMdiSubWindow* window : f.main.MDIArea()->subWindowList()) {
        if (window->isVisible() && window->isMinimized() == minimized)
            frames << window->geometry();
    }
    std::sort(frames.begin(), frames.end(), [](const QRect& a, const QRect& b) {
        return std::pair(a.x() + a.y(), a.x()) < std::pair(b.x() + b.y(), b.x());
    });
    return frames;
}

QList<FakeDocument*> NewDocuments(ShellFixture& f, int count) {
    QList<FakeDocument*> documents;
    for (int i = 0; i < count; ++i)
        documents << static_cast<FakeDocument*>(f.main.DocumentOpener().NewDocument(DocType::TXT, -1));
    return documents;
}
} // namespace

class tst_tools : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (const char* name : {"form_Dir", "form_About"}) {
            for (QWidget* widget : TopLevels(name))
                delete widget;
        }
    }

    void sysEditOpensTheSystemFilesCascaded() {
        ShellFixture f;
        const QString windows = f.env.path("home/.wine/drive_c/windows");
        const QString driveC = f.env.path("home/.wine/drive_c");
        QCOMPARE(f.g.windowsDirectory, windows);
        Write(windows + "/win.ini");
        Write(windows + "/System.ini");
        QVERIFY(QDir().mkpath(windows + "/PROTOCOL.INI")); // a folder is no file
        Write(driveC + "/AUTOEXEC.BAT");
        Write(driveC + "/config.sys");

        Trigger(f, "menu_ToolsSysedit");
        QCOMPARE(f.g.Slot(DocType::INI, 0).path, windows + "/win.ini");
        QCOMPARE(f.g.Slot(DocType::INI, 0).title, QStringLiteral("WIN.INI"));
        QCOMPARE(f.g.Slot(DocType::INI, 1).path, windows + "/System.ini");
        QVERIFY(f.Doc(DocType::INI, 2) == nullptr || f.Doc(DocType::INI, 2)->Tag.isEmpty());
        QCOMPARE(f.g.Slot(DocType::TXT, 0).path, driveC + "/AUTOEXEC.BAT");
        QCOMPARE(f.g.Slot(DocType::TXT, 0).title, QStringLiteral("AUTOEXEC.BAT"));
        QCOMPARE(f.g.Slot(DocType::TXT, 1).path, driveC + "/config.sys");

        // Cascaded: every window a step further right and down than the one before, as a fresh
        // cascade leaves them.
        const QList<QRect> frames = Frames(f, false);
        QCOMPARE(frames.size(), 4);
        for (int i = 1; i < frames.size(); ++i)
            QVERIFY(frames[i].x() > frames[i - 1].x() && frames[i].y() > frames[i - 1].y());
        f.main.MDIArea()->cascadeSubWindows();
        QCOMPARE(Frames(f, false), frames);
        QVERIFY(f.r.calls().isEmpty());
    }

    void sysEditClosesChangedDocumentsFirst() {
        ShellFixture f;
        Opener& opener = f.main.DocumentOpener();
        const QList<FakeDocument*> docs = NewDocuments(f, 3);
        f.g.Slot(DocType::TXT, 0).path = f.File("dropped.txt");
        docs[0]->Altered(true);
        docs[2]->Altered(true);
        f.r.expectMsgBox(qlx::vbNo);
        f.r.expectMsgBox(qlx::vbCancel);
        QPointer<FakeDocument> discarded = docs[0];
        Trigger(f, "menu_ToolsSysedit");

        QCOMPARE(f.r.calls().size(), 2);
        QCOMPARE(f.r.calls()[0].text,
                 QStringLiteral("Save this file?\r") + f.env.path("dropped.txt"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(discarded.isNull() || discarded->Tag.isEmpty());
        QCOMPARE(docs[1]->Tag, QStringLiteral("1")); // unchanged: left alone
        QCOMPARE(docs[2]->Tag, QStringLiteral("2")); // kept by the user
        QVERIFY(f.g.Slot(DocType::TXT, 2).changed);
        QCOMPARE(opener.FindFreeSlot(DocType::TXT), 0);
    }

    void environmentVariablesAreReported() {
        ShellFixture f;
        QGuiApplication::clipboard()->clear();
        f.r.expectMsgBox(qlx::vbOK);
        Trigger(f, "menu_ToolsEnvVars");
        QCOMPARE(f.r.calls().size(), 1);
        const DialogCall& call = f.r.calls()[0];
        QCOMPARE(call.text, QStringLiteral("The system variables and values have been placed on the Windows "
                                           "Clipboard.  You may paste the results into any appropriate QLX "
                                           "Editor, or external program."));
        QCOMPARE(call.title, QStringLiteral("Environmental Variable Gathering Complete"));
        QCOMPARE(call.style, int(qlx::vbOKOnly));
        QVERIFY(QGuiApplication::clipboard()->text().endsWith("\r\n"));
    }

    void suppressedResultsShowNoMessage() {
        ShellFixture f([](Global& g) { g.settings.Write("Supress Results", "1"); });
        QVERIFY(f.g.settings.supressResults);
        QGuiApplication::clipboard()->clear();
        Trigger(f, "menu_ToolsEnvVars");
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());

        // The directory list gets the setting too.
        Trigger(f, "menu_ToolsDirList");
        const QList<QWidget*> gatherers = TopLevels("form_Dir");
        QCOMPARE(gatherers.size(), 1);
        QVERIFY(QDir().mkpath(f.env.path("empty")));
        gatherers[0]->findChild<QWidget*>("Dir")->setProperty("path", f.env.path("empty"));
        gatherers[0]->findChild<QPushButton*>("cmd_Scan")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QDir::toNativeSeparators(f.env.path("empty")) + "\r\n");
        QVERIFY(f.r.calls().isEmpty());
    }

    void directoryListReportsUnlessSuppressed() {
        ShellFixture f;
        Trigger(f, "menu_ToolsDirList");
        QWidget* gatherer = TopLevels("form_Dir").value(0);
        QVERIFY(gatherer);
        QVERIFY(!gatherer->parentWidget());
        gatherer->findChild<QWidget*>("Dir")->setProperty("path", f.env.path("home/Documents"));
        f.r.expectMsgBox(qlx::vbOK);
        gatherer->findChild<QPushButton*>("cmd_Scan")->click();
        QCOMPARE(f.r.calls().size(), 1);
        QCOMPARE(f.r.calls()[0].title, QStringLiteral("Operation Complete"));
    }

    void tileHorizontallyStacksFullWidth() {
        ShellFixture f;
        NewDocuments(f, 3);
        Trigger(f, "menu_WindowTileH");
        const QRect area = f.main.MDIArea()->viewport()->rect();
        const QList<QRect> frames = Frames(f, false);
        QCOMPARE(frames.size(), 3);
        QCOMPARE(frames.first().top(), area.top());
        for (int i = 0; i < frames.size(); ++i) {
            QCOMPARE(frames[i].left(), area.left());
            QCOMPARE(frames[i].width(), area.width());
            if (i > 0)
                QCOMPARE(frames[i].top(), frames[i - 1].bottom() + 1);
        }
        QCOMPARE(frames.last().bottom(), area.bottom());
    }

    void tileVerticallyPutsSideBySide() {
        ShellFixture f;
        NewDocuments(f, 3)[0]->showMaximized();
        Trigger(f, "menu_WindowTileV");
        const QRect area = f.main.MDIArea()->viewport()->rect();
        const QList<QRect> frames = Frames(f, false);
        QCOMPARE(frames.size(), 3);
        QCOMPARE(frames.first().left(), area.left());
        for (int i = 0; i < frames.size(); ++i) {
            QCOMPARE(frames[i].top(), area.top());
            QCOMPARE(frames[i].height(), area.height());
            if (i > 0)
                QCOMPARE(frames[i].left(), frames[i - 1].right() + 1);
        }
        QCOMPARE(frames.last().right(), area.right());
    }

    void minimizedWindowsLineUpAlongTheBottom() {
        ShellFixture f;
        const QList<FakeDocument*> docs = NewDocuments(f, 4);
        docs[1]->showMinimized();
        docs[3]->showMinimized();
        Trigger(f, "menu_WindowArrange");
        const QRect area = f.main.MDIArea()->viewport()->rect();
        const QList<QRect> icons = Frames(f, true);
        QCOMPARE(icons.size(), 2);
        QCOMPARE(icons[0].left(), area.left());
        QCOMPARE(icons[1].left(), icons[0].right() + 1);
        for (const QRect& icon : icons)
            QCOMPARE(icon.bottom(), area.bottom());

        // Tiling keeps the row of icons free.
        Trigger(f, "menu_WindowTileH");
        for (const QRect& frame : Frames(f, false))
            QVERIFY(frame.bottom() < icons[0].top());
        QCOMPARE(Frames(f, true), icons);
    }

    void aboutShowsTheProgramsVersionOnce() {
        ShellFixture f;
        Trigger(f, "menu_HelpAbout");
        Trigger(f, "menu_HelpAbout");
        const QList<QWidget*> boxes = TopLevels("form_About");
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0]->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version " QLX_VERSION));
    }

    // An installed program shares its welcome document among its users: each sees it once.
    void installedWelcomeDocumentOncePerUser() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString welcome = env.path("share/quillon-editor/welcome.rtf");
        Write(welcome);
        QDir().mkpath(env.path("bin"));
        for (int start = 0; start < 2; ++start) {
            Global global(env.path("bin"), QString());
            mdform_QLEditor main(global);
            main.DocumentOpener().RegisterEditor(DocType::RTF, [](Global& g, DocumentHost& host) {
                return new FakeDocument(g, host, DocType::RTF);
            });
            main.Load();
            const DocumentSlot& slot = global.Slot(DocType::RTF, 0);
            QCOMPARE(slot.path, start == 0 ? welcome : QString());
            QVERIFY(QFile::exists(welcome));
            QCOMPARE(global.settings.Read("Welcome Shown"), QStringLiteral("1"));
        }
    }
};

QTEST_MAIN(tst_tools)
#include "tst_tools.moc"
