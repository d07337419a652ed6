#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "core/user_failure.h"

namespace vaticor {

// Raised when a write cannot reach the disk; the message is the one the
// user sees: "Unable to write to <file>".
class IniWriteError : public WriteFailure {
 public:
  using WriteFailure::WriteFailure;
};

// Writes gathered to reach an IniFile together (IniFile::Write): each call
// stands for the IniFile call of the same name, in the order made.
class IniWriteBatch {
 public:
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  bool empty() const { return writes_.empty(); }
  const std::vector<IniKeyWrite>& Writes() const { return writes_; }

 private:
  friend class IniFile;
  std::vector<IniKeyWrite> writes_;
};

// One INI file on disk, read and written key by key with the rules of the
// Windows private-profile functions the program's files were made for.
//
// Every read sees the file as it is on disk now; the parsed copy is kept and
// reused for as long as the file's identity (path, size, modification time)
// does not change, so a burst of lookups parses the file once.
// Every write goes to disk at once, through a temporary file renamed over
// the old one, and keeps the file's encoding and line ends; a batch of
// writes goes to disk as one.
class IniFile {
 public:
  // An empty path is a file that never exists: reads give their defaults and
  // writes raise IniWriteError.
  explicit IniFile(std::string path = {});
  ~IniFile();
  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  const std::string& FileName() const { return path_; }

  // The value trimmed of blanks and of one matching outer pair of quotes,
  // at most 2,047 characters; `def` when the file, section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Decimal, or hexadecimal after "0x"/"0X" (when longer than two
  // characters) or "$"; anything that is not wholly a number gives `def`.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
  // An integer read with default 1 or 0; any value but 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Makes the batch's writes in order and puts the result on disk with one
  // replacement, so that a crash leaves the old file or the new one, never
  // some keys of each. The bytes are those the same writes one by one would
  // leave. Raises IniWriteError, writing nothing, when the file cannot be
  // written or a key of the batch would be refused. An empty batch, or one
  // that leaves an existing file's bytes as they are, writes nothing.
  void Write(const IniWriteBatch& batch);

  // Key names of the first section of that name, in file order (duplicates
  // included).
  std::vector<std::string> ReadSection(std::string_view section) const;
  // All section names in file order (duplicates included).
  std::vector<std::string> ReadSections() const;
  // The file as it is now, parsed, for a burst of reads that should look at
  // the disk once and agree with each other; it does not follow later
  // changes. Reading a value from it is what ReadString does.
  std::shared_ptr<const IniDocument> Snapshot() const { return Document(); }

 private:
  // A mutex that a moved IniFile does not take along: each object has its own.
  struct CacheLock {
    std::mutex mutex;
    CacheLock() = default;
    CacheLock(CacheLock&&) noexcept {}
    CacheLock& operator=(CacheLock&&) noexcept { return *this; }
  };

  std::shared_ptr<const IniDocument> Document() const;
  // The document as the file is now; with `forWrite`, a file that exists but
  // cannot be read raises IniWriteError instead of reading as empty. The
  // caller holds lock_.
  std::shared_ptr<const IniDocument> Load(bool forWrite) const;

  std::string path_;
  mutable CacheLock lock_;
  mutable std::shared_ptr<const IniDocument> cached_;
  mutable FileIdentity cachedIdentity_;
  // False while the file's modification time is too recent to tell a later
  // change of the same size apart; the bytes are then compared on each read.
  mutable bool cacheSettled_ = false;
};

}  // namespace vaticor
