// The registry access class, over the store of a private test environment.
#include "RegistryFunctions.h"
#include "TestEnvironment.h"
#include "WinReg.h"

#include <QtTest>

#include <optional>
#include <string>

namespace {

const std::string kQlx = "HKEY_CURRENT_USER\\SOFTWARE\\Norvale\\QLX";
const std::string kTest = "HKEY_CURRENT_USER\\Software\\QLX Test";

// A value as the store holds it, read past the class: its type and its bytes.
QByteArray StoredBytes(const char* path, const char* name, DWORD& type) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "no key";
    DWORD size = 0;
    RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? bytes : "error " + QByteArray::number(rc);
}

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestKeystone : public QObject {
    Q_OBJECT

private slots:
    void init() { env_.emplace(); }
    void cleanup() { env_.reset(); }

    void readBack_data();
    void readBack();
    void refusedPaths_data();
    void refusedPaths();
    void missingReadsEmpty();
    void storedBytes_data();
    void storedBytes();
    void delKey();
    void delValue();
    void enumerateAndCount();
    void longNamesEnumerate();

private:
    std::optional<TestEnvironment> env_;
    RegistryFunctions registry_;
};

void TestKeystone::readBack_data() {
    QTest::addColumn<std::string>("path");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<std::string>("value");
    QTest::newRow("setting") << kQlx << std::string("AutoSave") << std::string("5");
    QTest::newRow("lower-case root") << std::string("hkey_current_user\\Software\\Norvale\\QLX")
                                     << std::string("x") << std::string("5");
    QTest::newRow("path ending in a backslash") << kQlx + "\\" << std::string("x") << std::string("5");
    QTest::newRow("other root") << std::string("HKEY_LOCAL_MACHINE\\Software\\Norvale") << std::string("x")
                                << std::string("5");
    QTest::newRow("empty value") << kQlx << std::string("x") << std::string();
    QTest::newRow("default value") << kQlx << std::string() << std::string("d");
    QTest::newRow("1000 bytes") << kQlx << std::string("x") << std::string(1000, 'v');
    QTest::newRow("deep folder") << kQlx + "\\Last Open\\a\\b\\c\\d\\e\\f" << std::string("Last Open")
                                 << "/home/user" + Repeat("/a rather deep folder", 30) + "/settings.ini";
    QTest::newRow("Zürich and 東京") << kQlx + "\\Zürich" << std::string("東京")
                                     << std::string("/home/user/Zürich/東京/win.ini");
}

void TestKeystone::readBack() {
    QFETCH(std::string, path);
    QFETCH(std::string, name);
    QFETCH(std::string, value);
    QVERIFY(registry_.WriteValue(path, name, value, "REG_SZ"));
    QCOMPARE(QByteArray::fromStdString(registry_.ReadValue(path, name)), QByteArray::fromStdString(value));
    QCOMPARE(registry_.EnumValue(path, 0), name);
}

void TestKeystone::refusedPaths_data() {
    QTest::addColumn<std::string>("path");
    QTest::newRow("short root name") << std::string("HKCU\\Software\\QLX Test");
    QTest::newRow("unknown root") << std::string("HKEY_NOWHERE\\Software\\QLX Test");
    QTest::newRow("no backslash") << std::string("HKEY_CURRENT_USER");
    QTest::newRow("empty") << std::string();
}

void TestKeystone::refusedPaths() {
    QFETCH(std::string, path);
    QVERIFY(!registry_.AddKey(path));
    QVERIFY(!registry_.WriteValue(path, "v", "1", "REG_SZ"));
    QCOMPARE(registry_.ReadValue(path, "v"), std::string());
    QVERIFY(!registry_.DelValue(path, "v"));
    QVERIFY(!registry_.DelKey(path));
    QCOMPARE(registry_.EnumKey(path, 0), std::string());
    QCOMPARE(registry_.EnumValue(path, 0), std::string());
    QCOMPARE(registry_.ReadValue(kTest, "v"), std::string());
}

void TestKeystone::missingReadsEmpty() {
    QCOMPARE(registry_.ReadValue(kTest, "v"), std::string());
    QVERIFY(registry_.AddKey(kTest));
    QCOMPARE(registry_.ReadValue(kTest, "v"), std::string());
    QCOMPARE(registry_.EnumKey(kTest, 0), std::string());
    QCOMPARE(registry_.EnumKeyCount(kTest + "\\Missing"), int16_t{0});
}

void TestKeystone::storedBytes_data() {
    QTest::addColumn<std::string>("value");
    QTest::addColumn<std::string>("typeName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<uint>("type");
    QTest::newRow("REG_SZ") << std::string("5") << std::string("REG_SZ") << QByteArray("5\0", 2) << REG_SZ;
    QTest::newRow("REG_MULTI_SZ") << std::string("a\0b", 3) << std::string("REG_MULTI_SZ")
                                  << QByteArray("a\0b\0\0", 5) << REG_MULTI_SZ;
    QTest::newRow("REG_DWORD holds text")
        << std::string("42") << std::string("REG_DWORD") << QByteArray("42\0", 3) << REG_DWORD;
    QTest::newRow("lower-case type") << std::string("%HOME%") << std::string("reg_expand_sz")
                                     << QByteArray("%HOME%\0", 7) << REG_EXPAND_SZ;
    QTest::newRow("big endian") << std::string("1") << std::string("REG_DWORD_BIG_ENDIAN")
                                << QByteArray("1\0", 2) << REG_DWORD_BIG_ENDIAN;
    QTest::newRow("unknown type") << std::string("x") << std::string("REG_WHATEVER") << QByteArray("x\0", 2)
                                  << REG_NONE;
}

void TestKeystone::storedBytes() {
    QFETCH(std::string, value);
    QFETCH(std::string, typeName);
    QFETCH(QByteArray, bytes);
    QFETCH(uint, type);
    QVERIFY(registry_.WriteValue(kTest + "\\Missing\\Chain", "v", value, typeName));
    DWORD stored = 99;
    QCOMPARE(StoredBytes("Software\\QLX Test\\Missing\\Chain", "v", stored), bytes);
    QCOMPARE(stored, type);
}

void TestKeystone::delKey() {
    QVERIFY(registry_.AddKey(kTest + "\\Parent\\Child"));
    QVERIFY(!registry_.DelKey(kTest + "\\Parent")); // still has a subkey
    QVERIFY(registry_.DelKey(kTest + "\\Parent\\Child\\"));
    QCOMPARE(registry_.EnumKeyCount(kTest + "\\Parent"), int16_t{0});
    QVERIFY(registry_.DelKey(kTest + "\\Parent"));
    QVERIFY(!registry_.DelKey(kTest + "\\Parent"));
    // Directly below the root.
    QVERIFY(registry_.AddKey("HKEY_CURRENT_USER\\QLX Solo"));
    QVERIFY(registry_.DelKey("HKEY_CURRENT_USER\\QLX Solo"));
    QVERIFY(!registry_.DelKey("HKEY_CURRENT_USER\\QLX Solo"));
    QVERIFY(!registry_.DelKey("HKEY_CURRENT_USER\\"));
}

void TestKeystone::delValue() {
    QVERIFY(registry_.WriteValue(kTest, "v", "1", "REG_SZ"));
    QVERIFY(registry_.DelValue(kTest, "V"));
    QCOMPARE(registry_.ReadValue(kTest, "v"), std::string());
    QVERIFY(!registry_.DelValue(kTest, "v"));
    QVERIFY(!registry_.DelValue(kTest + "\\Missing", "v"));
}

void TestKeystone::enumerateAndCount() {
    for (const char* name : {"Beta", "alpha", "Gamma"})
        QVERIFY(registry_.AddKey(kTest + "\\" + name));
    QCOMPARE(registry_.EnumKeyCount(kTest), int16_t{3});
    QCOMPARE(registry_.EnumKey(kTest, 0), std::string("alpha"));
    QCOMPARE(registry_.EnumKey(kTest, 2), std::string("Gamma"));
    QCOMPARE(registry_.EnumKey(kTest, 3), std::string());
    QCOMPARE(registry_.EnumKey(kTest, -1), std::string());
    for (const char* name : {"one", "two", "three"})
        QVERIFY(registry_.WriteValue(kTest, name, "x", "REG_SZ"));
    QCOMPARE(registry_.EnumValueCount(kTest), int16_t{3});
    QCOMPARE(registry_.EnumValue(kTest, 1), std::string("two"));
    // The default value has the empty name, so counting stops there.
    QVERIFY(registry_.WriteValue(kTest, "", "d", "REG_SZ"));
    QVERIFY(registry_.WriteValue(kTest, "four", "x", "REG_SZ"));
    QCOMPARE(registry_.EnumValueCount(kTest), int16_t{3});
}

void TestKeystone::longNamesEnumerate() {
    const std::string keyName = Repeat("東", 255); // 765 bytes: more than the first buffer holds
    const std::string valueName = Repeat("v", 5000);
    QVERIFY(registry_.AddKey(kTest + "\\" + keyName));
    QVERIFY(registry_.WriteValue(kTest, valueName, "x", "REG_SZ"));
    QCOMPARE(registry_.EnumKey(kTest, 0), keyName);
    QCOMPARE(registry_.EnumValue(kTest, 0), valueName);
    QCOMPARE(registry_.ReadValue(kTest, valueName), std::string("x"));
}

QTEST_GUILESS_MAIN(TestKeystone)
#include "tst_keystone.moc"
