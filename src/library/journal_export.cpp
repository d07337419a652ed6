#include "library/journal_export.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "core/file_io.h"
#include "core/ini_names.h"
#include "core/text_encoding.h"
#include "core/user_failure.h"

namespace vaticor {

namespace {

// The text as valid UTF-8: itself, or a repaired copy kept in `repaired`.
std::string_view ValidText(std::string_view text, std::string& repaired) {
  if (IsValidUtf8(text)) return text;
  repaired = ini::RepairUtf8(text);
  return repaired;
}

// ---------------------------------------------------------------------------
// JSON

void AppendJsonString(std::string& out, std::string_view given) {
  std::string repaired;
  const std::string_view text = ValidText(given, repaired);
  out += '"';
  std::size_t copied = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const auto next = [&](std::size_t i) {
      return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    char escape[8] = {};
    std::size_t length = 1;  // the bytes the escape stands for
    if (c == '"' || c == '\\') {
      escape[0] = '\\';
      escape[1] = static_cast<char>(c);
    } else if (c == '\n' || c == '\t' || c == '\r' || c == '\b' || c == '\f') {
      escape[0] = '\\';
      escape[1] = c == '\n' ? 'n' : c == '\t' ? 't' : c == '\r' ? 'r' : c == '\b' ? 'b' : 'f';
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
    } else if (c == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {
      // The C1 control characters, U+0080-U+009F.
      std::snprintf(escape, sizeof escape, "\\u%04x", next(1));
      length = 2;
    } else if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {
      std::snprintf(escape, sizeof escape, "\\u%04x", 0x2000 + (next(2) - 0x80));
      length = 3;
    } else {
      continue;
    }
    out.append(text, copied, at - copied);
    out += escape;
    at += length - 1;
    copied = at + 1;
  }
  out.append(text, copied);
  out += '"';
}

void AppendJsonKey(std::string& out, const char* key) {
  out += '"';
  out += key;
  out += "\":";
}

void AppendJsonText(std::string& out, const char* key, std::string_view text) {
  AppendJsonKey(out, key);
  AppendJsonString(out, text);
}

void AppendJsonNumber(std::string& out, const char* key, std::int64_t value) {
  AppendJsonKey(out, key);
  out += std::to_string(value);
}

// ---------------------------------------------------------------------------
// CSV

bool NeedsFormulaGuard(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

void AppendCsvField(std::string& out, std::string_view given) {
  std::string repaired;
  const std::string_view text = ValidText(given, repaired);
  const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (quoted) out += '"';
  if (NeedsFormulaGuard(text)) out += '\'';
  if (!quoted) {
    out += text;
  } else {
    std::size_t copied = 0;
    for (std::size_t quote = text.find('"'); quote != std::string_view::npos;
         quote = text.find('"', quote + 1)) {
      out.append(text, copied, quote + 1 - copied);
      out += '"';
      copied = quote + 1;
    }
    out.append(text, copied);
    out += '"';
  }
}

// An entry's kind as a word; a kind written by a later version (read as a
// draw) is a draw here too.
const std::string& KindWord(JournalKind kind, const std::string& draw, const std::string& spread,
                            const std::string& dayCard) {
  switch (kind) {
    case JournalKind::kSpread:
      return spread;
    case JournalKind::kDayCard:
      return dayCard;
    case JournalKind::kDraw:
      break;
  }
  return draw;
}

std::string CardsCell(const JournalEntry& entry, const JournalCsvWords& words) {
  std::string cell;
  for (const JournalPosition& position : entry.positions) {
    if (!cell.empty()) cell += "; ";
    cell += std::to_string(position.number) + ". ";
    cell +=
        position.cardName.empty() ? "[" + std::to_string(position.card) + "]" : position.cardName;
    if (position.reversed) cell += " (" + words.reversed + ")";
  }
  return cell;
}

std::string FollowUpsCell(const JournalEntry& entry) {
  std::string cell;
  for (const JournalFollowUp& followUp : entry.followUps) {
    if (!cell.empty()) cell += '\n';
    cell += followUp.moment + " " + followUp.text;
  }
  return cell;
}

std::string TagsCell(const JournalEntry& entry) {
  std::string cell;
  for (const std::string& tag : entry.tags) {
    if (!cell.empty()) cell += ", ";
    cell += tag;
  }
  return cell;
}

}  // namespace

std::string CsvTable(const std::vector<std::vector<std::string>>& rows) {
  std::string out(ini::kUtf8Bom);
  for (const std::vector<std::string>& row : rows) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0) out += ',';
      AppendCsvField(out, row[column]);
    }
    out += "\r\n";
  }
  return out;
}

JournalExportWriter::JournalExportWriter(JournalExportFormat format, std::string& out,
                                         JournalCsvWords words)
    : format_(format), out_(out), words_(std::move(words)) {
  if (format_ == JournalExportFormat::kJson) {
    out_ += "{";
    AppendJsonText(out_, "format", kJournalJsonFormat);
    out_ += ',';
    AppendJsonNumber(out_, "version", kJournalJsonVersion);
    out_ += ",\"entries\":[";
    return;
  }
  out_ += ini::kUtf8Bom;
  for (std::size_t column = 0; column < words_.header.size(); ++column) {
    if (column > 0) out_ += ',';
    AppendCsvField(out_, words_.header[column]);
  }
  out_ += "\r\n";
}

void JournalExportWriter::Add(std::span<const JournalEntry> entries) {
  for (const JournalEntry& entry : entries) {
    if (format_ == JournalExportFormat::kJson) {
      AddJson(entry);
    } else {
      AddCsv(entry);
    }
    ++written_;
  }
}

void JournalExportWriter::AddReaderMeanings(std::span<const ReaderMeaning> meanings) {
  if (format_ != JournalExportFormat::kJson || meanings_) return;
  meanings_ = true;
  out_ += written_ > 0 ? "\n],\n\"readerMeanings\":[" : "],\n\"readerMeanings\":[";
  for (std::size_t i = 0; i < meanings.size(); ++i) {
    const ReaderMeaning& meaning = meanings[i];
    out_ += i > 0 ? ",\n{" : "\n{";
    AppendJsonNumber(out_, "identity", meaning.identity);
    out_ += ',';
    AppendJsonText(out_, "uprightKeywords", meaning.uprightKeywords);
    out_ += ',';
    AppendJsonText(out_, "uprightNotes", meaning.uprightNotes);
    out_ += ',';
    AppendJsonText(out_, "reversedKeywords", meaning.reversedKeywords);
    out_ += ',';
    AppendJsonText(out_, "reversedNotes", meaning.reversedNotes);
    out_ += '}';
  }
  out_ += meanings.empty() ? "]" : "\n]";
}

void JournalExportWriter::Finish() {
  if (format_ != JournalExportFormat::kJson) return;
  if (meanings_) {
    out_ += "}\n";
  } else {
    out_ += written_ > 0 ? "\n]}\n" : "]}\n";
  }
}

void JournalExportWriter::AddJson(const JournalEntry& entry) {
  out_ += written_ > 0 ? ",\n{" : "\n{";
  AppendJsonNumber(out_, "id", entry.id);
  out_ += ',';
  AppendJsonText(out_, "moment", entry.moment);
  out_ += ',';
  AppendJsonText(out_, "kind", KindWord(entry.kind, "draw", "spread", "dayCard"));
  out_ += ',';
  AppendJsonText(out_, "question", entry.question);
  out_ += ',';
  AppendJsonText(out_, "spreadFile", entry.spreadFile);
  out_ += ',';
  AppendJsonText(out_, "spreadTable", entry.spreadTable);
  out_ += ',';
  AppendJsonText(out_, "deckFolder", entry.deckFolder);
  out_ += ',';
  AppendJsonText(out_, "descriptionFolder", entry.descriptionFolder);
  out_ += ",\"positions\":[";
  for (std::size_t i = 0; i < entry.positions.size(); ++i) {
    const JournalPosition& position = entry.positions[i];
    out_ += i > 0 ? ",{" : "{";
    AppendJsonNumber(out_, "number", position.number);
    out_ += ',';
    AppendJsonText(out_, "meaning", position.meaning);
    out_ += ',';
    AppendJsonNumber(out_, "card", position.card);
    out_ += ',';
    AppendJsonText(out_, "cardName", position.cardName);
    out_ += position.reversed ? ",\"reversed\":true}" : ",\"reversed\":false}";
  }
  out_ += "],";
  AppendJsonText(out_, "notes", entry.notes);
  out_ += ",\"followUps\":[";
  for (std::size_t i = 0; i < entry.followUps.size(); ++i) {
    out_ += i > 0 ? ",{" : "{";
    AppendJsonText(out_, "moment", entry.followUps[i].moment);
    out_ += ',';
    AppendJsonText(out_, "text", entry.followUps[i].text);
    out_ += '}';
  }
  out_ += "],\"tags\":[";
  for (std::size_t i = 0; i < entry.tags.size(); ++i) {
    if (i > 0) out_ += ',';
    AppendJsonString(out_, entry.tags[i]);
  }
  out_ += entry.physical ? "],\"physical\":true}" : "],\"physical\":false}";
}

void JournalExportWriter::AddCsv(const JournalEntry& entry) {
  out_ += std::to_string(entry.id);
  const std::string fields[] = {
      entry.moment,
      entry.physical ? KindWord(entry.kind, words_.draw, words_.spread, words_.dayCard) + " (" +
                           words_.physical + ")"
                     : KindWord(entry.kind, words_.draw, words_.spread, words_.dayCard),
      entry.question,
      entry.spreadFile,
      entry.deckFolder,
      entry.descriptionFolder,
      CardsCell(entry, words_),
      entry.notes,
      FollowUpsCell(entry),
      TagsCell(entry),
  };
  static_assert(std::size(fields) + 1 == kJournalCsvColumns);
  for (const std::string& field : fields) {
    out_ += ',';
    AppendCsvField(out_, field);
  }
  out_ += "\r\n";
}

std::size_t ExportJournal(const JournalStore& store, const JournalFilter& filter,
                          JournalExportFormat format, const std::string& path,
                          const JournalCsvWords& words) {
  std::string part;
  JournalExportWriter writer(format, part, words);
  std::size_t offset = 0;
  bool first = true;
  bool ended = false;
  // The head is in `part` before the first call; then each call gives a
  // page, the last with the end, and an empty part once all is given.
  const auto nextPart = [&]() -> std::string_view {
    if (!std::exchange(first, false)) part.clear();
    if (ended) return {};
    const std::vector<JournalEntry> page = store.List(filter, offset, kJournalExportPage);
    writer.Add(page);
    offset += page.size();
    if (page.size() < kJournalExportPage) {
      const std::vector<ReaderMeaning> meanings = store.ReaderMeanings();
      writer.AddReaderMeanings(meanings);
      writer.Finish();
      ended = true;
    }
    return part;
  };
  if (!WriteFileAtomically(path, nextPart)) throw WriteFailure(path);
  return writer.Written();
}

}  // namespace vaticor
