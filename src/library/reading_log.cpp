#include "library/reading_log.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>

#include "core/file_io.h"
#include "core/text_encoding.h"
#include "core/text_utils.h"

namespace vaticor {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kDateLength = 10;

// Up to `count` characters (not bytes) of UTF-8 text from its start.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && characters++ == count) return text.substr(0, i);
  }
  return text;
}

// Text without a byte-order mark, line by line: a line that is valid UTF-8
// is UTF-8 and any other is Windows-1251, so that one stray byte (say, from
// a line added by an older program) changes only the line that holds it.
// CR and LF are the same bytes in both encodings and never part of a UTF-8
// sequence, so the lines are found in the bytes; the line ends are kept.
std::string DecodeEachLine(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = bytes.substr(0, end);
    if (IsValidUtf8(line)) {
      text += line;
    } else {
      text += Windows1251ToUtf8(line);
    }
    const std::size_t next = std::min(end + 1, bytes.size());
    text += bytes.substr(end, next - end);
    bytes.remove_prefix(next);
  }
  return text;
}

}  // namespace

InvalidIntegerError::InvalidIntegerError(const std::string& text)
    : UserFailure(Kind::kInvalidInteger, text, "'" + text + "' is not a valid integer value"),
      text_(text) {}

// ---------------------------------------------------------------------------
// Lines

bool IsDateLine(std::string_view line) { return !line.empty() && line.front() == '['; }

bool IsReadingLine(std::string_view line) { return !line.empty() && line.front() != '['; }

std::string MakeDateLine(std::string_view date) {
  std::string line = "[";
  line += date;
  line += ']';
  return line;
}

std::string MakeReadingLine(std::string_view time, std::span<const int> cards) {
  std::string line(time);
  line += ' ';
  for (std::size_t i = 0; i < cards.size(); ++i) {
    if (i > 0) line += ' ';
    line += '[';
    line += std::to_string(cards[i]);
    line += ']';
  }
  return line;
}

CardPart ParseCardPart(std::string_view line) {
  CardPart part;
  int cardTokens = 0;
  std::int32_t position = 1;
  for (;;) {
    const std::string word = ExtractWord(line, position, "[", "", "-");
    if (word.empty()) break;
    const bool card = word.front() == '[';
    // The first card token starts the card part whatever it holds; a later
    // one belongs to it only when it holds a card number, so that a question
    // beginning with a bracketed word stays a question.
    if (cardTokens > 0 && !(card && NumberOfCardToken(word))) break;
    if (!card) continue;
    ++cardTokens;
    if (part.tokens.size() < 3) part.tokens.push_back(word);
    // `position` is the 1-based position just after the word.
    part.end = static_cast<std::size_t>(position - 1);
  }
  part.threeCards = cardTokens > 1;
  return part;
}

std::optional<std::int32_t> NumberOfCardToken(std::string_view token) {
  std::int32_t position = 0;
  const std::string run = ExtractNumber(token, position);
  std::int32_t value = 0;
  const char* end = run.data() + run.size();
  const auto [stop, error] = std::from_chars(run.data(), end, value);
  if (run.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::int32_t CardTokenValue(std::string_view token) {
  if (std::optional<std::int32_t> value = NumberOfCardToken(token)) return *value;
  std::int32_t position = 0;
  throw InvalidIntegerError(ExtractNumber(token, position));
}

std::string ReadingQuestion(std::string_view line) {
  const CardPart part = ParseCardPart(line);
  if (part.tokens.empty()) return std::string(line);
  // The card part is followed by one blank (or the line ends).
  const std::size_t start = part.end + 1;
  if (start >= line.size()) return {};
  return std::string(line.substr(start));
}

void ShowReadingCards(std::string_view line, ReadingDisplay& display) {
  const CardPart part = ParseCardPart(line);
  if (part.tokens.empty()) return;
  display.SetCardMode(part.threeCards);
  for (std::size_t slot = 0; slot < part.tokens.size(); ++slot) {
    display.ShowCard(static_cast<int>(slot), CardTokenValue(part.tokens[slot]));
  }
}

// ---------------------------------------------------------------------------
// The file

std::string DecodeLogText(std::string_view bytes) {
  const bool marked = bytes.starts_with(kByteOrderMark) || bytes.starts_with("\xFF\xFE") ||
                      bytes.starts_with("\xFE\xFF");
  std::string text = marked || IsValidUtf8(bytes) ? DecodeText(bytes).utf8 : DecodeEachLine(bytes);
  // A second mark after the first says nothing either.
  std::size_t marks = 0;
  while (std::string_view(text).substr(marks).starts_with(kByteOrderMark)) {
    marks += kByteOrderMark.size();
  }
  text.erase(0, marks);
  return text;
}

std::string DecodeLogBytes(std::string bytes) {
  const bool otherMark = std::string_view(bytes).starts_with("\xFF\xFE") ||
                         std::string_view(bytes).starts_with("\xFE\xFF");
  if (otherMark || !IsValidUtf8(bytes)) return DecodeLogText(bytes);
  // UTF-8 with or without marks, which (however many) say nothing more.
  std::size_t marks = 0;
  while (std::string_view(bytes).substr(marks).starts_with(kByteOrderMark)) {
    marks += kByteOrderMark.size();
  }
  bytes.erase(0, marks);
  return bytes;
}

std::vector<std::string_view> SplitLogLines(std::string_view text) {
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                         std::count(text.begin(), text.end(), '\r') + 1));
  const char* const end = text.data() + text.size();
  const char* start = text.data();
  for (const char* p = start; p < end; ++p) {
    if (*p != '\r' && *p != '\n') continue;
    lines.emplace_back(start, static_cast<std::size_t>(p - start));
    if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
    start = p + 1;
  }
  if (start < end) lines.emplace_back(start, static_cast<std::size_t>(end - start));
  return lines;
}

std::vector<std::string> DecodeLogLines(std::string_view bytes) {
  const std::string text = DecodeLogText(bytes);
  const std::vector<std::string_view> views = SplitLogLines(text);
  return {views.begin(), views.end()};
}

std::string EncodeLogLines(std::span<const std::string_view> lines) {
  std::size_t size = 0;
  for (std::string_view line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return EncodeText(text, TextEncoding::Utf8);
}

std::string EncodeLogLines(std::span<const std::string> lines) {
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  return EncodeLogLines(std::span<const std::string_view>(views));
}

std::string ReadLogFileText(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  return bytes ? DecodeLogBytes(std::move(*bytes)) : std::string();
}

std::vector<std::string> ReadLogFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return {};
  return DecodeLogLines(*bytes);
}

LogFileText ReadSplitLogFile(const std::string& path) {
  LogFileText file;
  file.text = ReadLogFileText(path);
  file.lines = SplitLogLines(file.text);
  return file;
}

void WriteLogFile(const std::string& path, std::span<const std::string_view> lines) {
  if (!WriteFileAtomically(path, EncodeLogLines(lines))) throw LogWriteError(path);
}

void WriteLogFile(const std::string& path, std::span<const std::string> lines) {
  if (!WriteFileAtomically(path, EncodeLogLines(lines))) throw LogWriteError(path);
}

// ---------------------------------------------------------------------------
// The log

std::string_view ReadingLog::Line(int index) const {
  if (index < 0 || index >= Count()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void ReadingLog::BeginLoading() {
  Clear();
  loading_ = true;
}

void ReadingLog::FinishLoading(std::string text) {
  LogFileText file;
  file.text = std::move(text);
  FinishLoading(std::move(file));
}

void ReadingLog::FinishLoading(LogFileText file) {
  if (!loading_) return;
  std::vector<QueuedLine> queued = std::move(queued_);
  Clear();
  text_ = std::move(file.text);
  // The lines are in order: the first and the last tell whether they all
  // point into the text.
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  const std::less_equal<const char*> notAfter;
  const bool inside = file.lines.empty()
                          ? text_.empty()
                          : notAfter(begin, file.lines.front().data()) &&
                                notAfter(file.lines.back().data() + file.lines.back().size(), end);
  lines_ = inside ? std::move(file.lines) : SplitLogLines(text_);
  for (QueuedLine& entry : queued) {
    if (entry.date &&
        EndsOnDate(FirstCharacters(std::string_view(entry.line).substr(1), kDateLength))) {
      continue;
    }
    Append(std::move(entry.line));
  }
}

void ReadingLog::LoadText(std::string text) {
  Clear();
  text_ = std::move(text);
  lines_ = SplitLogLines(text_);
}

void ReadingLog::Load(std::span<const std::string> lines) {
  Clear();
  for (const std::string& line : lines) Append(line);
}

void ReadingLog::Clear() {
  loading_ = false;
  queued_.clear();
  lines_.clear();
  added_.clear();
  text_.clear();
  text_.shrink_to_fit();
}

void ReadingLog::Append(std::string line) {
  if (loading_) {
    queued_.push_back({std::move(line)});
    return;
  }
  lines_.push_back(added_.emplace_back(std::move(line)));
}

bool ReadingLog::EndsOnDate(std::string_view date) const {
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (IsDateLine(*line)) return FirstCharacters(line->substr(1), kDateLength) == date;
  }
  return false;
}

std::optional<std::string> ReadingLog::MissingDateLine() const {
  const std::string today = format_->Date(clock_->Now());
  if (EndsOnDate(today)) return std::nullopt;
  return MakeDateLine(today);
}

bool ReadingLog::AddDateLine() {
  if (loading_) {
    // Today as it is now, not when the file arrives (a run started just
    // before midnight); whether it is missing is known only then.
    queued_.push_back({MakeDateLine(format_->Date(clock_->Now())), true});
    return false;
  }
  std::optional<std::string> line = MissingDateLine();
  if (!line) return false;
  Append(std::move(*line));
  return true;
}

std::string ReadingLog::ReadingLineNow(std::span<const int> cards) const {
  return MakeReadingLine(format_->Time(clock_->Now()), cards);
}

void ReadingLog::AppendQuestion(int index, std::string_view question) {
  if (index < 0 || index >= Count()) return;
  std::string_view& place = lines_[static_cast<std::size_t>(index)];
  std::string line(place);
  line += ' ';
  for (std::size_t i = 0; i < question.size(); ++i) {
    const char c = question[i];
    if (c == '\r' && i + 1 < question.size() && question[i + 1] == '\n') continue;
    line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  place = added_.emplace_back(std::move(line));
}

std::string DayMonthYearFormat::Date(const LocalDateTime& m) const {
  char text[48];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", m.day, m.month, m.year);
  return text;
}

std::string DayMonthYearFormat::Time(const LocalDateTime& m) const {
  char text[48];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", m.hour, m.minute, m.second);
  return text;
}

}  // namespace vaticor
