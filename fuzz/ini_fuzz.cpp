// Parses any bytes as an INI file, reads and lists it, writes into the parsed
// copy and checks that what was written reads back, all in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_document.h"
#include "core/text_encoding.h"

namespace {

using vaticor::IniDocument;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What a read of `value` gives after a write: broken UTF-8 repaired, line
// breaks turned to spaces, cut to the longest value a read returns.
std::string ExpectedRead(std::string_view value) {
  std::string text = vaticor::DecodeText("\xEF\xBB\xBF" + std::string(value)).utf8;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
  }
  std::size_t chars = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if ((static_cast<unsigned char>(out[i]) & 0xC0) != 0x80 &&
        chars++ == vaticor::kMaxIniValueLength) {
      out.resize(i);
      break;
    }
  }
  return out;
}

struct Entry {
  std::string section, key;
  std::optional<std::string> value;
};

// Up to a few dozen of the values the document holds now.
std::vector<Entry> Snapshot(const IniDocument& doc) {
  std::vector<Entry> entries;
  for (const std::string& section : doc.SectionNames()) {
    for (const std::string& key : doc.KeyNames(section)) {
      if (entries.size() == 48) return entries;
      entries.push_back({section, key, doc.Value(section, key)});
    }
  }
  return entries;
}

void WriteAndCheck(IniDocument& doc, const std::string& section, const std::string& key,
                   std::string_view value) {
  const std::size_t sectionsBefore = doc.SectionNames().size();
  const std::vector<Entry> before = Snapshot(doc);
  Check(doc.SetValue(section, key, value));  // names taken from a file are writable
  const std::string expected = ExpectedRead(value);
  Check(doc.Value(section, key) == expected);
  Check(doc.SectionNames().size() >= sectionsBefore);
  // Every other value reads as it did.
  for (const Entry& e : before) {
    const bool written =
        vaticor::EqualsIgnoreCase(e.section, section) && vaticor::EqualsIgnoreCase(e.key, key);
    if (!written) Check(doc.Value(e.section, e.key) == e.value);
  }
  // The bytes alone, parsed afresh, say the same.
  const IniDocument reread(doc.Bytes());
  Check(reread.Encoding() == doc.Encoding());
  Check(reread.Value(section, key) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  IniDocument doc(bytes);
  Check(doc.Bytes() == bytes);

  const std::vector<std::string> sections = doc.SectionNames();
  for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
    Check(vaticor::EqualsIgnoreCase(sections[i], vaticor::ToUpperText(sections[i])));
    const std::vector<std::string> keys = doc.KeyNames(sections[i]);
    // A name in another case finds the same section, and every key of it.
    Check(doc.KeyNames(vaticor::ToUpperText(sections[i])) == keys);
    std::vector<std::string_view> names;
    std::vector<std::optional<std::string>> alone;
    for (const std::string& key : keys) {
      const std::optional<std::string> value = doc.Value(sections[i], key);
      Check(value.has_value());
      Check(vaticor::IsValidUtf8(*value));
      Check(doc.Value(sections[i], vaticor::ToUpperText(key)) == value);
      (void)vaticor::ParseIniInteger(*value);
      names.push_back(key);
      alone.push_back(value);
    }
    // Several keys at once read as each alone.
    Check(doc.Values(sections[i], names) == alone);
  }

  // The value written is the input's tail, so it holds whatever bytes the
  // fuzzer chose.
  const std::string_view value = std::string_view(bytes).substr(size > 24 ? size - 24 : 0);
  // The same writes as one batch leave the same bytes as one by one.
  std::vector<vaticor::IniKeyWrite> batch;
  if (!sections.empty()) {
    const std::vector<std::string> keys = doc.KeyNames(sections.front());
    batch.push_back({sections.front(), keys.empty() ? "Key" : keys.front(), std::string(value)});
    batch.push_back({sections.back(), "Added Key", std::string(value)});
  }
  batch.push_back({"Новый раздел", "Ключ", std::string(value)});
  IniDocument together(bytes);
  Check(together.SetValues(batch));
  if (!sections.empty()) {
    const std::vector<std::string> keys = doc.KeyNames(sections.front());
    WriteAndCheck(doc, sections.front(), keys.empty() ? "Key" : keys.front(), value);
    WriteAndCheck(doc, sections.back(), "Added Key", value);
  }
  WriteAndCheck(doc, "Новый раздел", "Ключ", value);
  Check(together.Bytes() == doc.Bytes());
  return 0;
}
