#include "RegistryFunctions.h"
#include "Resources.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {
const char* const kProgramKey = "HKEY_CURRENT_USER\\Software\\Norvale\\QLX";
const char* const kMsInfoKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kToolsLocationKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kFeedback = QStringLiteral("Send feedback through the project's issue tracker");

QList<QWidget*> AboutBoxes() {
    QList<QWidget*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("form_About"))
            boxes << widget;
    }
    return boxes;
}

QString LabelText(QWidget* form, const char* name) {
    return form->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

QPushButton* Button(QWidget* form, const char* name) {
    return form->findChild<QPushButton*>(QString::fromLatin1(name));
}

QWidget* OpenAbout() {
    Resources().HelpAbout(QStringLiteral("3.2.1"));
    return AboutBoxes().value(0);
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A stand-in for the System Information tool that leaves a mark when it runs.
QString FakeTool(const QString& path, const QString& mark) {
    Write(path, QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark).toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

struct LicenseView {
    QString caption;
    QString text;
    QString label;
    bool readOnly = false;
    QString family;
};

// Presses "&License" and reads the viewer while it is shown, then closes it with its OK.
LicenseView ShowLicense(ScriptedResponder& responder, QWidget* about) {
    LicenseView view;
    responder.expectForm([&view](QDialog& viewer) {
        auto* pad = viewer.findChild<QPlainTextEdit*>(QStringLiteral("txt_Pad"));
        view = {viewer.windowTitle(), pad->toPlainText(), LabelText(&viewer, "Label1"), pad->isReadOnly(),
                pad->font().family()};
        Button(&viewer, "cmd_OK")->click();
    });
    Button(about, "EULA")->click();
    return view;
}
} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QWidget* box : AboutBoxes())
            delete box;
    }

    void aboutBoxShowsTheProgram() {
        TestEnvironment env;
        QWidget* about = OpenAbout();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Quillon Editor"));
        QCOMPARE(LabelText(about, "lblTitle"), QStringLiteral("Quillon Editor"));
        QCOMPARE(LabelText(about, "lblVersion"), QStringLiteral("Version 3.2.1"));
        QCOMPARE(
            LabelText(about, "lblDescription"),
            QStringLiteral("Text, RTF, INI and REG file editor that allows you to edit these files in a more "
                           "native environment than just Notepad and WordPad."));
        QCOMPARE(LabelText(about, "Label2"), kFeedback);
        QCOMPARE(Button(about, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(Button(about, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
        QCOMPARE(Button(about, "EULA")->text(), QStringLiteral("&License"));
        QVERIFY(!about->parentWidget());
        QVERIFY(!about->isModal());
    }

    void openedTwiceIsOneWindowWithTheLatestVersion() {
        TestEnvironment env;
        Resources().HelpAbout(QStringLiteral("1.0.0"));
        Resources().HelpAbout(QStringLiteral("1.2.3"));
        QCOMPARE(AboutBoxes().size(), 1);
        QCOMPARE(LabelText(AboutBoxes()[0], "lblVersion"), QStringLiteral("Version 1.2.3"));
        QPointer<QWidget> about = AboutBoxes()[0];
        Button(about, "cmdOK")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
        Resources().HelpAbout(QStringLiteral("2.0.0"));
        QCOMPARE(AboutBoxes().size(), 1);
    }

    void systemInfo_data() {
        QTest::addColumn<bool>("withPath");
        QTest::addColumn<bool>("withLocation");
        QTest::addColumn<bool>("toolInLocation");
        QTest::addColumn<QString>("started");
        QTest::newRow("by its path") << true << true << true << "path";
        QTest::newRow("by the shared tools folder") << false << true << true << "location";
        QTest::newRow("folder without the tool") << false << true << false << "";
        QTest::newRow("no entries") << false << false << false << "";
    }

    void systemInfo() {
        QFETCH(bool, withPath);
        QFETCH(bool, withLocation);
        QFETCH(bool, toolInLocation);
        QFETCH(QString, started);
        TestEnvironment env;
        ScriptedResponder responder;
        RegistryFunctions registry;
        if (withPath) {
            const QString tool = FakeTool(env.path("tools/info.sh"), env.path("path"));
            registry.WriteValue(kMsInfoKey, "PATH", tool.toStdString(), "REG_SZ");
        }
        if (withLocation)
            registry.WriteValue(kToolsLocationKey, "MSINFO", env.path("shared").toStdString(), "REG_SZ");
        QDir().mkpath(env.path("shared"));
        if (toolInLocation)
            FakeTool(env.path("shared/msinfo32.exe"), env.path("location"));
        if (started.isEmpty())
            responder.expectMsgBox(qlx::vbOK);

        Button(OpenAbout(), "cmdSysInfo")->click();
        if (started.isEmpty()) {
            QCOMPARE(responder.calls().size(), 1);
            QCOMPARE(responder.calls()[0].text,
                     QStringLiteral("System Information Is Unavailable At This Time"));
            QCOMPARE(responder.calls()[0].title, QStringLiteral("QLXRES"));
            QCOMPARE(responder.calls()[0].style, int(qlx::vbOKOnly));
            return;
        }
        QTRY_VERIFY(QFile::exists(env.path(started)));
        QVERIFY(responder.calls().isEmpty());
        QVERIFY(!QFile::exists(env.path(started == "path" ? "location" : "path")));
    }

    void systemInfoThatWillNotStartIsUnavailable() {
        TestEnvironment env;
        ScriptedResponder responder;
        RegistryFunctions registry;
        registry.WriteValue(kMsInfoKey, "PATH", env.path("missing/msinfo32").toStdString(), "REG_SZ");
        registry.WriteValue(kToolsLocationKey, "MSINFO", env.path("shared").toStdString(), "REG_SZ");
        FakeTool(env.path("shared/MSINFO32.EXE"), env.path("location"));
        responder.expectMsgBox(qlx::vbOK);
        Button(OpenAbout(), "cmdSysInfo")->click();
        QCOMPARE(responder.calls().size(), 1);
        QTest::qWait(100);
        QVERIFY(!QFile::exists(env.path("location")));
    }

    void licenseGetsAFinalLineBreak() {
        TestEnvironment env;
        ScriptedResponder responder;
        Write(env.path("app/EULA.TXT"), "Licence\r\n\r\nLast line");
        RegistryFunctions().WriteValue(kProgramKey, "Application Path", env.path("app").toStdString(),
                                       "REG_SZ");
        const LicenseView view = ShowLicense(responder, OpenAbout());
        QCOMPARE(view.caption, QStringLiteral("EULA"));
        QCOMPARE(view.text, QStringLiteral("Licence\n\nLast line\n"));
        QVERIFY(view.readOnly);
        QCOMPARE(view.family, QStringLiteral("Courier New"));
        QCOMPARE(view.label, QStringLiteral("Questions?  / Suggestions?     ") + kFeedback);
        QCOMPARE(responder.calls().size(), 1);
    }

    void licenseOfAnInstalledProgram() {
        TestEnvironment env;
        ScriptedResponder responder;
        Write(env.path("usr/share/quillon-editor/eula.txt"), "Installed\n");
        QDir().mkpath(env.path("usr/bin"));
        RegistryFunctions().WriteValue(kProgramKey, "Application Path", env.path("usr/bin").toStdString(),
                                       "REG_SZ");
        QCOMPARE(ShowLicense(responder, OpenAbout()).text, QStringLiteral("Installed\n"));

        // A copy beside the program comes first.
        Write(env.path("usr/bin/EULA.TXT"), "Beside\n");
        QCOMPARE(ShowLicense(responder, OpenAbout()).text, QStringLiteral("Beside\n"));
    }

    void missingLicenseIsReported() {
        TestEnvironment env;
        ScriptedResponder responder;
        QDir().mkpath(env.path("app"));
        RegistryFunctions().WriteValue(kProgramKey, "Application Path", env.path("app").toStdString(),
                                       "REG_SZ");
        responder.expectMsgBox(qlx::vbOK);
        QCOMPARE(ShowLicense(responder, OpenAbout()).text, QString());
        QCOMPARE(responder.calls().size(), 2); // the message, then the empty viewer
        QCOMPARE(responder.calls()[0].text, QStringLiteral("Missing EULA!"));
        QCOMPARE(responder.calls()[0].style, int(qlx::vbOKOnly));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
