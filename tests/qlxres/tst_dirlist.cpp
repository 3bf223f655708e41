#include "Resources.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStorageInfo>
#include <QTest>
#include <QTimer>

namespace {
const QString kCompleteText = QStringLiteral(
    "The requested directory has been scanned.\r\rAll included files and sub-folders have been "
    "cataloged and formated as you requested and placed onto the Windows Clipboard.\r\rYou may "
    "switch to your desired text editor or Open Text file and paste the DIR list.");

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QWidget* OpenGatherer(bool suppress) {
    Resources().GatherDirList(suppress);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("form_Dir") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

template <class Widget> Widget* Control(QWidget* form, const char* name) {
    return form->findChild<Widget*>(QString::fromLatin1(name));
}

void PointAt(QWidget* form, const QString& folder) {
    Control<QWidget>(form, "Dir")->setProperty("path", folder);
}

QStringList Items(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text().trimmed();
    return texts;
}

// Lets the closed window be deleted; true when it is gone.
bool Gone(const QPointer<QWidget>& form) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form.isNull();
}

// The path as the listing writes it.
QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}
} // namespace

class TestDirList : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("before")); }

    void listsDepthFirstWithIndentAndReports() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString a = env.path("A");
        Touch(a + "/a.txt");
        Touch(a + "/B/b.txt");
        QPointer<QWidget> form = OpenGatherer(false);
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Retrieve Directory List"));
        auto* scan = Control<QPushButton>(form, "cmd_Scan");
        auto* indent = Control<QCheckBox>(form, "cb_indent");
        QCOMPARE(scan->text(), QStringLiteral("Gather Folder"));
        QCOMPARE(indent->text(), QStringLiteral("Indent files under folder entry for text"));
        PointAt(form, a);
        indent->setChecked(true);
        responder.expectMsgBox(qlx::vbOK);
        scan->click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 Shown(a) + "\r\n\ta.txt\r\n\r\n" + Shown(a + "/B") + "\r\n\tb.txt\r\n");
        QCOMPARE(responder.calls().size(), 1);
        QCOMPARE(responder.calls()[0].text, kCompleteText);
        QCOMPARE(responder.calls()[0].title, QStringLiteral("Operation Complete"));
        QCOMPARE(responder.calls()[0].style, int(qlx::vbOKOnly));
        QVERIFY(Gone(form));
    }

    void listsInTheListsOrderWithoutIndent() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString top = env.path("top");
        for (const char* name : {"b.txt", "A.txt", "c.txt", ".hidden", "beta/x", "Alpha/deep/d.txt",
                                 "Alpha/z.ini", ".git/config"})
            Touch(top + "/" + name);
        QVERIFY(QDir().mkpath(top + "/gamma"));
        QPointer<QWidget> form = OpenGatherer(true);
        PointAt(form, top);
        QCOMPARE(Items(Control<QListWidget>(form, "File")), QStringList({"A.txt", "b.txt", "c.txt"}));
        const QStringList dirs = Items(Control<QListWidget>(form, "Dir"));
        QCOMPARE(dirs.mid(dirs.size() - 3), QStringList({"Alpha", "beta", "gamma"}));
        Control<QPushButton>(form, "cmd_Scan")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 Shown(top) + "\r\nA.txt\r\nb.txt\r\nc.txt\r\n" +            //
                     "\r\n" + Shown(top + "/Alpha") + "\r\nz.ini\r\n" +      //
                     "\r\n" + Shown(top + "/Alpha/deep") + "\r\nd.txt\r\n" + //
                     "\r\n" + Shown(top + "/beta") + "\r\nx\r\n" +           //
                     "\r\n" + Shown(top + "/gamma") + "\r\n");
        QVERIFY(responder.calls().isEmpty());
        QVERIFY(Gone(form));
    }

    void emptyFolderSuppressedStillFillsTheClipboard() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString empty = env.path("empty");
        QVERIFY(QDir().mkpath(empty));
        QPointer<QWidget> form = OpenGatherer(true);
        PointAt(form, empty);
        Control<QPushButton>(form, "cmd_Scan")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), Shown(empty) + "\r\n");
        QVERIFY(responder.calls().isEmpty());
    }

    void linksBackUpAreListedButNotEntered() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString top = env.path("top");
        Touch(top + "/sub/f.txt");
        QVERIFY(QFile::link(top, top + "/sub/up"));
        QVERIFY(QFile::link(top + "/sub", top + "/sub/self"));
        QPointer<QWidget> form = OpenGatherer(true);
        PointAt(form, top);
        Control<QPushButton>(form, "cmd_Scan")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), Shown(top) + "\r\n\r\n" + Shown(top + "/sub") +
                                                           "\r\nf.txt\r\n\r\n" + Shown(top + "/sub/self") +
                                                           "\r\n\r\n" + Shown(top + "/sub/up") + "\r\n");
    }

    void openingAgainGivesTheSameWindow() {
        TestEnvironment env;
        ScriptedResponder responder;
        QPointer<QWidget> first = OpenGatherer(false);
        QPointer<QWidget> second = OpenGatherer(true);
        QCOMPARE(second, first);
        PointAt(second, env.path("home"));
        Control<QPushButton>(second, "cmd_Scan")->click();
        QVERIFY(responder.calls().isEmpty());
    }

    void driveChangeShowsTheDrivesRoot() {
        ScriptedResponder responder;
        QPointer<QWidget> form = OpenGatherer(true);
        auto* drive = Control<QComboBox>(form, "Drive");
        QVERIFY(drive->count() > 0);
        QCOMPARE(drive->currentData().toString(), QStorageInfo(QDir::currentPath()).rootPath());
        QCOMPARE(Control<QWidget>(form, "Dir")->property("path").toString(), QDir::currentPath());
        const int other = drive->currentIndex() == 0 ? drive->count() - 1 : 0;
        drive->setCurrentIndex(other);
        QCOMPARE(Control<QWidget>(form, "Dir")->property("path").toString(),
                 QDir::cleanPath(drive->itemData(other).toString()));
        form->close();
        QVERIFY(Gone(form));
    }

    // A folder of 100,000 files: the window answers while the walk runs, and CANCEL stops it
    // without touching the clipboard.
    void largeFolderStaysResponsiveAndCancels() {
        TestEnvironment env;
        ScriptedResponder responder;
        const QString big = env.path("big");
        QVERIFY(QDir().mkpath(big));
        for (int i = 0; i < 100000; ++i) {
            QFile file(QStringLiteral("%1/file%2.txt").arg(big).arg(i, 6, 10, QLatin1Char('0')));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QPointer<QWidget> form = OpenGatherer(true);
        PointAt(form, big);
        auto* scan = Control<QPushButton>(form, "cmd_Scan");

        // Without the breaks no timer could fire until the walk is over.
        int ticks = 0;
        QTimer ticker;
        ticker.setInterval(5);
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start();
        scan->click();
        ticker.stop();
        QVERIFY(QGuiApplication::clipboard()->text().endsWith("file099999.txt\r\n"));
        QVERIFY2(ticks >= 2, qPrintable(QStringLiteral("the window answered %1 times during the walk").arg(ticks)));

        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        form = OpenGatherer(false);
        PointAt(form, big);
        scan = Control<QPushButton>(form, "cmd_Scan");
        QTimer::singleShot(0, scan, [scan] {
            QCOMPARE(scan->text(), QStringLiteral("CANCEL"));
            scan->click();
        });
        scan->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QVERIFY(responder.calls().isEmpty());
        QVERIFY(Gone(form));
    }
};

QTEST_MAIN(TestDirList)
#include "tst_dirlist.moc"
