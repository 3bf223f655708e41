// The registry file's grammar, import and writer over plain text, without a window.
#include "RegFind.h"
#include "RegLine.h"
#include "RegTextDocument.h"

#include <QTest>

class tst_regfile : public QObject {
    Q_OBJECT

private slots:
    void linesEndAtEveryLineEnd() {
        RegLines lines(u"a\n\nb");
        QStringView line;
        QStringList seen;
        while (lines.Next(&line))
            seen << line.toString();
        QCOMPARE(seen, QStringList({"a", "", "b"}));
        QCOMPARE(lines.Taken(), 3);
        RegLines ended(u"a\n");
        QVERIFY(ended.Next(&line));
        QVERIFY(!ended.Next(&line));
        // A file read in pieces of whole lines: a byte list goes on into the next piece, and one whose
        // next line never comes is logged as it stood, though its piece is gone.
        QStringList pieces = {"REGEDIT4\n[HKEY_USERS\\k]\n\"b\"=hex:01,\\\n", "", " 02\n\"c\"=hex:03,\\", ""};
        const RegTextDocument pieced(RegLines([&pieces](QString* piece) {
            if (pieces.isEmpty())
                return false;
            *piece = pieces.takeFirst();
            return true;
        }));
        QCOMPARE(pieced.Dumped(true),
                 QStringList({"HIVE HKEY_USERS", "BRANCH HKEY_USERS\\k", "  b|HEX|01,02"}));
        QCOMPARE(pieced.errors, QStringLiteral("k: \"c\"=hex:03,\\\r"));
    }

    void valueLinesSplitIntoNameTypeAndData_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("data");
        QTest::newRow("string") << "\"n\"=\"x\""
                                << "n"
                                << "REG_SZ"
                                << "x";
        QTest::newRow("default") << "@=\"x\""
                                 << "[default]"
                                 << "REG_SZ"
                                 << "x";
        QTest::newRow("dword digits kept") << "\"n\"=dword:0000000a"
                                           << "n"
                                           << "DWORD"
                                           << "0000000a";
        QTest::newRow("DWORD in capitals is a string") << "\"n\"=DWORD:0000000a"
                                                       << "n"
                                                       << "REG_SZ"
                                                       << "DWORD:0000000a";
        QTest::newRow("hex") << "\"n\"=hex:01,02"
                             << "n"
                             << "HEX"
                             << "01,02";
        QTest::newRow("hex(2)") << "\"n\"=hex(2):25,00"
                                << "n"
                                << "HEX(2)"
                                << "25,00";
        QTest::newRow("hex(ffff0012)") << "\"n\"=hex(ffff0012):00"
                                       << "n"
                                       << "HEX(ffff0012)"
                                       << "00";
        QTest::newRow("deletion") << "\"n\"=-"
                                  << "n"
                                  << "DELETE"
                                  << "";
        QTest::newRow("dash string") << "\"n\"=\"-\""
                                     << "n"
                                     << "REG_SZ"
                                     << "-";
        QTest::newRow("escapes kept") << "\"a\\\\b\"=\"c:\\\\x \\\"q\\\"\""
                                      << "a\\\\b"
                                      << "REG_SZ"
                                      << "c:\\\\x \\\"q\\\"";
        QTest::newRow("name with = and quote") << "\"x \\\" []= y\"=hex:30"
                                               << "x \\\" []= y"
                                               << "HEX"
                                               << "30";
        QTest::newRow("data with =hex:") << "\"n\"=\"a=hex:1\""
                                         << "n"
                                         << "REG_SZ"
                                         << "a=hex:1";
        QTest::newRow("blanks around =") << "\"n\" =\t\"x\""
                                         << "n"
                                         << "REG_SZ"
                                         << "x";
        QTest::newRow("unquoted data") << "\"n\"=abc"
                                       << "n"
                                       << "REG_SZ"
                                       << "abc";
        QTest::newRow("empty name") << "\"\"=\"x\""
                                    << ""
                                    << "REG_SZ"
                                    << "x";
    }

    void valueLinesSplitIntoNameTypeAndData() {
        QFETCH(QString, line);
        const std::optional<RegLine::Value> value = RegLine::ParseValue(line);
        QVERIFY(value);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, data);
        QCOMPARE(value->name, name);
        QCOMPARE(value->type, type);
        QCOMPARE(value->data, data);
    }

    void valueLinesThatCannotBeCut_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("no =") << "\"name\"";
        QTest::newRow("no closing quote") << "\"name=x";
        QTest::newRow("@ without =") << "@x";
        QTest::newRow("lone quote as data") << "\"n\"=\"";
    }

    void valueLinesThatCannotBeCut() {
        QFETCH(QString, line);
        QVERIFY(!RegLine::ParseValue(line));
    }

    void keyLinesLeadThroughHivesAndBranches() {
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n\n"
                                                 "\"first\"=\"on file node\"\n"
                                                 "[HKEY_LOCAL_MACHINE\\Software\\A]\n\"a\"=\"1\"\n"
                                                 "[HKEY_LOCAL_MACHINE\\Software\\B]\n\"b\"=\"2\"\n"
                                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
                                                 "[HKEY_LOCAL_MACHINE\\Software\\A]\n\"a2\"=\"3\"\n"
                                                 "[HKEY_CURRENT_USER\\x\\]\n\"c\"=\"4\"\n"));
        QCOMPARE(doc.Dumped(),
                 QStringList({"  first|REG_SZ|on file node", "HIVE HKEY_LOCAL_MACHINE",
                              "BRANCH HKEY_LOCAL_MACHINE\\Software", "BRANCH HKEY_LOCAL_MACHINE\\Software\\A",
                              "  a|REG_SZ|1", "  a2|REG_SZ|3", "BRANCH HKEY_LOCAL_MACHINE\\Software\\B",
                              "  b|REG_SZ|2", "BRANCH HKEY_LOCAL_MACHINE\\SOFTWARE", "HIVE HKEY_CURRENT_USER",
                              "BRANCH HKEY_CURRENT_USER\\x", "  c|REG_SZ|4"}));
        QVERIFY(doc.errors.isEmpty());
        // Hives added by the reader get fresh keys, not their names.
        QVERIFY(doc.nodes.Key(doc.file.Child(0)) != QLatin1String("HKEY_LOCAL_MACHINE"));
        QCOMPARE(doc.nodes.Key(&doc.file), QStringLiteral("PRIMARY"));
    }

    void byteListsJoinTheirContinuationLines() {
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_USERS\\k]\n"
                                                 "\"b\"=hex:01,02,\\\n  03,04,\\\n  05\n"
                                                 "\"m\"=hex(7):41,00,\\\n  00,00\n"
                                                 "\"last\"=hex:ff"));
        QCOMPARE(doc.Dumped(),
                 QStringList({"HIVE HKEY_USERS", "BRANCH HKEY_USERS\\k", "  b|HEX|01,02,03,04,05",
                              "  m|HEX(7)|41,00,00,00", "  last|HEX|ff"}));
    }

    void failedLinesAreLoggedAndTheImportGoesOn() {
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_USERS\\k]\n\"only a name\"\n"
                                                 "[HKEY_NOWHERE\\x]\n\"lost\"=\"1\"\n[NoBackslash]\n[\n"
                                                 "[HKEY_USERS\\k2]\n\"kept\"=\"2\"\n\"cut\"=hex:01,\\"));
        QCOMPARE(doc.errors,
                 QStringLiteral("k: \"only a name\"\ra.reg: [HKEY_NOWHERE\\x]\ra.reg: [NoBackslash]\r"
                                "a.reg: [\rk2: \"cut\"=hex:01,\\\r"));
        QCOMPARE(doc.Dumped(), QStringList({"  lost|REG_SZ|1", "HIVE HKEY_USERS", "BRANCH HKEY_USERS\\k",
                                            "BRANCH HKEY_USERS\\k2", "  kept|REG_SZ|2"}));
    }

    void hiveKeyLinesAndDeletionEntriesAreKept() {
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_CURRENT_USER]\n\"h\"=\"on hive\"\n"
                                                 "[-HKEY_CLASSES_ROOT\\*\\shell\\Own]\n"
                                                 "[HKEY_CLASSES_ROOT\\*\\shell\\Own]\n\"Extended\"=-\n"
                                                 "[HKEY_CLASSES_ROOT\\*\\shell\\-Own]\n"));
        QCOMPARE(doc.Dumped(),
                 QStringList({"HIVE HKEY_CURRENT_USER", "  h|REG_SZ|on hive", "HIVE HKEY_CLASSES_ROOT",
                              "BRANCH HKEY_CLASSES_ROOT\\*", "BRANCH HKEY_CLASSES_ROOT\\*\\shell",
                              "DELETE HKEY_CLASSES_ROOT\\*\\shell\\-Own",
                              "BRANCH HKEY_CLASSES_ROOT\\*\\shell\\Own", "  Extended|DELETE|",
                              "BRANCH HKEY_CLASSES_ROOT\\*\\shell\\-Own"}));
        // A hive-only key line names the hive: its key is the name.
        QCOMPARE(doc.nodes.Key(doc.file.Child(0)), QStringLiteral("HKEY_CURRENT_USER"));
    }

    void blocksAfterADeletionAreWrittenAfterIt() {
        // Blocks of one key merge, but not across a deletion of the key or of a parent, in any case.
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n"
                                                 "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"old\"=dword:1\n"
                                                 "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"more\"=dword:3\n"
                                                 "[-HKEY_CURRENT_USER\\Software\\qorder]\n"
                                                 "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"new\"=dword:2\n"
                                                 "[-HKEY_CURRENT_USER\\Software\\QOrder]\n"
                                                 "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"last\"=dword:4\n"
                                                 "[HKEY_CURRENT_USER\\SOFTWARE\\P\\Sub]\n\"old\"=\"1\"\n"
                                                 "[-HKEY_CURRENT_USER\\Software\\p]\n"
                                                 "[HKEY_CURRENT_USER\\SOFTWARE\\P\\Sub]\n\"new\"=\"2\"\n"));
        QCOMPARE(
            doc.Text(false),
            QStringLiteral(
                "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QOrder]\n\"old\"=dword:1\n\"more\"=dword:3\n\n"
                "[-HKEY_CURRENT_USER\\Software\\qorder]\n\n"
                "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"new\"=dword:2\n\n"
                "[-HKEY_CURRENT_USER\\Software\\QOrder]\n\n"
                "[HKEY_CURRENT_USER\\Software\\QOrder]\n\"last\"=dword:4\n\n"
                "[HKEY_CURRENT_USER\\SOFTWARE\\P\\Sub]\n\"old\"=\"1\"\n\n"
                "[-HKEY_CURRENT_USER\\Software\\p]\n\n"
                "[HKEY_CURRENT_USER\\SOFTWARE\\P\\Sub]\n\"new\"=\"2\"\n\n"));
    }

    void keysOnlyOnTheWayToADeletionAreNotWritten() {
        // Importing "[-HKEY_USERS\\A\\B]" makes no key A; "[HKEY_USERS\\C]" makes C.
        const RegTextDocument doc(
            QStringLiteral("REGEDIT4\n[-HKEY_USERS\\A\\B]\n[HKEY_USERS\\C]\n[-HKEY_USERS\\C\\D]\n"));
        QCOMPARE(doc.Text(true), QStringLiteral("REGEDIT4\n\n[-HKEY_USERS\\A\\B]\n\n[HKEY_USERS\\C]\n\n"
                                                "[-HKEY_USERS\\C\\D]\n\n"));
    }

    void linesImportersRejectAreWrittenBackAsRead() {
        // Shown as strings, as they have always been, but a quoted string would set a value.
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_USERS\\k]\n\"caps\"=DWORD:00000001\n"
                                                 "\"open\"=\"abc\n\"blanks\"=\"abc\"  \n\"after\"=\"abc\" x\n"
                                                 "\"empty\"=\n"));
        QCOMPARE(doc.Dumped(),
                 QStringList({"HIVE HKEY_USERS", "BRANCH HKEY_USERS\\k", "  caps|REG_SZ|DWORD:00000001",
                              "  open|REG_SZ|\"abc", "  blanks|REG_SZ|abc", "  after|REG_SZ|\"abc\" x",
                              "  empty|REG_SZ|"}));
        QCOMPARE(doc.Text(false), QStringLiteral("REGEDIT4\n\n[HKEY_USERS\\k]\n\"caps\"=DWORD:00000001\n"
                                                 "\"open\"=\"abc\n\"blanks\"=\"abc\"\n\"after\"=\"abc\" x\n"
                                                 "\"empty\"=\n\n"));
    }

    void writerFormsRegularAndExpanded() {
        const RegTextDocument doc(
            QStringLiteral("REGEDIT4\n\"orphan\"=\"x\"\n[HKEY_CURRENT_USER]\n@=\"hive default\"\n"
                           "[HKEY_LOCAL_MACHINE\\Empty\\Full]\n@=\"d\"\n\"s\"=\"a\\\\b\"\n"
                           "\"w\"=dword:0000000a\n\"b\"=hex:01,\\\n 02\n\"e\"=hex(2):25,00\n\"gone\"=-\n"
                           "[HKEY_LOCAL_MACHINE\\Empty\\Bare]\n[-HKEY_USERS\\Old]\n[HKEY_DYN_DATA]\n"));
        const QString common = "[HKEY_CURRENT_USER]\n@=\"hive default\"\n\n";
        const QString full =
            "[HKEY_LOCAL_MACHINE\\Empty\\Full]\n@=\"d\"\n\"s\"=\"a\\\\b\"\n\"w\"=dword:0000000a\n"
            "\"b\"=hex:01,02\n\"e\"=hex(2):25,00\n\"gone\"=-\n\n";
        const QString old = "[-HKEY_USERS\\Old]\n\n";
        QCOMPARE(doc.Text(false), "REGEDIT4\n\n" + common + full + old);
        QCOMPARE(doc.Text(true), "REGEDIT4\n\n" + common + "[HKEY_LOCAL_MACHINE\\Empty]\n\n" + full +
                                     "[HKEY_LOCAL_MACHINE\\Empty\\Bare]\n\n" + old);
        // What was written reads back as the same keys and values.
        const RegTextDocument again(doc.Text(true));
        QCOMPARE(Dump(&again.file, again.values, true), Dump(&doc.file, doc.values, true));
    }

    void keysWithoutValuesWriteNothingInRegularForm() {
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_USERS\\a\\b]\n[HKEY_USERS\\c]\n"));
        QCOMPARE(doc.Text(false), QStringLiteral("REGEDIT4\n\n"));
        QCOMPARE(doc.Text(true),
                 QStringLiteral("REGEDIT4\n\n[HKEY_USERS\\a]\n\n[HKEY_USERS\\a\\b]\n\n[HKEY_USERS\\c]\n\n"));
    }

    void keyWithEmptyLastNameWritesBackAsItself() {
        // "A\\" is key A's subkey with the empty name; written as "A\" it would read as A.
        const RegTextDocument doc(QStringLiteral("REGEDIT4\n[HKEY_USERS\\A\\\\]\n\"v\"=\"1\"\n"));
        QCOMPARE(doc.Text(false), QStringLiteral("REGEDIT4\n\n[HKEY_USERS\\A\\\\]\n\"v\"=\"1\"\n\n"));
        const RegTextDocument again(doc.Text(true));
        QCOMPARE(Dump(&again.file, again.values, true), Dump(&doc.file, doc.values, true));
    }

    void countsAreNotBoundTo16Bits() {
        QString text = QStringLiteral("REGEDIT4\n");
        for (int key = 0; key < 40000; ++key)
            text += QStringLiteral("[HKEY_USERS\\k%1]\n\"v\"=dword:%1\n").arg(key);
        const RegTextDocument doc(text);
        QCOMPARE(doc.values.Size(), 40000);
        QCOMPARE(doc.file.Child(0)->ChildCount(), 40000);
        QCOMPARE(doc.values.At(39999).data, QStringLiteral("39999"));
        QCOMPARE(doc.Text(false).count(QLatin1Char('\n')), 2 + 3 * 40000);
    }

    void deepKeyPathsGoWithoutRecursion() {
        // Ten thousand levels in one key line of 20 KB: every walk goes level by level in a loop,
        // and each key costs its own path, not that times its depth.
        QString path = QStringLiteral("HKEY_USERS");
        for (int level = 0; level < 10000; ++level)
            path += QStringLiteral("\\k");
        const QString block = "[" + path + "]\n\"v\"=\"1\"\n\"w\"=dword:00000002\n";
        const RegTextDocument doc("REGEDIT4\n" + block);
        QVERIFY(doc.errors.isEmpty());
        QCOMPARE(doc.Text(false), "REGEDIT4\n\n" + block + "\n");
        const QStringList dumped = doc.Dumped(true);
        QCOMPARE(dumped.size(), 1 + 10000 + 2);
        QCOMPARE(dumped.at(10000), "BRANCH " + path);
        const RegFind find(doc.values, {QStringLiteral("w")});
        const std::optional<RegFind::Place> hit = find.After({const_cast<RegPlainNode*>(&doc.file), -1});
        QVERIFY(hit && hit->value == 1);
        QCOMPARE(RegNodes::KeyPath(hit->node), path);
        QCOMPARE(RegNodes::FullPath(hit->node), "a.reg\\" + path);
        const RegTextDocument again(doc.Text(true));
        QCOMPARE(again.Dumped(true), dumped);
    }
};

QTEST_MAIN(tst_regfile)
#include "tst_regfile.moc"
