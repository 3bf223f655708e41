#include "SqlStatement.h"

#include "StoreError.h"

#include <sqlite3.h>

namespace qlx::winreg {
namespace {

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK)
        throw StoreError(rc, sqlite3_errmsg(db));
}

} // namespace

SqlStatement::SqlStatement(sqlite3* db, const char* sql) : db_(db) {
    Check(db_, sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr));
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

SqlStatement& SqlStatement::Start() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, std::int64_t value) {
    Check(db_, sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, std::string_view text) {
    Check(db_, sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqlStatement& SqlStatement::BindBlob(int index, std::string_view bytes) {
    // A null pointer would bind NULL instead of an empty blob.
    const char* data = bytes.data() ? bytes.data() : "";
    Check(db_, sqlite3_bind_blob64(stmt_, index, data, bytes.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqlStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        StoreError error(rc, sqlite3_errmsg(db_));
        sqlite3_reset(stmt_);
        throw error;
    }
    sqlite3_reset(stmt_);
    return false;
}

void SqlStatement::Run() {
    while (Step()) {
    }
}

void SqlStatement::Finish() {
    sqlite3_reset(stmt_);
}

std::int64_t SqlStatement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string SqlStatement::Bytes(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return data ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

} // namespace qlx::winreg
