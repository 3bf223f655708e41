// The registry store of one user: keys and values in one SQLite database, shared by every process
// of the user. Names are stored as given and compared in their folded form (see FoldName).
// Every call but the constructor must run inside Read or Write.
#pragma once

#include "SqlStatement.h"
#include "WinReg.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace qlx::winreg {

struct RegValue {
    std::string name;
    DWORD type;
    std::string data;
};

class RegDatabase {
public:
    using Id = std::int64_t;

    // Opens the store at path, creating it when missing. A file that cannot be opened or is not a
    // sound store is moved aside and a new store is made in its place. Throws StoreError when even
    // that fails.
    explicit RegDatabase(std::string path);
    ~RegDatabase();
    RegDatabase(const RegDatabase&) = delete;
    RegDatabase& operator=(const RegDatabase&) = delete;

    const std::string& Path() const { return path_; }

    // For a store file removed or replaced under the connection: closes it without removing its
    // journal, whose name now belongs to the store that took the file's place.
    void Abandon();

    // Runs work in a transaction: Write takes the write lock at once, so writers queue instead of
    // failing half way. An exception rolls the transaction back and passes on.
    template <class Work> auto Write(Work&& work) { return InTransaction("BEGIN IMMEDIATE", work); }
    template <class Work> auto Read(Work&& work) { return InTransaction("BEGIN", work); }

    bool KeyExists(Id key);
    std::optional<Id> FindKey(Id base, const std::vector<std::string>& names);
    // Finds or makes each key of the chain below base; gives the last one.
    Id CreateKey(Id base, const std::vector<std::string>& names);
    bool HasSubkeys(Id key);
    // Deletes a key that has no subkeys, with its values.
    void DeleteKey(Id key);
    // Subkeys in the order of their folded names, compared as UTF-16.
    std::optional<std::string> SubkeyAt(Id key, std::int64_t index);

    std::optional<RegValue> FindValue(Id key, std::string_view name);
    // A value that exists keeps its place in the enumeration and its spelling.
    void SetValue(Id key, std::string_view name, DWORD type, std::string_view data);
    bool DeleteValue(Id key, std::string_view name);
    // Values in the order they were made.
    std::optional<RegValue> ValueAt(Id key, std::int64_t index);

private:
    void Open();
    void Close();
    void MoveAside();
    void Exec(const char* sql);
    std::int64_t Scalar(const char* sql);
    void Rollback() noexcept;
    void CheckIntegrity();
    void SetUpSchema();
    void CreateSchema();
    std::optional<Id> FindChild(Id parent, std::string_view name);
    SqlStatement& Sql(const char* sql);

    template <class Work> auto InTransaction(const char* begin, Work& work) {
        Exec(begin);
        try {
            auto result = work();
            Exec("COMMIT");
            return result;
        } catch (...) {
            Rollback();
            throw;
        }
    }

    // The subkeys of the key enumerated last, in order, and the state of the store they were read in.
    struct SubkeyList {
        Id key = 0;
        std::int64_t version = -1;
        std::int64_t changes = -1;
        std::vector<std::string> names;
    };

    std::string path_;
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
    // Declared after db_, so that the statements are finalized before the connection closes. Keyed by the
    // address of the SQL literal: each call site prepares its statement once.
    std::map<const char*, std::unique_ptr<SqlStatement>> statements_;
    SubkeyList subkeys_;
};

} // namespace qlx::winreg
