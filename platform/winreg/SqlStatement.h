// One prepared SQLite statement, prepared once and reused for the life of its connection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qlx::winreg {

class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // Resets the statement for a new run; parameters then bind from 1, as in SQLite.
    SqlStatement& Start();
    SqlStatement& Bind(int index, std::int64_t value);
    SqlStatement& Bind(int index, std::string_view text);
    SqlStatement& BindBlob(int index, std::string_view bytes);

    // True while there is a row to read; throws StoreError on failure.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    // Ends a run early, so that the statement holds no read lock.
    void Finish();

    std::int64_t Int(int column) const;
    // The bytes of a text or blob column.
    std::string Bytes(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace qlx::winreg
