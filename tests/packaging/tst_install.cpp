#include "RegistryFunctions.h"
#include "Resources.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kAppId = QStringLiteral("org.norvale.QuillonEditor");
const char* const kProgramKey = "HKEY_CURRENT_USER\\Software\\Norvale\\QLX";

struct Run {
    int exitCode = -1;
    QString output;
};

Run Execute(const QString& program, const QStringList& arguments, const QString& folder = QString()) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromLocal8Bit(process.readAll())};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class tst_install : public QObject {
    Q_OBJECT

    QTemporaryDir prefix_;

    QString Installed(const QString& relative) const { return prefix_.filePath(relative); }
    QString Data(const QString& relative) const {
        return Installed(QStringLiteral(QLX_DATADIR "/") + relative);
    }
    QString Lib(const QString& relative) const {
        return Installed(QStringLiteral(QLX_LIBDIR "/") + relative);
    }

    // Runs a validator on installed files, or skips when it is not there.
    void Validate(const QString& tool, const QStringList& arguments) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            QSKIP(qPrintable(tool + " is not installed"));
        const Run run = Execute(path, arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    }

private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        const Run run = Execute(QStringLiteral(QLX_CMAKE),
                                {"--install", QStringLiteral(QLX_BUILD_DIR), "--prefix", prefix_.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    }

    void installsEveryPart() {
        const QString version = QStringLiteral(QLX_VERSION);
        const QString major = version.section(QLatin1Char('.'), 0, 0);
        const QStringList files = {
            Installed(QStringLiteral(QLX_BINDIR "/QLX")),
            Lib("libKeystone2.so." + version),
            Lib("libKeystone2.so." + major),
            Lib("libKeystone2.so"),
            Lib("libQLXRES.so." + version),
            Lib("libQLXRES.so." + major),
            Installed(QStringLiteral(QLX_INCLUDEDIR "/Keystone2/RegistryFunctions.h")),
            Installed(QStringLiteral(QLX_INCLUDEDIR "/Keystone2/Keystone2Export.h")),
            Installed(QStringLiteral(QLX_INCLUDEDIR "/QLXRES/Resources.h")),
            Installed(QStringLiteral(QLX_INCLUDEDIR "/QLXRES/QlxresExport.h")),
            Lib("cmake/Keystone2/Keystone2Config.cmake"),
            Lib("cmake/Keystone2/Keystone2ConfigVersion.cmake"),
            Data("applications/" + kAppId + ".desktop"),
            Data("metainfo/" + kAppId + ".metainfo.xml"),
            Data("mime/packages/" + kAppId + ".xml"),
            Data("icons/hicolor/scalable/apps/quillon-editor.svg"),
            Data("quillon-editor/EULA.TXT"),
            Data("quillon-editor/welcome.rtf"),
        };
        for (const QString& file : files)
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        QVERIFY(QFileInfo(Installed(QStringLiteral(QLX_BINDIR "/QLX"))).isExecutable());
    }

    void programLoadsTheInstalledLibraries() {
        const QString ldd = QStandardPaths::findExecutable(QStringLiteral("ldd"));
        if (ldd.isEmpty())
            QSKIP("ldd is not installed");
        const Run run = Execute(ldd, {Installed(QStringLiteral(QLX_BINDIR "/QLX"))});
        QCOMPARE(run.exitCode, 0);
        for (const char* library : {"libKeystone2.so", "libQLXRES.so"}) {
            const QString line = run.output.split(QLatin1Char('\n')).filter(QLatin1String(library)).value(0);
            QVERIFY2(line.contains(" => " + prefix_.path() + "/"), qPrintable(run.output));
        }
    }

    // The installed program starts, publishes where it runs from, and its licence and welcome
    // document are found in its data folder.
    void installedProgramFindsItsFiles() {
        TestEnvironment env;
        ScriptedResponder responder;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
        program.setProcessEnvironment(environment);
        program.start(Installed(QStringLiteral(QLX_BINDIR "/QLX")), {});
        QVERIFY(program.waitForStarted());
        RegistryFunctions registry;
        // The welcome document is the last thing the start-up opens.
        QTRY_COMPARE_WITH_TIMEOUT(registry.ReadValue(kProgramKey, "Welcome Shown"), std::string("1"), 20000);
        const QString appPath = QString::fromStdString(registry.ReadValue(kProgramKey, "Application Path"));
        QCOMPARE(QDir(appPath).canonicalPath(), QDir(Installed(QStringLiteral(QLX_BINDIR))).canonicalPath());
        QVERIFY(QFile::exists(Data("quillon-editor/welcome.rtf")));
        program.terminate();
        QVERIFY(program.waitForFinished(20000));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 program.readAllStandardError().constData());

        // The licence viewer reads where the program said it runs from.
        Resources().HelpAbout(QStringLiteral(QLX_VERSION));
        QWidget* about = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("form_About"))
                about = widget;
        }
        QVERIFY(about);
        QString shown;
        responder.expectForm([&shown](QDialog& viewer) {
            shown = viewer.findChild<QPlainTextEdit*>(QStringLiteral("txt_Pad"))->toPlainText();
            viewer.accept();
        });
        about->findChild<QPushButton*>(QStringLiteral("EULA"))->click();
        QCOMPARE(responder.calls().size(), 1);
        QCOMPARE(shown, QString::fromUtf8(Contents(Data("quillon-editor/EULA.TXT"))));
        delete about;
    }

    void desktopEntryValidates() {
        Validate(QStringLiteral("desktop-file-validate"), {Data("applications/" + kAppId + ".desktop")});
    }

    void metadataValidates() {
        // The tree check also finds the desktop entry and the icon the metadata names.
        Validate(QStringLiteral("appstreamcli"), {"validate-tree", "--no-net", prefix_.path()});
    }

    void mimeTypeOfIniFilesIsValid() {
        QTemporaryDir database;
        QVERIFY(QDir().mkpath(database.filePath("packages")));
        QVERIFY(QFile::copy(Data("mime/packages/" + kAppId + ".xml"), database.filePath("packages/ini.xml")));
        Validate(QStringLiteral("update-mime-database"), {database.path()});
        QVERIFY(Contents(database.filePath("globs2")).contains("application/x-wine-extension-ini:*.ini"));
    }

    // Another program builds against the installed Keystone2 through its CMake package.
    void keystonePackageServesAnotherProgram() {
        TestEnvironment env;
        QTemporaryDir project;
        QFile cmake(project.filePath("CMakeLists.txt"));
        QVERIFY(cmake.open(QIODevice::WriteOnly));
        cmake.write("cmake_minimum_required(VERSION 3.25)\n"
                    "project(consumer CXX)\n"
                    "find_package(Keystone2 " QLX_VERSION " REQUIRED)\n"
                    "add_executable(consumer main.cpp)\n"
                    "target_link_libraries(consumer PRIVATE Keystone2::Keystone2)\n");
        cmake.close();
        QFile source(project.filePath("main.cpp"));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(
            "#include <RegistryFunctions.h>\n"
            "#include <iostream>\n"
            "int main() {\n"
            "    RegistryFunctions registry;\n"
            "    registry.WriteValue(\"HKEY_CURRENT_USER\\\\Software\\\\Consumer\", \"Name\", \"works\", "
            "\"REG_SZ\");\n"
            "    std::cout << registry.ReadValue(\"HKEY_CURRENT_USER\\\\Software\\\\Consumer\", \"Name\");\n"
            "}\n");
        source.close();
        const QString build = project.filePath("build");
        Run run = Execute(QStringLiteral(QLX_CMAKE), {"-S", project.path(), "-B", build, "-G", "Ninja",
                                                      "-DCMAKE_PREFIX_PATH=" + prefix_.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        run = Execute(QStringLiteral(QLX_CMAKE), {"--build", build});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        run = Execute(build + "/consumer", {});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QCOMPARE(run.output, QStringLiteral("works"));
    }
};

QTEST_MAIN(tst_install)
#include "tst_install.moc"
