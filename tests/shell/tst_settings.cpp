#include "RegistryFunctions.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QTest>

class tst_settings : public QObject {
    Q_OBJECT

private:
    static std::string Key(const char* sub = nullptr) {
        return Settings::KeyPath(QString::fromLatin1(sub ? sub : "")).toStdString();
    }

private slots:
    void firstStartCreatesKeysAndDefaults() {
        TestEnvironment env;
        RegistryFunctions reg;
        Settings s(reg);
        s.CreateMainKeys();
        s.CreateKey(QStringLiteral("MRU"));
        s.ReadStartup();
        QVERIFY(s.mainKeyGate && s.txtKeyGate && s.rtfKeyGate);
        QCOMPARE(reg.EnumKeyCount(Key()), int16_t(4));
        for (const char* sub : {"MRU", "TXT Editor", "RTF Editor", "REG Editor"})
            QVERIFY2(reg.AddKey(Key(sub)), sub);
        QCOMPARE(s.txtDefaultFont, QStringLiteral("Courier"));
        QCOMPARE(s.txtDefaultSize, 10);
        QCOMPARE(s.txtFileFilter, QStringLiteral("*.TXT;*.INF;*.BAT;*.KIX;*.REXX;*.HTM;*.HTML"));
        QCOMPARE(s.rtfFileFilter, QStringLiteral("*.RTF;*.WRI"));
        QCOMPARE(s.autoSaveMinutes, 0);
        QVERIFY(!s.supressResults && !s.containSRD && !s.startEditorsMax && !s.multiSelect);
    }

    void storedValuesAreReadWithTheirRules_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("autosave above 99") << "AutoSave" << "" << "150" << "99";
        QTest::newRow("autosave in range") << "AutoSave" << "" << "5" << "5";
        QTest::newRow("autosave not a number") << "AutoSave" << "" << "abc" << "0";
        QTest::newRow("autosave negative") << "AutoSave" << "" << "-3" << "0";
        QTest::newRow("flag needs exactly 1") << "Supress Results" << "" << "true" << "0";
        QTest::newRow("flag on") << "Supress Results" << "" << "1" << "1";
        QTest::newRow("multiselect on") << "MultiSelect" << "" << "1" << "1";
        QTest::newRow("size 0 keeps 10") << "Default Size" << "TXT Editor" << "0" << "10";
        QTest::newRow("size taken") << "Default Size" << "TXT Editor" << "14" << "14";
        QTest::newRow("font taken") << "Default Font" << "TXT Editor" << "Fixed" << "Fixed";
        QTest::newRow("empty font keeps default") << "Default Font" << "TXT Editor" << "" << "Courier";
        QTest::newRow("txt filter") << "File Filter" << "TXT Editor" << "*.LOG" << "*.LOG";
        QTest::newRow("rtf filter") << "File Filter" << "RTF Editor" << "*.RTF" << "*.RTF";
    }

    void storedValuesAreReadWithTheirRules() {
        QFETCH(QString, name);
        QFETCH(QString, sub);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        TestEnvironment env;
        RegistryFunctions reg;
        QVERIFY(reg.WriteValue(Settings::KeyPath(sub).toStdString(), name.toStdString(), value.toStdString(),
                               "REG_SZ"));
        Settings s(reg);
        s.CreateMainKeys();
        s.ReadStartup();
        const QMap<QString, QString> seen = {
            {"AutoSave", QString::number(s.autoSaveMinutes)},
            {"Supress Results", s.supressResults ? "1" : "0"},
            {"MultiSelect", s.multiSelect ? "1" : "0"},
            {"Default Size", QString::number(s.txtDefaultSize)},
            {"Default Font", s.txtDefaultFont},
            {"File Filter", sub == "TXT Editor" ? s.txtFileFilter : s.rtfFileFilter},
        };
        QCOMPARE(seen.value(name), expected);
    }

    void placement() {
        TestEnvironment env;
        RegistryFunctions reg;
        Settings s(reg);
        s.CreateMainKeys();
        s.ReadStartup();
        // First start: three quarters of the screen, centred.
        WindowPlacement p = s.Placement(16000, 12000);
        QCOMPARE(p.width, 12000);
        QCOMPARE(p.height, 9000);
        QCOMPARE(p.left, 2000);
        QCOMPARE(p.top, 1500);
        QVERIFY(!p.maximized);

        // Maximized with one value missing is not applied.
        s.Write("MDI Max", "1");
        s.Write("MDI Top", "100");
        s.Write("MDI Left", "200");
        s.Write("MDI Width", "9000");
        s.ReadStartup();
        p = s.Placement(16000, 12000);
        QCOMPARE(p.width, 12000);
        QVERIFY(!p.maximized);

        s.Write("MDI Height", "7000");
        s.ReadStartup();
        p = s.Placement(16000, 12000);
        QCOMPARE(QList<int>({p.top, p.left, p.width, p.height}), QList<int>({100, 200, 9000, 7000}));
        QVERIFY(p.maximized);

        // A value that is not a number counts as missing.
        s.Write("MDI Top", "abc");
        s.ReadStartup();
        QCOMPARE(s.Placement(16000, 12000).width, 12000);
    }

    void writeGeometry() {
        TestEnvironment env;
        RegistryFunctions reg;
        Settings s(reg);
        s.CreateMainKeys();
        s.WriteGeometry({10, 20, 3000, 4000, false});
        QCOMPARE(s.Read("MDI Max"), QStringLiteral("0"));
        QCOMPARE(s.Read("MDI Top"), QStringLiteral("10"));
        QCOMPARE(s.Read("MDI Left"), QStringLiteral("20"));
        QCOMPARE(s.Read("MDI Width"), QStringLiteral("3000"));
        QCOMPARE(s.Read("MDI Height"), QStringLiteral("4000"));
        // Maximized writes the flag and leaves the last normal place alone.
        s.WriteGeometry({1, 2, 3, 4, true});
        QCOMPARE(s.Read("MDI Max"), QStringLiteral("1"));
        QCOMPARE(s.Read("MDI Top"), QStringLiteral("10"));
    }

    void lastSaveFolder() {
        TestEnvironment env;
        RegistryFunctions reg;
        Settings s(reg);
        s.CreateMainKeys();
        // Nothing recorded: the documents folder the store was created with.
        QCOMPARE(s.LastSaveFolder(QString()), env.path("home/Documents"));
        QVERIFY(s.LastSaveFolder(env.path("data")).isEmpty());
        QCOMPARE(s.LastSaveFolder(QString()), env.path("data"));
        // A folder that does not exist is not recorded.
        s.LastSaveFolder(env.path("no such folder"));
        QCOMPARE(s.LastSaveFolder(QString()), env.path("data"));
    }
};

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
