#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "library/journal.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vaticor {

// A thin hold on SQLite for the journal: a connection and its statements,
// every failure raised as SqliteFault with SQLite's result code.

// A SQLite failure (a JournalFault, as a read meets it); the journal turns
// one met while writing into WriteFailure.
class SqliteFault : public JournalFault {
 public:
  SqliteFault(int code, const std::string& message) : JournalFault(message), code_(code) {}
  int code() const { return code_; }  // the primary result code (SQLITE_NOTADB, ...)

 private:
  int code_;
};

// One connection, to be used from one thread at a time (it takes no lock
// of its own). Opening does not read the file: a file that is no
// database is found at the first statement (SQLITE_NOTADB).
class SqliteDatabase {
 public:
  enum class Mode {
    kReadWrite,  // making the file when missing; read-only when it cannot be written
    kReadOnly,
    // Read-only, taking the file for one nobody changes: no locks, no
    // shared-memory file (for a file in a folder that cannot be written).
    kImmutable,
  };
  // A write waits up to `busyWaitMs` for another connection's write to end.
  SqliteDatabase(const std::string& path, Mode mode, int busyWaitMs);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  sqlite3* handle() const { return db_; }
  // Raises SqliteFault with the connection's last message.
  [[noreturn]] void Fail(int code) const;
  // Runs statements that return nothing of interest.
  void Execute(const char* sql) const;
  // Undoes the open transaction, if any; never raises.
  void RollBack() const noexcept;
  // True when the file can only be read.
  bool ReadOnly() const;
  std::int64_t LastInsertId() const;

 private:
  friend class SqliteStatement;
  // A statement of this text prepared before and now unused, taken out of
  // the kept ones; null when there is none.
  sqlite3_stmt* TakeKept(const char* sql) const;
  // Keeps a statement done with (reset: it holds no read of the file) for
  // the next use of its text, or finalises it when one is kept already.
  void Keep(sqlite3_stmt* statement) const;

  sqlite3* db_ = nullptr;
  // Preparing costs as much as running a short statement: reading a page
  // of the list runs the same few hundreds of times.
  mutable std::unordered_map<std::string, sqlite3_stmt*> kept_;
};

// A prepared statement of a connection: prepared once per text and
// connection, and kept by the connection between uses.
class SqliteStatement {
 public:
  SqliteStatement(const SqliteDatabase& db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters count from 1. Text is bound as UTF-8, any length SQLite
  // takes (a value over its limit, 1 000 000 000 bytes, raises).
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& Bind(int index, std::int64_t value);
  // The next row: true while there is one.
  bool Step();
  // Runs a statement that returns no row and makes it ready to run again.
  void Run();
  // Columns count from 0.
  std::int64_t Integer(int column) const;
  std::string Text(int column) const;
  // The text without a copy: valid until the next Step.
  std::string_view TextView(int column) const;
  bool Null(int column) const;

 private:
  const SqliteDatabase& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// The first column of the first row; 0 when there is none.
std::int64_t QueryInteger(const SqliteDatabase& db, const char* sql);

}  // namespace vaticor
