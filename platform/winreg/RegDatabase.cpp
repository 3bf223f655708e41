#include "RegDatabase.h"

#include "LockFile.h"
#include "RegNames.h"
#include "RegRoots.h"
#include "StoreError.h"
#include "UserFolders.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <string_view>
#include <sys/stat.h>

namespace qlx::winreg {
namespace {

constexpr std::int64_t kApplicationId = 0x514C5852; // "QLXR"
constexpr std::int64_t kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;

// Makes the missing folders above path, private to the user.
void MakeParentFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

std::string TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// The first row of a query as read() makes it; the query is ended so that it holds no lock.
template <class Read> auto FirstRow(SqlStatement& query, Read read) -> std::optional<decltype(read(query))> {
    std::optional<decltype(read(query))> row;
    if (query.Step())
        row = read(query);
    query.Finish();
    return row;
}

// Orders names as Windows does, by their UTF-16 units; as UTF-8 bytes, the characters beyond the
// 16-bit range would come after U+E000 to U+FFFF instead of before them.
int CompareUtf16(void*, int size1, const void* text1, int size2, const void* text2) {
    const std::u16string_view first(static_cast<const char16_t*>(text1), static_cast<std::size_t>(size1) / 2);
    const std::u16string_view second(static_cast<const char16_t*>(text2),
                                     static_cast<std::size_t>(size2) / 2);
    return first.compare(second);
}

RegValue ToValue(const SqlStatement& row) {
    return RegValue{row.Bytes(0), static_cast<DWORD>(row.Int(1)), row.Bytes(2)};
}

} // namespace

RegDatabase::RegDatabase(std::string path) : path_(std::move(path)), db_(nullptr, sqlite3_close_v2) {
    MakeParentFolders(path_);
    // One process at a time checks the file, moves it aside and makes the new one, so that no
    // process moves aside a store that another has just made.
    const LockFile lock(path_ + ".lock");
    try {
        Open();
    } catch (const StoreError& error) {
        if (!error.Unusable())
            throw;
        Close();
        MoveAside();
        Open();
    }
}

RegDatabase::~RegDatabase() = default;

void RegDatabase::Open() {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path_.c_str(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(db); // a failed open still gives a connection to close
    if (rc != SQLITE_OK)
        throw StoreError(rc, "cannot open " + path_, sqlite3_system_errno(db));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (const int collation =
            sqlite3_create_collation_v2(db, "UTF16ORDER", SQLITE_UTF16, nullptr, CompareUtf16, nullptr);
        collation != SQLITE_OK)
        throw StoreError(collation, "cannot set up " + path_);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=FULL");
    CheckIntegrity();
    // A store that exists is only read here, so that opening it never waits for another writer
    // (a process hung while writing would otherwise keep every new one from reading).
    const auto setUp = [this] {
        SetUpSchema();
        return true;
    };
    if (Read([this] { return Scalar("SELECT count(*) FROM sqlite_master") == 0; }))
        Write(setUp);
    else
        Read(setUp);
}

void RegDatabase::Abandon() {
    if (db_) {
        int persist = 1;
        sqlite3_file_control(db_.get(), "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    }
    Close();
}

void RegDatabase::Close() {
    statements_.clear();
    db_.reset();
}

void RegDatabase::MoveAside() {
    const std::string aside = path_ + ".corrupt-" + TimeStamp();
    if (std::rename(path_.c_str(), aside.c_str()) != 0 && errno != ENOENT)
        throw StoreError(SQLITE_CANTOPEN, "cannot move " + path_ + " aside");
    std::rename((path_ + "-wal").c_str(), (aside + "-wal").c_str());
    std::remove((path_ + "-shm").c_str());
}

void RegDatabase::Exec(const char* sql) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(rc, sqlite3_errmsg(db_.get()));
}

std::int64_t RegDatabase::Scalar(const char* sql) {
    return FirstRow(Sql(sql).Start(), [](const SqlStatement& row) { return row.Int(0); }).value_or(0);
}

void RegDatabase::Rollback() noexcept {
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void RegDatabase::CheckIntegrity() {
    SqlStatement& check = Sql("PRAGMA quick_check(1)").Start();
    if (FirstRow(check, [](const SqlStatement& row) { return row.Bytes(0); }) != "ok")
        throw StoreError(SQLITE_CORRUPT, path_ + " failed its integrity check");
}

void RegDatabase::SetUpSchema() {
    if (Scalar("SELECT count(*) FROM sqlite_master") == 0)
        return CreateSchema();
    if (Scalar("PRAGMA application_id") != kApplicationId || Scalar("PRAGMA user_version") != kSchemaVersion)
        throw StoreError(SQLITE_NOTADB, path_ + " is not a registry store");
}

void RegDatabase::CreateSchema() {
    // Key ids are never reused, so that a handle of a deleted key cannot reach a new one.
    Exec("CREATE TABLE regkey(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER REFERENCES regkey(id),"
         " name TEXT NOT NULL, folded TEXT NOT NULL, UNIQUE(parent, folded));"
         "CREATE TABLE regvalue(id INTEGER PRIMARY KEY, key INTEGER NOT NULL REFERENCES regkey(id),"
         " name TEXT NOT NULL, folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,"
         " UNIQUE(key, folded));"
         "CREATE INDEX regvalue_order ON regvalue(key, id);"
         "PRAGMA application_id = 1363957842;" // kApplicationId
         "PRAGMA user_version = 1;");          // kSchemaVersion
    SqlStatement& root = Sql("INSERT INTO regkey(id, parent, name, folded) VALUES(?, NULL, ?, ?)");
    for (Id id = 1; id <= kRootCount; ++id) {
        const std::string_view name = kRootNames[id - 1];
        root.Start().Bind(1, id).Bind(2, name).Bind(3, FoldName(name)).Run();
    }
    // What Windows itself provides and the program reads.
    const Id folders = CreateKey(
        kCurrentUserId, {"Software", "Microsoft", "Windows", "CurrentVersion", "Explorer", "Shell Folders"});
    const std::string documents = DocumentsFolder();
    SetValue(folders, "Personal", REG_SZ, std::string_view(documents.c_str(), documents.size() + 1));
}

SqlStatement& RegDatabase::Sql(const char* sql) {
    std::unique_ptr<SqlStatement>& statement = statements_[sql];
    if (!statement)
        statement = std::make_unique<SqlStatement>(db_.get(), sql);
    return *statement;
}

bool RegDatabase::KeyExists(Id key) {
    SqlStatement& find = Sql("SELECT 1 FROM regkey WHERE id = ?").Start().Bind(1, key);
    return FirstRow(find, [](const SqlStatement&) { return true; }).has_value();
}

std::optional<RegDatabase::Id> RegDatabase::FindChild(Id parent, std::string_view name) {
    SqlStatement& find = Sql("SELECT id FROM regkey WHERE parent = ? AND folded = ?")
                             .Start()
                             .Bind(1, parent)
                             .Bind(2, FoldName(name));
    return FirstRow(find, [](const SqlStatement& row) { return row.Int(0); });
}

std::optional<RegDatabase::Id> RegDatabase::FindKey(Id base, const std::vector<std::string>& names) {
    std::optional<Id> key = base;
    for (auto name = names.begin(); key && name != names.end(); ++name)
        key = FindChild(*key, *name);
    return key;
}

RegDatabase::Id RegDatabase::CreateKey(Id base, const std::vector<std::string>& names) {
    Id key = base;
    for (const std::string& name : names) {
        if (const std::optional<Id> child = FindChild(key, name)) {
            key = *child;
            continue;
        }
        Sql("INSERT INTO regkey(parent, name, folded) VALUES(?, ?, ?)")
            .Start()
            .Bind(1, key)
            .Bind(2, name)
            .Bind(3, FoldName(name))
            .Run();
        key = sqlite3_last_insert_rowid(db_.get());
    }
    return key;
}

bool RegDatabase::HasSubkeys(Id key) {
    SqlStatement& find = Sql("SELECT 1 FROM regkey WHERE parent = ? LIMIT 1").Start().Bind(1, key);
    return FirstRow(find, [](const SqlStatement&) { return true; }).has_value();
}

void RegDatabase::DeleteKey(Id key) {
    Sql("DELETE FROM regvalue WHERE key = ?").Start().Bind(1, key).Run();
    Sql("DELETE FROM regkey WHERE id = ?").Start().Bind(1, key).Run();
}

// Enumerating asks for one index after another: the ordered names are read once and kept until
// the store changes, through this connection or another.
std::optional<std::string> RegDatabase::SubkeyAt(Id key, std::int64_t index) {
    const std::int64_t version = Scalar("PRAGMA data_version");
    const std::int64_t changes = sqlite3_total_changes64(db_.get());
    if (subkeys_.key != key || subkeys_.version != version || subkeys_.changes != changes) {
        subkeys_ = SubkeyList{key, version, changes, {}};
        SqlStatement& all = Sql("SELECT name FROM regkey WHERE parent = ? ORDER BY folded COLLATE UTF16ORDER")
                                .Start()
                                .Bind(1, key);
        while (all.Step())
            subkeys_.names.push_back(all.Bytes(0));
        all.Finish();
    }
    if (index < 0 || index >= std::int64_t(subkeys_.names.size()))
        return std::nullopt;
    return subkeys_.names[std::size_t(index)];
}

std::optional<RegValue> RegDatabase::FindValue(Id key, std::string_view name) {
    SqlStatement& find = Sql("SELECT name, type, data FROM regvalue WHERE key = ? AND folded = ?")
                             .Start()
                             .Bind(1, key)
                             .Bind(2, FoldName(name));
    return FirstRow(find, ToValue);
}

void RegDatabase::SetValue(Id key, std::string_view name, DWORD type, std::string_view data) {
    Sql("INSERT INTO regvalue(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?)"
        " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data")
        .Start()
        .Bind(1, key)
        .Bind(2, name)
        .Bind(3, FoldName(name))
        .Bind(4, static_cast<std::int64_t>(type))
        .BindBlob(5, data)
        .Run();
}

bool RegDatabase::DeleteValue(Id key, std::string_view name) {
    Sql("DELETE FROM regvalue WHERE key = ? AND folded = ?")
        .Start()
        .Bind(1, key)
        .Bind(2, FoldName(name))
        .Run();
    return sqlite3_changes(db_.get()) > 0;
}

std::optional<RegValue> RegDatabase::ValueAt(Id key, std::int64_t index) {
    SqlStatement& find =
        Sql("SELECT name, type, data FROM regvalue WHERE key = ? ORDER BY id LIMIT 1 OFFSET ?")
            .Start()
            .Bind(1, key)
            .Bind(2, index);
    return FirstRow(find, ToValue);
}

} // namespace qlx::winreg
