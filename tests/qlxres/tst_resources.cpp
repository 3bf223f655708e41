#include "LetterCode.h"
#include "Resources.h"
#include "SendToLink.h"
#include "TestEnvironment.h"
#include "WinPaths.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Puts the process environment back as it was, entries in their original order.
class EnvironmentRestorer {
public:
    EnvironmentRestorer() {
        for (char** entry = environ; *entry; ++entry)
            saved_.emplace_back(*entry);
    }
    ~EnvironmentRestorer() {
        clearenv();
        for (const std::string& entry : saved_) {
            const auto equals = entry.find('=');
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
    }

private:
    std::vector<std::string> saved_;
};

// Reads a key back into its decimal digits and point.
QString DecodeKey(const QString& key) {
    static const QStringList codes = {"TH", "FV", "SX", "SV", "Z", "O", "T", "F", "E", "N", "P"};
    static const QString symbols = QStringLiteral("3567012489.");
    QString text;
    for (qsizetype i = 0; i < key.size();) {
        const auto code = std::find_if(codes.begin(), codes.end(),
                                       [&](const QString& c) { return QStringView(key).mid(i).startsWith(c); });
        if (code == codes.end())
            return {};
        text += symbols[code - codes.begin()];
        i += code->size();
    }
    return text;
}

void WriteFile(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[windows]\r\n");
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private:
    Resources resources;

    // Keys for numeric in a row: letters only, never repeated, and reading back as numeric plus a
    // fraction (the minus sign is dropped, so a negative numeric reads back as its magnitude less r).
    void CheckKeys(int numeric, int count) {
        const double low = numeric >= 0 ? numeric : -double(numeric) - 1;
        static const QRegularExpression lettersOnly(QStringLiteral("^[A-Z]+$"));
        QSet<QString> keys;
        for (int i = 0; i < count; ++i) {
            const QString key = resources.UniqueID(numeric);
            QVERIFY2(lettersOnly.match(key).hasMatch(), qPrintable(key));
            QVERIFY2(!keys.contains(key), qPrintable(QStringLiteral("repeated after %1 calls").arg(i)));
            keys.insert(key);
            bool ok = false;
            const double value = DecodeKey(key).toDouble(&ok);
            QVERIFY2(ok && value >= low && value <= low + 1, qPrintable(key));
            if (numeric >= 0)
                QVERIFY(value < low + 1);
        }
    }

private slots:
    void reconstructString() {
        QCOMPARE(resources.ReconstructString(QStringLiteral("a#b##")), QStringLiteral("a\r\nb\r\n\r\n"));
        QCOMPARE(resources.ReconstructString(QString()), QString());
        QCOMPARE(resources.ReconstructString(QStringLiteral("no marks")), QStringLiteral("no marks"));
    }

    void reconstructStringOfLongText() {
        const QString block = QString(99, QLatin1Char('x'));
        const QString text = (block + QLatin1Char('#')).repeated(1000);
        QCOMPARE(resources.ReconstructString(text), (block + QStringLiteral("\r\n")).repeated(1000));
    }

    void gatherVarsTakesTheFirstTwentyEntries() {
        EnvironmentRestorer restorer;
        for (int i = 0; i < 25; ++i)
            qputenv(qPrintable(QStringLiteral("QLX_GATHER_%1").arg(i)), "value");
        QString expected;
        for (int i = 0; i < 20; ++i)
            expected += QString::fromLocal8Bit(environ[i]) + QStringLiteral("\r\n");
        resources.GatherVars();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QCOMPARE(expected.count(QStringLiteral("\r\n")), 20);
    }

    void gatherVarsTakesAllOfAShortEnvironment() {
        EnvironmentRestorer restorer;
        clearenv();
        setenv("ZETA", "1", 1);
        setenv("ALPHA", "a=b", 1);
        setenv("MIDDLE", "", 1);
        resources.GatherVars();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ZETA=1\r\nALPHA=a=b\r\nMIDDLE=\r\n"));
    }

    void findNameOnly_data() {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("name");
        QTest::newRow("full path") << "C:\\Dir\\file.txt" << "file.txt";
        QTest::newRow("network path") << "\\\\server\\share\\x.ini" << "x.ini";
        QTest::newRow("network server only") << "\\\\server" << "server";
        QTest::newRow("bare name") << "file.txt" << "file.txt";
        QTest::newRow("trailing backslash") << "C:\\Dir\\" << "";
        QTest::newRow("posix path") << "/home/user/.gitconfig" << ".gitconfig";
        QTest::newRow("trailing slash") << "/home/user/" << "";
        QTest::newRow("mixed separators") << "C:\\Dir/sub\\a b.ini" << "a b.ini";
        QTest::newRow("empty") << "" << "";
    }

    void findNameOnly() {
        QFETCH(QString, full);
        QFETCH(QString, name);
        QCOMPARE(resources.FindNameOnly(full), name);
    }

    void validateMRU() {
        TestEnvironment env;
        WriteFile(env.path("home/notes.txt"));
        WriteFile(env.path("home/.gitconfig"));
        QVERIFY(resources.ValidateMRU(env.path("home/notes.txt")));
        QVERIFY(resources.ValidateMRU(env.path("home/.gitconfig")));
        QVERIFY(!resources.ValidateMRU(env.path("home/Documents")));
        QVERIFY(!resources.ValidateMRU(env.path("home/missing.txt")));
        QVERIFY(!resources.ValidateMRU(QString()));
    }

    void letterCode_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("code");
        QTest::newRow("12.5") << 12.5 << "OTPFV";
        QTest::newRow("every digit") << 1234567890.5 << "OTTHFFVSXSVENZPFV";
        QTest::newRow("minus dropped") << -3.25 << "THPTFV";
        QTest::newRow("zero") << 0.0 << "Z";
        QTest::newRow("exponent dropped") << 1e15 << "OOFV";
        QTest::newRow("fifteen digits") << 45123.0625 << "FFVOTTHPZSXTFV";
    }

    void letterCode() {
        QFETCH(double, value);
        QFETCH(QString, code);
        QCOMPARE(LetterCode::Encode(value), code);
    }

    void uniqueIdForADayCount() { CheckKeys(45000, 100000); }
    void uniqueIdForATenDigitNumeric() { CheckKeys(2000000000, 65536); }
    void uniqueIdForANegativeNumeric() { CheckKeys(-7, 1000); }

    void windowsDirectoryIsInTheWinePrefix() {
        TestEnvironment env;
        QCOMPARE(WinPaths::DriveC(), env.path("home/.wine/drive_c"));
        QCOMPARE(WinPaths::WindowsDirectory(), env.path("home/.wine/drive_c/windows"));
        qputenv("WINEPREFIX", QFile::encodeName(env.path("other/prefix/")));
        QCOMPARE(WinPaths::WindowsDirectory(), env.path("other/prefix/drive_c/windows"));
        qunsetenv("WINEPREFIX");
        QCOMPARE(WinPaths::WindowsDirectory(), env.path("home/.wine/drive_c/windows"));
    }

    void findNoCase() {
        TestEnvironment env;
        const QString windows = env.path("home/.wine/drive_c/windows");
        QVERIFY(QDir().mkpath(windows + "/SYSTEM.INI"));
        WriteFile(windows + "/win.ini");
        QCOMPARE(WinPaths::FindNoCase(windows, "WIN.INI"), windows + "/win.ini");
        QCOMPARE(WinPaths::FindNoCase(windows, "SYSTEM.INI"), QString());
        QCOMPARE(WinPaths::FindNoCase(windows + "/missing", "WIN.INI"), QString());
        WriteFile(windows + "/WIN.INI");
        QCOMPARE(WinPaths::FindNoCase(windows, "WIN.INI"), windows + "/WIN.INI");
    }

    void makeSendToWritesAValidEntryAndRemovesIt() {
        TestEnvironment env;
        const QString link = env.path("data/Thunar/sendto/Quillon Editor.desktop");
        QVERIFY(resources.MakeSendTo(true, env.path("My Apps/$x%y\\z")));
        QVERIFY(SendToLink::Exists());
        QFile file(link);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        file.close();
        QVERIFY2(text.contains(QStringLiteral("\nExec=\"%1/My Apps/\\\\$x%%y\\\\\\\\z/QLX\" %F\n").arg(env.root())),
                 qPrintable(text));

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QProcess process;
            process.start(validator, {link});
            QVERIFY(process.waitForFinished());
            const QByteArray output = process.readAll();
            QVERIFY2(process.exitCode() == 0 && !output.contains("error"), output.constData());
        }

        QVERIFY(resources.MakeSendTo(false, QString()));
        QVERIFY(!QFile::exists(link));
        QVERIFY(!SendToLink::Exists());
        QVERIFY(resources.MakeSendTo(false, QString()));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed: entry not validated");
    }

    void makeSendToReportsAFolderItCannotMake() {
        TestEnvironment env;
        WriteFile(env.path("data/Thunar"));
        QVERIFY(!resources.MakeSendTo(true, QStringLiteral("/usr/bin")));
        QVERIFY(!SendToLink::Exists());
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
