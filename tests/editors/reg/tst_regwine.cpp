// What the registry editor saves means to an importer what the file it read means. Wine's regedit
// is the importer: the originals, their regular forms and their expanded forms go, file by file, into
// three registries of their own, and the three registries, exported whole, must agree. Skipped where
// Wine is not installed (scripts/test-windows installs it and runs this test).
#include "Global.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "YesResponder.h"
#include "form_REG.h"
#include "Startup.h"
#include "mdform_QLEditor.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

// QLX_WINE, else wine or wine64 on the path, else where Debian's wine64 package puts its loader.
QString WineProgram() {
    QString wine = qEnvironmentVariable("QLX_WINE");
    for (const char* name : {"wine", "wine64"}) {
        if (wine.isEmpty())
            wine = QStandardPaths::findExecutable(QString::fromLatin1(name));
    }
    if (wine.isEmpty() && QFileInfo::exists(QStringLiteral("/usr/lib/wine/wine64")))
        wine = QStringLiteral("/usr/lib/wine/wine64");
    return wine;
}

// Wine's drive Z: is the root of the file system.
QString WinePath(QString path) {
    return QStringLiteral("Z:") + path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

// Keys that Wine itself writes as its programs start (the hardware, the display adapters, the fonts
// it finds), so that they tell nothing about the files imported.
bool WineState(const QString& keyLine) {
    static const QStringList kKeys = {
        QStringLiteral("[HKEY_LOCAL_MACHINE\\Hardware"),
        QStringLiteral("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\"
                       "{4D36E968-E325-11CE-BFC1-08002BE10318}"),
        QStringLiteral("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video"),
        QStringLiteral("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\System\\"
                       "CurrentControlSet\\Control\\Video"),
        QStringLiteral("[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\External Fonts"),
    };
    return std::any_of(kKeys.begin(), kKeys.end(), [&keyLine](const QString& key) {
        return keyLine.startsWith(key, Qt::CaseInsensitive);
    });
}

// The blocks of an export (a key line, its values, an empty line) that pass the test.
QStringList Blocks(const QStringList& exported, const std::function<bool(const QStringList&)>& kept) {
    QStringList blocks;
    QStringList block;
    const auto flush = [&] {
        if (!block.isEmpty() && kept(block))
            blocks << block;
        block.clear();
    };
    for (const QString& line : exported) {
        if (line.startsWith(QLatin1Char('[')))
            flush();
        block << line;
    }
    flush();
    return blocks;
}

// A key that holds values: the regular form leaves out keys without any.
bool HoldsValues(const QStringList& block) {
    return std::any_of(block.begin() + 1, block.end(), [](const QString& line) { return !line.isEmpty(); });
}

// A Wine prefix; its wineserver holds the registry for the length of the test.
class WineRegistry {
public:
    // Wine keeps the wineserver's socket under the temporary folder: temp, which goes with the test.
    WineRegistry(const QString& wine, const QString& prefix, const QString& temp)
        : wine_(wine), prefix_(prefix) {
        server_ = QFileInfo(wine).dir().filePath(QStringLiteral("wineserver"));
        if (!QFileInfo::exists(server_))
            server_ = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        env_.insert(QStringLiteral("WINEPREFIX"), prefix);
        env_.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        env_.insert(QStringLiteral("TMPDIR"), temp);
        // Nothing may open a window.
        env_.remove(QStringLiteral("DISPLAY"));
        env_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    const QString& Prefix() const { return prefix_; }

    // Starts a Windows program of the prefix.
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env_);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(wine_, arguments);
        return process;
    }
    // Runs the wineserver with one option and waits for it: "-p" keeps it running (a new one would
    // start the prefix's services again for every program), "-k" ends it and writes the registry,
    // "-w" waits until it has ended.
    void Server(const char* option) const {
        QProcess server;
        server.setProcessEnvironment(env_);
        server.start(server_, {QString::fromLatin1(option)});
        server.waitForFinished();
    }

private:
    QString wine_;
    // Beside the loader, else on the path.
    QString server_;
    QString prefix_;
    QProcessEnvironment env_;
};

// Waits for processes that run side by side; false when one did not finish.
bool Finished(std::vector<std::unique_ptr<QProcess>> processes) {
    return std::all_of(processes.begin(), processes.end(), [](const std::unique_ptr<QProcess>& process) {
        return process->waitForFinished(600000) && process->exitStatus() == QProcess::NormalExit;
    });
}

// True when the process finished and said it succeeded: regedit says so even for lines it rejects,
// so anything else is Wine failing.
bool Succeeded(QProcess& process) {
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A registry file of the test's own, with CR LF line ends.
QString WriteCase(const TestEnvironment& env, const QString& name, const char* text) {
    WriteAll(env.path(name), QByteArray(text).replace("\n", "\r\n"));
    return env.path(name);
}

// The differing lines and the key above them, from the first difference on.
void Compare(const QStringList& saved, const QStringList& original) {
    qsizetype first = 0;
    while (first < saved.size() && first < original.size() && saved.at(first) == original.at(first))
        ++first;
    qsizetype key = first;
    while (key > 0 && !original.at(key - 1).startsWith(QLatin1Char('[')))
        --key;
    const auto shown = [&](const QStringList& lines) {
        return (key > 0 ? original.at(key - 1) + QStringLiteral(" ... ") : QString()) +
               lines.mid(first, 3).join(QStringLiteral(" | "));
    };
    QCOMPARE(shown(saved), shown(original));
}

} // namespace

class tst_regwine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        const QString wine = WineProgram();
        if (wine.isEmpty())
            QSKIP("Wine is not installed (scripts/test-windows installs wine64 and runs this test)");
        QVERIFY(QDir().mkpath(env_.path("tmp")));
        // One prefix is made by wineboot; the others share its drive C: and copy its registry.
        registries_.emplace_back(wine, env_.path("original"), env_.path("tmp"));
        std::vector<std::unique_ptr<QProcess>> boot;
        boot.push_back(registries_.front().Start({"wineboot", "-i"}));
        QVERIFY(Finished(std::move(boot)));
        // The copies below must see the registry the server writes as it ends.
        registries_.front().Server("-k");
        registries_.front().Server("-w");
        for (const char* name : {"regular", "expanded"}) {
            registries_.emplace_back(wine, env_.path(name), env_.path("tmp"));
            QVERIFY(Clone(registries_.front().Prefix(), registries_.back().Prefix()));
        }
        for (const WineRegistry& registry : registries_)
            registry.Server("-p");
        Startup::RegisterEditors(main_.DocumentOpener());
        main_.Load();
    }

    void cleanupTestCase() {
        for (const WineRegistry& registry : registries_)
            registry.Server("-k");
    }

    void filesOfOurOwnKeepTheirMeaning() {
        const QString order = WriteCase(env_, "order.reg",
                                        "REGEDIT4\n\n"
                                        "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"old\"=dword:1\n"
                                        "[-HKEY_CURRENT_USER\\Software\\QOrder]\n"
                                        "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"new\"=dword:2\n\n"
                                        "[HKEY_CURRENT_USER\\Software\\QParent\\Sub]\n\"old\"=\"1\"\n"
                                        "[-HKEY_CURRENT_USER\\Software\\QParent]\n"
                                        "[HKEY_CURRENT_USER\\Software\\QParent\\Sub]\n\"new\"=\"2\"\n\n"
                                        "[HKEY_CURRENT_USER\\SOFTWARE\\QCase]\n\"old\"=\"1\"\n"
                                        "[-HKEY_CURRENT_USER\\Software\\qcase]\n"
                                        "[HKEY_CURRENT_USER\\SOFTWARE\\QCase]\n\"new\"=\"2\"\n\n"
                                        "[HKEY_CURRENT_USER\\Software\\QTwice]\n\"a\"=\"1\"\n"
                                        "[-HKEY_CURRENT_USER\\Software\\QTwice]\n"
                                        "[HKEY_CURRENT_USER\\Software\\QTwice]\n\"b\"=\"2\"\n"
                                        "[-HKEY_CURRENT_USER\\Software\\QTwice]\n"
                                        "[HKEY_CURRENT_USER\\Software\\QTwice]\n\"c\"=\"3\"\n");
        const QString escapes =
            WriteCase(env_, "escapes.reg",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QEscapes]\n"
                      "\"q\\\"n\\\\\"=\"a\\\\b \\\"c\\\"\"\n@=\"\\\\\"\n\"nl\"=\"a\\nb\"\n");
        const QString rejected =
            WriteCase(env_, "rejected.reg",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QRejected]\n"
                      "\"caps\"=DWORD:00000001\n\"open\"=\"abc\n\"blanks\"=\"abc\"  \n\"tab\"=\"x\"\t\n"
                      "\"after\"=\"abc\" x\n\"bare\"=abc\n\"empty\"=\n\"inner\"=\"a\"b\"\n"
                      "\"escaped\"=\"a\\\"\n\"hex\"=hex()\n\"ok\"=\"1\"\n");
        Check({order, escapes, rejected});
    }

    void corpusFilesKeepTheirMeaning() {
        const QDir corpus(QStringLiteral(QLX_CORPUS "/reg"));
        // Largest first: a file that names many keys, such as a whole exported hive, would hide what
        // an earlier file did to them.
        QStringList files = corpus.entryList({"*.reg", "*.REG"}, QDir::Files, QDir::Size);
        if (files.isEmpty())
            QSKIP("the corpus of registry files is not there (shared/corpus/reg beside the source tree)");
        // Lines that the editor's reading leaves out by design and Wine reads: the key and value
        // lines of the Windows 3.1 form ("HKEY_CLASSES_ROOT\x = y"), indented lines, hive names in
        // small letters, and text after the "]" of a key line.
        for (const char* name :
             {"win31_OLE2.REG", "win31_SETUP.REG", "win31_msvc_OUTLINE.REG", "winapps_RDPApps.reg",
              "vim_GvimExt.reg", "w11debloat_Sysprep_Enable_Dark_Mode.reg"})
            files.removeOne(QString::fromLatin1(name));
        for (QString& file : files)
            file = corpus.filePath(file);
        Check(files);
    }

private:
    // A prefix that shares the drive C: of another and starts from a copy of its registry.
    static bool Clone(const QString& from, const QString& to) {
        const QDir source(from);
        const QDir target(to);
        bool made =
            target.mkpath(QStringLiteral("dosdevices")) &&
            QFile::link(source.filePath(QStringLiteral("drive_c")),
                        target.filePath(QStringLiteral("drive_c"))) &&
            QFile::link(QStringLiteral("../drive_c"), target.filePath(QStringLiteral("dosdevices/c:"))) &&
            QFile::link(QStringLiteral("/"), target.filePath(QStringLiteral("dosdevices/z:")));
        for (const char* file : {"system.reg", "user.reg", "userdef.reg", ".update-timestamp"})
            made = made && QFile::copy(source.filePath(QString::fromLatin1(file)),
                                       target.filePath(QString::fromLatin1(file)));
        return made;
    }

    // The file as the editor saves it, in regular and in expanded form.
    void Save(const QString& file, const QString& regular, const QString& expanded) {
        YesResponder yes(regular);
        Opener& opener = main_.DocumentOpener();
        opener.PresetOpen(file, DocType::REG);
        opener.OpenFileDialog();
        QPointer<form_REG> window =
            qobject_cast<form_REG*>(g_.Slot(DocType::REG, g_.CurrentSlot(DocType::REG)).window);
        QVERIFY2(window && !window->Tag.isEmpty(), qPrintable(file));
        window->FileSaveAsExpanded();
        QFile::remove(expanded);
        QVERIFY(QFile::rename(regular, expanded));
        window->FileSaveRegular();
        QVERIFY(QFileInfo::exists(regular));
        window->FileClose();
        QTRY_VERIFY(window.isNull());
    }

    // Each file goes into the first registry as it is, into the second in regular form, into the
    // third in expanded form; then the registries are compared.
    void Check(const QStringList& files) {
        QVERIFY(registries_.size() == 3);
        const QStringList saved = {env_.path("regular.reg"), env_.path("expanded.reg")};
        for (const QString& file : files) {
            Save(file, saved.at(0), saved.at(1));
            if (QTest::currentTestFailed())
                return;
            std::vector<std::unique_ptr<QProcess>> imports;
            const auto import = [&](size_t i) {
                return registries_[i].Start(
                    {"regedit", "/S", WinePath(i == 0 ? file : saved.at(qsizetype(i) - 1))});
            };
            for (size_t i = 0; i < registries_.size(); ++i)
                imports.push_back(import(i));
            // An import Wine failed is done again: a file imported twice means what it means once.
            for (size_t i = 0; i < registries_.size(); ++i) {
                if (!Succeeded(*imports[i])) {
                    qWarning("Wine's regedit failed (exit code %d); importing %s again", imports[i]->exitCode(),
                             qPrintable(imports[i]->arguments().last()));
                    QVERIFY2(Succeeded(*import(i)), qPrintable(file));
                }
            }
        }
        const auto imported = [](const QStringList& block) { return !WineState(block.first()); };
        const auto valued = [&](const QStringList& block) { return imported(block) && HoldsValues(block); };
        // Wine's own programs may still write keys of their own while an export lists the keys, which
        // can leave one out: registries that disagree are exported once more before they fail.
        for (int round = 1;; ++round) {
            std::vector<QStringList> exported;
            Export(&exported);
            if (QTest::currentTestFailed())
                return;
            const QStringList original = Blocks(exported.at(0), imported);
            const QStringList expanded = Blocks(exported.at(2), imported);
            const QStringList regular = Blocks(exported.at(1), valued);
            const QStringList originalValued = Blocks(original, valued);
            if (round == 2 || (expanded == original && regular == originalValued)) {
                Compare(expanded, original);
                Compare(regular, originalValued);
                return;
            }
            qWarning("The registries disagree; exporting them again");
        }
    }

    // Each registry as regedit exports it whole, without the header.
    void Export(std::vector<QStringList>* exported) {
        std::vector<std::unique_ptr<QProcess>> exports;
        QStringList files;
        for (size_t i = 0; i < registries_.size(); ++i) {
            files << env_.path(QStringLiteral("export%1.reg").arg(i));
            exports.push_back(registries_[i].Start({"regedit", "/E", WinePath(files.last())}));
        }
        QVERIFY(Finished(std::move(exports)));
        for (const QString& file : std::as_const(files)) {
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
            exported->push_back(TextFile::Decode(ReadAll(file)).text.split(QLatin1Char('\n')).mid(1));
        }
    }

    TestEnvironment env_;
    Global g_{env_.path("app"), QString()};
    mdform_QLEditor main_{g_};
    std::vector<WineRegistry> registries_;
};

QTEST_MAIN(tst_regwine)
#include "tst_regwine.moc"
