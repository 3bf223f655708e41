// The emulated registry functions: the Windows rules they keep and the store behind them.
#include "RegDatabase.h"
#include "RegRoots.h"
#include "RegStore.h"
#include "TestEnvironment.h"
#include "WinReg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <functional>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace {

const char* const kTestKey = "Software\\QLX Test";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

HKEY CreateKey(HKEY parent, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    const LONG rc = RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

HKEY OpenKey(HKEY parent, const char* path, REGSAM access = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    return RegOpenKeyExA(parent, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
}

LONG SetBytes(HKEY key, const char* name, const QByteArray& bytes, DWORD type = REG_BINARY) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.constData()),
                          static_cast<DWORD>(bytes.size()));
}

// The bytes of a value, or "error <code>".
QByteArray Query(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    if (rc == ERROR_SUCCESS)
        rc = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    return rc == ERROR_SUCCESS ? bytes : "error " + QByteArray::number(rc);
}

QStringList Names(const std::function<LONG(DWORD, LPSTR, LPDWORD)>& enumerate) {
    QStringList names;
    char name[1024];
    DWORD length = sizeof name;
    for (DWORD i = 0; enumerate(i, name, &length) == ERROR_SUCCESS; ++i, length = sizeof name)
        names << QString::fromUtf8(name, length);
    return names;
}

QStringList SubkeyNames(HKEY key) {
    return Names([key](DWORD i, LPSTR name, LPDWORD length) {
        return RegEnumKeyExA(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

QStringList ValueNames(HKEY key) {
    return Names([key](DWORD i, LPSTR name, LPDWORD length) {
        return RegEnumValueA(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

QString StorePath() {
    return QString::fromStdString(qlx::winreg::StorePath());
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestWinReg : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env_.emplace();
        base_ = CreateKey(HKEY_CURRENT_USER, kTestKey);
        QVERIFY(base_);
    }
    void cleanup() {
        RegCloseKey(base_);
        env_.reset();
    }

    void createKey_data();
    void createKey();
    void deleteKey_data();
    void deleteKey();
    void deleteKeyOfHandle();
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void queryValue();
    void enumeration();
    void enumerationInUtf16Order();
    void enumerationFollowsChanges();
    void openingWaitsForNoWriter();
    void accessRights_data();
    void accessRights();
    void handles();
    void performanceDataHoldsNoKeys();
    void personalFolder_data();
    void personalFolder();
    void corruptStore_data();
    void corruptStore();
    void storeThatCannotBeOpened();
    void storeFollowsEnvironment();
    void twoProcessesWriteAtOnce();

private:
    std::optional<TestEnvironment> env_;
    HKEY base_ = nullptr;
};

void TestWinReg::createKey_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("result");
    QTest::addColumn<uint>("disposition");
    QByteArray umlauts;
    for (int i = 0; i < 255; ++i)
        umlauts += "ü";
    QTest::newRow("new chain") << QByteArray("A\\B\\C") << ERROR_SUCCESS << REG_CREATED_NEW_KEY;
    QTest::newRow("existing") << QByteArray("Existing\\Key") << ERROR_SUCCESS << REG_OPENED_EXISTING_KEY;
    QTest::newRow("other case") << QByteArray("EXISTING\\key") << ERROR_SUCCESS << REG_OPENED_EXISTING_KEY;
    QTest::newRow("trailing backslash")
        << QByteArray("Existing\\Key\\") << ERROR_SUCCESS << REG_OPENED_EXISTING_KEY;
    QTest::newRow("below existing") << QByteArray("Existing\\Key\\New") << ERROR_SUCCESS
                                    << REG_CREATED_NEW_KEY;
    QTest::newRow("empty: the key itself") << QByteArray("") << ERROR_SUCCESS << REG_OPENED_EXISTING_KEY;
    QTest::newRow("255 characters") << QByteArray(255, 'k') << ERROR_SUCCESS << REG_CREATED_NEW_KEY;
    QTest::newRow("255 two-byte characters") << umlauts << ERROR_SUCCESS << REG_CREATED_NEW_KEY;
    QTest::newRow("256 characters") << QByteArray(256, 'k') << ERROR_INVALID_PARAMETER << 0u;
    // The limit counts UTF-16 units: a character beyond 16 bits is two.
    QTest::newRow("128 four-byte characters")
        << QByteArray("\xF0\x9F\x98\x80").repeated(128) << ERROR_INVALID_PARAMETER << 0u;
    QTest::newRow("leading backslash") << QByteArray("\\A") << ERROR_BAD_PATHNAME << 0u;
    QTest::newRow("empty name") << QByteArray("A\\\\B") << ERROR_BAD_PATHNAME << 0u;
    QTest::newRow("two trailing backslashes") << QByteArray("A\\\\") << ERROR_SUCCESS << REG_CREATED_NEW_KEY;
}

void TestWinReg::createKey() {
    QFETCH(QByteArray, path);
    QFETCH(int, result);
    QFETCH(uint, disposition);
    QVERIFY(CreateKey(base_, "Existing\\Key"));
    HKEY key = HKEY_CLASSES_ROOT;
    DWORD got = 0;
    QCOMPARE(RegCreateKeyExA(base_, path.constData(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &got),
             result);
    if (result != ERROR_SUCCESS) {
        QVERIFY(!key);
        QCOMPARE(SubkeyNames(base_), QStringList{"Existing"});
        return;
    }
    QCOMPARE(got, disposition);
    // The new handle and one opened afterwards name the same key.
    const HKEY opened = OpenKey(base_, path.constData());
    QVERIFY(opened);
    QCOMPARE(SetBytes(key, "v", "1"), ERROR_SUCCESS);
    QCOMPARE(Query(opened, "v"), QByteArray("1"));
}

void TestWinReg::deleteKey_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("result");
    QTest::newRow("key with values") << QByteArray("Parent\\Child") << ERROR_SUCCESS;
    QTest::newRow("other case") << QByteArray("PARENT\\child") << ERROR_SUCCESS;
    QTest::newRow("key with subkeys") << QByteArray("Parent") << ERROR_ACCESS_DENIED;
    QTest::newRow("missing") << QByteArray("Parent\\Nothing") << ERROR_FILE_NOT_FOUND;
    QTest::newRow("the key itself, which has subkeys") << QByteArray("") << ERROR_ACCESS_DENIED;
}

void TestWinReg::deleteKey() {
    QFETCH(QByteArray, path);
    QFETCH(int, result);
    QCOMPARE(SetBytes(CreateKey(base_, "Parent\\Child"), "v", "x"), ERROR_SUCCESS);
    QCOMPARE(RegDeleteKeyA(base_, path.constData()), result);
    QVERIFY(OpenKey(base_, "Parent"));
    if (result != ERROR_SUCCESS) {
        QVERIFY(OpenKey(base_, "Parent\\Child"));
        return;
    }
    QVERIFY(!OpenKey(base_, "Parent\\Child"));
    // Its values went with it.
    DWORD disposition = 0;
    QCOMPARE(ValueNames(CreateKey(base_, "Parent\\Child", &disposition)), QStringList());
    QCOMPARE(disposition, REG_CREATED_NEW_KEY);
}

// As on Windows, the empty path deletes the key of the handle itself; NULL names nothing.
void TestWinReg::deleteKeyOfHandle() {
    const HKEY leaf = CreateKey(base_, "Leaf");
    QVERIFY(leaf);
    QCOMPARE(RegDeleteKeyA(leaf, nullptr), ERROR_INVALID_PARAMETER);
    QCOMPARE(RegDeleteKeyA(leaf, ""), ERROR_SUCCESS);
    QVERIFY(!OpenKey(base_, "Leaf"));
    QCOMPARE(SetBytes(leaf, "v", "x"), ERROR_KEY_DELETED);
    QCOMPARE(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

void TestWinReg::namesIgnoreCase_data() {
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("lookup");
    QTest::addColumn<bool>("same");
    QTest::newRow("ASCII") << QByteArray("Abc") << QByteArray("aBC") << true;
    QTest::newRow("umlaut") << QByteArray("zürich") << QByteArray("ZÜRICH") << true;
    QTest::newRow("Greek") << QByteArray("αβγ") << QByteArray("ΑΒΓ") << true;
    QTest::newRow("Cyrillic") << QByteArray("москва") << QByteArray("МОСКВА") << true;
    QTest::newRow("CJK") << QByteArray("東京") << QByteArray("東京") << true;
    QTest::newRow("accent is no case") << QByteArray("zurich") << QByteArray("ZÜRICH") << false;
    // Windows upper-cases UTF-16 units, which leaves a character beyond 16 bits as it is.
    QTest::newRow("beyond 16 bits") << QByteArray("\xF0\x90\x90\xA8") << QByteArray("\xF0\x90\x90\x80")
                                    << false;
}

void TestWinReg::namesIgnoreCase() {
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, lookup);
    QFETCH(bool, same);
    const HKEY key = CreateKey(base_, written.constData());
    QCOMPARE(SetBytes(key, written.constData(), "data"), ERROR_SUCCESS);
    QCOMPARE(OpenKey(base_, lookup.constData()) != nullptr, same);
    QCOMPARE(Query(key, lookup.constData()), same ? QByteArray("data") : QByteArray("error 2"));
    // Writing under the other spelling changes the one value, which keeps its first spelling.
    QCOMPARE(SetBytes(key, lookup.constData(), "new"), ERROR_SUCCESS);
    const QStringList expected = same ? QStringList{QString::fromUtf8(written)}
                                      : QStringList{QString::fromUtf8(written), QString::fromUtf8(lookup)};
    QCOMPARE(ValueNames(key), expected);
    QCOMPARE(SubkeyNames(base_), QStringList{QString::fromUtf8(written)});
}

void TestWinReg::queryValue() {
    const QByteArray data("a\0b\xff", 4);
    QCOMPARE(SetBytes(base_, "Bin", data), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    QCOMPARE(RegQueryValueExA(base_, "Bin", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    QCOMPARE(size, 4u);
    QCOMPARE(type, REG_BINARY);
    BYTE buffer[4] = {};
    size = 3;
    QCOMPARE(RegQueryValueExA(base_, "bin", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
    QCOMPARE(size, 4u);
    QCOMPARE(RegQueryValueExA(base_, "bin", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer), size), data);
    QCOMPARE(Query(base_, "Missing"), QByteArray("error 2"));
    // The default value: missing until set; NULL and "" both name it.
    QCOMPARE(Query(base_, nullptr), QByteArray("error 2"));
    QCOMPARE(SetBytes(base_, nullptr, "d"), ERROR_SUCCESS);
    QCOMPARE(Query(base_, ""), QByteArray("d"));
    QCOMPARE(SetBytes(base_, "Empty", ""), ERROR_SUCCESS);
    QCOMPARE(Query(base_, "Empty"), QByteArray(""));
    // Writing again replaces type and data.
    QCOMPARE(SetBytes(base_, "Bin", QByteArray("text", 5), REG_SZ), ERROR_SUCCESS);
    QCOMPARE(Query(base_, "Bin", &type), QByteArray("text", 5));
    QCOMPARE(type, REG_SZ);
    QCOMPARE(RegDeleteValueA(base_, "BIN"), ERROR_SUCCESS);
    QCOMPARE(RegDeleteValueA(base_, "Bin"), ERROR_FILE_NOT_FOUND);
}

void TestWinReg::enumeration() {
    for (const char* name : {"b", "ä", "C", "a"})
        QVERIFY(CreateKey(base_, name));
    QCOMPARE(SubkeyNames(base_), (QStringList{"a", "b", "C", "ä"}));
    for (const char* name : {"z", "A", "m"})
        QCOMPARE(SetBytes(base_, name, name), ERROR_SUCCESS);
    QCOMPARE(SetBytes(base_, "Z", "again"), ERROR_SUCCESS);
    QCOMPARE(ValueNames(base_), (QStringList{"z", "A", "m"}));

    char name[8];
    DWORD length = sizeof name;
    QCOMPARE(RegEnumKeyExA(base_, 4, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    QCOMPARE(RegEnumValueA(base_, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    // The room counts the terminating zero; the length returned does not. "ä" is two bytes.
    length = 2;
    QCOMPARE(RegEnumKeyExA(base_, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    length = 3;
    QCOMPARE(RegEnumKeyExA(base_, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    QCOMPARE(length, 2u);
    QCOMPARE(QByteArray(name), QByteArray("ä"));

    // Data and type of an enumerated value follow the rules of a query.
    DWORD type = 0;
    BYTE data[8] = {};
    DWORD size = 2;
    length = sizeof name;
    QCOMPARE(RegEnumValueA(base_, 0, name, &length, nullptr, &type, data, &size), ERROR_MORE_DATA);
    QCOMPARE(size, 5u);
    size = sizeof data;
    length = sizeof name;
    QCOMPARE(RegEnumValueA(base_, 0, name, &length, nullptr, &type, data, &size), ERROR_SUCCESS);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(data), size), QByteArray("again"));
    QCOMPARE(type, REG_BINARY);
}

// Subkeys come in the order of their UTF-16 units, as on Windows: a character beyond 16 bits (a
// surrogate pair) before U+E000 to U+FFFF, where its UTF-8 bytes would put it after them.
void TestWinReg::enumerationInUtf16Order() {
    for (const char* name : {"\xEF\xBC\xA1", "\xF0\x9F\x98\x80", "z"})
        QVERIFY(CreateKey(base_, name));
    QCOMPARE(SubkeyNames(base_),
             (QStringList{"z", QString::fromUtf8("\xF0\x9F\x98\x80"), QString::fromUtf8("\xEF\xBC\xA1")}));
}

// Enumeration reads a key's subkeys once for all its indexes; a change made in between, here or by
// another process, shows at the next index asked for.
void TestWinReg::enumerationFollowsChanges() {
    QVERIFY(CreateKey(base_, "m"));
    QCOMPARE(SubkeyNames(base_), QStringList{"m"});
    QVERIFY(CreateKey(base_, "b"));
    QCOMPARE(SubkeyNames(base_), (QStringList{"b", "m"}));
    QCOMPARE(RegDeleteKeyA(base_, "b"), ERROR_SUCCESS);
    QCOMPARE(SubkeyNames(base_), QStringList{"m"});

    QProcess writer;
    writer.start(QString::fromUtf8(WINREG_WRITER),
                 {"HKEY_CURRENT_USER\\" + QString::fromUtf8(kTestKey) + "\\a", "v", "1"});
    QVERIFY(writer.waitForFinished(60000));
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(SubkeyNames(base_), (QStringList{"a", "m"}));
}

// A process hung in the middle of a write keeps no other from opening the store and reading it.
void TestWinReg::openingWaitsForNoWriter() {
    sqlite3* writer = nullptr;
    QCOMPARE(sqlite3_open(StorePath().toUtf8().constData(), &writer), SQLITE_OK);
    QCOMPARE(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::optional<qlx::winreg::RegDatabase::Id> found;
    try {
        qlx::winreg::RegDatabase reader(qlx::winreg::StorePath());
        found = reader.Read([&] {
            return reader.FindKey(qlx::winreg::kCurrentUserId, {"Software", "QLX Test"});
        });
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
    }
    sqlite3_close(writer);
    QVERIFY(found.has_value());
}

void TestWinReg::accessRights_data() {
    QTest::addColumn<uint>("access");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("result");
    QTest::newRow("read: query") << KEY_READ << "query" << ERROR_SUCCESS;
    QTest::newRow("read: enumerate keys") << KEY_READ << "enumerate keys" << ERROR_SUCCESS;
    QTest::newRow("read: set") << KEY_READ << "set" << ERROR_ACCESS_DENIED;
    QTest::newRow("read: delete value") << KEY_READ << "delete value" << ERROR_ACCESS_DENIED;
    QTest::newRow("read: create subkey") << KEY_READ << "create subkey" << ERROR_ACCESS_DENIED;
    QTest::newRow("read: open subkey by create") << KEY_READ << "open subkey by create" << ERROR_SUCCESS;
    QTest::newRow("write: set") << KEY_WRITE << "set" << ERROR_SUCCESS;
    QTest::newRow("write: create subkey") << KEY_WRITE << "create subkey" << ERROR_SUCCESS;
    QTest::newRow("write: query") << KEY_WRITE << "query" << ERROR_ACCESS_DENIED;
    QTest::newRow("query: enumerate values") << KEY_QUERY_VALUE << "enumerate values" << ERROR_SUCCESS;
    QTest::newRow("query: enumerate keys") << KEY_QUERY_VALUE << "enumerate keys" << ERROR_ACCESS_DENIED;
    QTest::newRow("enumerate: enumerate values")
        << KEY_ENUMERATE_SUB_KEYS << "enumerate values" << ERROR_ACCESS_DENIED;
}

void TestWinReg::accessRights() {
    QFETCH(uint, access);
    QFETCH(QString, operation);
    QFETCH(int, result);
    QCOMPARE(SetBytes(base_, "Present", "x"), ERROR_SUCCESS);
    QVERIFY(CreateKey(base_, "Sub"));
    const HKEY key = OpenKey(HKEY_CURRENT_USER, kTestKey, access);
    QVERIFY(key);
    char name[64];
    DWORD length = sizeof name;
    DWORD size = 0;
    HKEY sub = nullptr;
    const QHash<QString, std::function<LONG()>> operations{
        {"query", [&] { return RegQueryValueExA(key, "Present", nullptr, nullptr, nullptr, &size); }},
        {"set", [&] { return SetBytes(key, "Present", "y"); }},
        {"delete value", [&] { return RegDeleteValueA(key, "Present"); }},
        {"enumerate keys",
         [&] { return RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr); }},
        {"enumerate values",
         [&] { return RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr); }},
        {"create subkey",
         [&] { return RegCreateKeyExA(key, "New", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr); }},
        {"open subkey by create",
         [&] { return RegCreateKeyExA(key, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr); }},
    };
    QVERIFY(operations.contains(operation));
    QCOMPARE(operations[operation](), result);
}

void TestWinReg::handles() {
    const auto unknown = reinterpret_cast<HKEY>(std::uintptr_t{0x7777});
    QCOMPARE(Query(unknown, "v"), QByteArray("error 6"));
    QCOMPARE(SetBytes(unknown, "v", "x"), ERROR_INVALID_HANDLE);
    QCOMPARE(RegCloseKey(unknown), ERROR_INVALID_HANDLE);
    // A closed handle stays unknown; closing a predefined root does nothing.
    const HKEY key = OpenKey(HKEY_CURRENT_USER, kTestKey);
    QCOMPARE(RegCloseKey(key), ERROR_SUCCESS);
    QCOMPARE(RegCloseKey(key), ERROR_INVALID_HANDLE);
    QCOMPARE(SetBytes(key, "v", "x"), ERROR_INVALID_HANDLE);
    QCOMPARE(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    QVERIFY(OpenKey(HKEY_CURRENT_USER, kTestKey));

    // A key deleted under an open handle, even when a key of that name is made again.
    const HKEY doomed = CreateKey(base_, "Doomed");
    QCOMPARE(RegDeleteKeyA(base_, "Doomed"), ERROR_SUCCESS);
    QVERIFY(CreateKey(base_, "Doomed"));
    QCOMPARE(SetBytes(doomed, "v", "x"), ERROR_KEY_DELETED);
    QCOMPARE(Query(doomed, "v"), QByteArray("error 1018"));
    QVERIFY(!CreateKey(doomed, "Sub"));
    QCOMPARE(SubkeyNames(doomed), QStringList());
    QCOMPARE(RegCloseKey(doomed), ERROR_SUCCESS);
}

// As on Windows, where the root answers performance queries only.
void TestWinReg::performanceDataHoldsNoKeys() {
    HKEY key = nullptr;
    QCOMPARE(
        RegCreateKeyExA(HKEY_PERFORMANCE_DATA, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_INVALID_HANDLE);
    QCOMPARE(SetBytes(HKEY_PERFORMANCE_DATA, "v", "x"), ERROR_INVALID_HANDLE);
    QCOMPARE(Query(HKEY_PERFORMANCE_DATA, "v"), QByteArray("error 6"));
}

void TestWinReg::personalFolder_data() {
    QTest::addColumn<QByteArray>("userDirs");
    QTest::addColumn<bool>("documentsExists");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Documents folder") << QByteArray() << true << "home/Documents";
    QTest::newRow("user-dirs.dirs") << QByteArray("# set by the user\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                  "XDG_DOCUMENTS_DIR=\"$HOME/My Files\"\n")
                                    << true << "home/My Files";
    QTest::newRow("absolute folder") << QByteArray("XDG_DOCUMENTS_DIR=\"/srv/papers\"\n") << true
                                     << "/srv/papers";
    QTest::newRow("home") << QByteArray() << false << "home";
}

void TestWinReg::personalFolder() {
    QFETCH(QByteArray, userDirs);
    QFETCH(bool, documentsExists);
    QFETCH(QString, expected);
    const TestEnvironment fresh; // the store is made after the folders are set up
    if (!userDirs.isNull())
        WriteFile(fresh.path("config/user-dirs.dirs"), userDirs);
    if (!documentsExists)
        QVERIFY(QDir(fresh.path("home/Documents")).removeRecursively());
    const QString folder = expected.startsWith('/') ? expected : fresh.path(expected);
    DWORD type = 0;
    QCOMPARE(Query(OpenKey(HKEY_CURRENT_USER, kShellFolders), "Personal", &type), folder.toUtf8() + '\0');
    QCOMPARE(type, REG_SZ);
}

void TestWinReg::corruptStore_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("usedBefore");
    QTest::addColumn<bool>("movedAside");
    QTest::newRow("garbage") << "garbage" << false << true;
    QTest::newRow("garbage over a store in use") << "garbage" << true << true;
    QTest::newRow("another database") << "database" << false << true;
    QTest::newRow("folder in its place") << "folder" << false << true;
    QTest::newRow("empty file") << "empty" << false << false;
}

void TestWinReg::corruptStore() {
    QFETCH(QString, content);
    QFETCH(bool, usedBefore);
    QFETCH(bool, movedAside);
    const TestEnvironment fresh;
    const QString path = StorePath();
    const QByteArray garbage = "not a registry " + QByteArray(8192, 'x');
    if (usedBefore) {
        QCOMPARE(SetBytes(CreateKey(HKEY_CURRENT_USER, kTestKey), "old", "x"), ERROR_SUCCESS);
        const TestEnvironment other;
        QVERIFY(CreateKey(HKEY_CURRENT_USER, kTestKey)); // closes the first store
        WriteFile(path, garbage);
    } else if (content == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (content == "database") {
        QDir().mkpath(QFileInfo(path).path());
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else {
        WriteFile(path, content == "garbage" ? garbage : QByteArray());
    }
    const HKEY key = CreateKey(HKEY_CURRENT_USER, kTestKey);
    QVERIFY(key);
    QCOMPARE(SetBytes(key, "new", "y"), ERROR_SUCCESS);
    QCOMPARE(ValueNames(key), QStringList{"new"});
    QVERIFY(!Query(OpenKey(HKEY_CURRENT_USER, kShellFolders), "Personal").startsWith("error"));
    const QFileInfoList aside = QDir(QFileInfo(path).path()).entryInfoList({"registry.db.corrupt-*"});
    QCOMPARE(aside.size(), movedAside ? 1 : 0);
    if (content == "garbage") {
        QFile kept(aside.first().filePath());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), garbage);
    }
}

void TestWinReg::storeThatCannotBeOpened() {
    const TestEnvironment fresh;
    WriteFile(fresh.path("config/QLX"), "a file where the store's folder belongs");
    HKEY key = nullptr;
    QCOMPARE(
        RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_CANTOPEN);
    QVERIFY(!key);
    QCOMPARE(Query(HKEY_CURRENT_USER, "v"), QByteArray("error 1011"));
}

void TestWinReg::storeFollowsEnvironment() {
    QCOMPARE(SetBytes(base_, "Where", "first"), ERROR_SUCCESS);
    {
        const TestEnvironment other;
        QCOMPARE(Query(CreateKey(HKEY_CURRENT_USER, kTestKey), "Where"), QByteArray("error 2"));
        QCOMPARE(SetBytes(base_, "Where", "second"), ERROR_INVALID_HANDLE); // a handle of the first store
    }
    QCOMPARE(Query(OpenKey(HKEY_CURRENT_USER, kTestKey), "Where"), QByteArray("first"));
}

void TestWinReg::twoProcessesWriteAtOnce() {
    const TestEnvironment fresh; // both processes also race to make the store
    const QString key = "HKEY_CURRENT_USER\\Software\\QLX Test\\Concurrent";
    const int count = 500;
    QProcess first;
    QProcess second;
    first.start(QString::fromUtf8(WINREG_WRITER), {key, "first-", QString::number(count)});
    second.start(QString::fromUtf8(WINREG_WRITER), {key, "second-", QString::number(count)});
    for (QProcess* writer : {&first, &second}) {
        QVERIFY(writer->waitForFinished(240000));
        QVERIFY2(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0,
                 writer->readAllStandardError().constData());
    }
    const HKEY written = OpenKey(HKEY_CURRENT_USER, "Software\\QLX Test\\Concurrent");
    QCOMPARE(ValueNames(written).size(), 2 * count);
    for (const char* prefix : {"first-", "second-"}) {
        for (int i = 0; i < count; ++i)
            QCOMPARE(Query(written, (prefix + QByteArray::number(i)).constData()),
                     QByteArray::number(i) + '\0');
    }
}

QTEST_GUILESS_MAIN(TestWinReg)
#include "tst_winreg.moc"
