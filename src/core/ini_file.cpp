#include "core/ini_file.h"

#include <chrono>

#include "core/ini_document.h"

namespace vaticor {
namespace {

// File systems stamp modification times coarsely (a kernel tick on most, two
// seconds on FAT), so two changes of the same size within one stamp leave the
// same identity. A file changed this recently is compared byte by byte.
constexpr std::int64_t kTimestampSlackNs = 2'000'000'000;

bool IdentityIsSettled(const FileIdentity& id) {
  if (!id.exists) return true;
  const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
  // A time stamp well in the future (say, from an unpacked archive) cannot be
  // the stamp of a change made now, which would bear the present time.
  return id.modified <= now - kTimestampSlackNs || id.modified > now + kTimestampSlackNs;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

std::shared_ptr<const IniDocument> IniFile::Document() const {
  std::lock_guard<std::mutex> hold(lock_.mutex);
  return Load(false);
}

std::shared_ptr<const IniDocument> IniFile::Load(bool forWrite) const {
  const FileIdentity id = IdentifyFile(path_);
  if (cached_ && id == cachedIdentity_ && cacheSettled_) return cached_;
  if (!id.exists) {
    // Missing, or not a regular file: reads as empty (and a write to
    // something that is not a file fails when it renames over it).
    cached_ = std::make_shared<const IniDocument>();
    cachedIdentity_ = id;
    cacheSettled_ = true;
    return cached_;
  }
  std::optional<std::string> bytes = ReadFileBytes(path_);
  if (!bytes) {
    // Writing now would replace a file whose content is unknown.
    if (forWrite) throw IniWriteError(path_);
    cached_.reset();
    return std::make_shared<const IniDocument>();
  }
  if (!cached_ || id != cachedIdentity_ || cached_->Bytes() != *bytes) {
    cached_ = std::make_shared<const IniDocument>(std::move(*bytes));
  }
  // The identity is the one seen before reading: a change during the read
  // shows as a different identity at the next lookup.
  cachedIdentity_ = id;
  cacheSettled_ = IdentityIsSettled(id);
  return cached_;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  std::optional<std::string> value = Document()->Value(section, key);
  return value ? std::move(*value) : std::string(def);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t def) const {
  const std::optional<std::string> value = Document()->Value(section, key);
  if (!value) return def;
  return ParseIniInteger(*value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniWriteBatch::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  writes_.push_back(IniKeyWrite{std::string(section), std::string(key), std::string(value)});
}

void IniWriteBatch::WriteInteger(std::string_view section, std::string_view key,
                                 std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniWriteBatch::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::Write(const IniWriteBatch& batch) {
  if (batch.empty()) return;
  std::lock_guard<std::mutex> hold(lock_.mutex);
  if (path_.empty()) throw IniWriteError(path_);
  const std::shared_ptr<const IniDocument> current = Load(true);
  auto changed = std::make_shared<IniDocument>(*current);
  if (!changed->SetValues(batch.writes_)) throw IniWriteError(path_);
  // Rewriting a file with the bytes it already holds would change nothing.
  if (cachedIdentity_.exists && changed->Bytes() == current->Bytes()) return;
  if (!WriteFileAtomically(path_, changed->Bytes())) throw IniWriteError(path_);
  cached_ = std::move(changed);
  cachedIdentity_ = IdentifyFile(path_);
  cacheSettled_ = IdentityIsSettled(cachedIdentity_);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  IniWriteBatch one;
  one.WriteString(section, key, value);
  Write(one);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  IniWriteBatch one;
  one.WriteInteger(section, key, value);
  Write(one);
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  IniWriteBatch one;
  one.WriteBool(section, key, value);
  Write(one);
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  return Document()->KeyNames(section);
}

std::vector<std::string> IniFile::ReadSections() const { return Document()->SectionNames(); }

}  // namespace vaticor
