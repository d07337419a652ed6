#include "platform/sqlite_database.h"

#include <sqlite3.h>

#include <cstdio>

namespace vaticor {

namespace {

// A path as a "file:" URI: the characters a URI gives a meaning escaped.
std::string FileUri(const std::string& path) {
  std::string uri = "file:";
  for (const char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      uri += escaped;
    } else {
      uri += c;
    }
  }
  return uri;
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, Mode mode, int busyWaitMs) {
  // A connection is used by one thread at a time: without its own lock
  // (SQLite's multi-thread mode), every call of the API costs no lock and
  // unlock, a fifth of the time when a count reads each of 245,000 rows.
  int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
  std::string name = path;
  if (mode == Mode::kReadWrite)
    flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (mode == Mode::kImmutable) {
    flags |= SQLITE_OPEN_URI;
    name = FileUri(path) + "?immutable=1";
  }
  const int code = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteFault(code, message);
  }
  sqlite3_busy_timeout(db_, busyWaitMs);
}

SqliteDatabase::~SqliteDatabase() {
  // A statement left unfinalised would keep the connection open.
  for (const auto& [sql, statement] : kept_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

void SqliteDatabase::Fail(int code) const { throw SqliteFault(code & 0xFF, sqlite3_errmsg(db_)); }

void SqliteDatabase::Execute(const char* sql) const {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Fail(code);
}

void SqliteDatabase::RollBack() const noexcept {
  if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool SqliteDatabase::ReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

std::int64_t SqliteDatabase::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

sqlite3_stmt* SqliteDatabase::TakeKept(const char* sql) const {
  const auto kept = kept_.find(sql);
  if (kept == kept_.end()) return nullptr;
  sqlite3_stmt* statement = kept->second;
  kept_.erase(kept);
  return statement;
}

void SqliteDatabase::Keep(sqlite3_stmt* statement) const {
  // The list's statements vary with its filter: a few dozen at most.
  constexpr std::size_t kMostKept = 64;
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  if (kept_.size() >= kMostKept || !kept_.emplace(sqlite3_sql(statement), statement).second) {
    sqlite3_finalize(statement);
  }
}

SqliteStatement::SqliteStatement(const SqliteDatabase& db, const char* sql) : db_(db) {
  statement_ = db.TakeKept(sql);
  if (statement_) return;
  const int code =
      sqlite3_prepare_v3(db.handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
  if (code != SQLITE_OK) db.Fail(code);
}

SqliteStatement::~SqliteStatement() {
  if (statement_) db_.Keep(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  const int code = sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
  if (code != SQLITE_OK) db_.Fail(code);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  const int code = sqlite3_bind_int64(statement_, index, value);
  if (code != SQLITE_OK) db_.Fail(code);
  return *this;
}

bool SqliteStatement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code != SQLITE_DONE) db_.Fail(code);
  return false;
}

void SqliteStatement::Run() {
  while (Step()) {
  }
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const { return std::string(TextView(column)); }

std::string_view SqliteStatement::TextView(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  if (!text) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
}

bool SqliteStatement::Null(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t QueryInteger(const SqliteDatabase& db, const char* sql) {
  SqliteStatement statement(db, sql);
  return statement.Step() ? statement.Integer(0) : 0;
}

}  // namespace vaticor
