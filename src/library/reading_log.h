#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_failure.h"

namespace vaticor {

// The reading log: one line per draw with its time, its signed card values
// and, for a draw made from the question window, the question; date lines
// ("[" + date + "]") separate the days. Kept in memory for the whole run and
// in the file "Vaticor.Log" of the current working directory between runs.

inline constexpr const char* kReadingLogFileName = "Vaticor.Log";

// A moment in local time.
struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 - 12
  int day = 0;    // 1 - 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalDateTime&) const = default;
};

// Where the log takes "now" from.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The user's formats for the log's dates and times.
class DateTimeFormat {
 public:
  virtual ~DateTimeFormat() = default;
  // The date of a date line: 10 characters, two-digit day and month and
  // four-digit year in the order the user's locale writes them.
  virtual std::string Date(const LocalDateTime& moment) const = 0;
  // The time of a reading line: hours, minutes and seconds in the user's
  // long time format.
  virtual std::string Time(const LocalDateTime& moment) const = 0;
};

// A clock that stands still at `now`, for tests and tools.
class FixedLocalClock : public LocalClock {
 public:
  explicit FixedLocalClock(LocalDateTime moment = {2024, 3, 14, 9, 30, 5}) : now(moment) {}
  LocalDateTime Now() const override { return now; }
  LocalDateTime now;
};

// Russian-style formats whatever the user's locale ("14.03.2024",
// "09:30:05"), for tests and tools.
class DayMonthYearFormat : public DateTimeFormat {
 public:
  std::string Date(const LocalDateTime& moment) const override;
  std::string Time(const LocalDateTime& moment) const override;
};

// A card token whose number is not a valid integer. what() is the message
// the user sees: "'<run>' is not a valid integer value".
class InvalidIntegerError : public UserFailure {
 public:
  explicit InvalidIntegerError(const std::string& text);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The log file could not be written; what() is "Unable to write to <file>".
class LogWriteError : public WriteFailure {
 public:
  using WriteFailure::WriteFailure;
};

// --- Lines ---

// A date line begins with "[".
bool IsDateLine(std::string_view line);
// A reading line is any other line that is not empty.
bool IsReadingLine(std::string_view line);

std::string MakeDateLine(std::string_view date);
// time + " " + "[A]" for one card, "[A] [B] [C]" for three.
std::string MakeReadingLine(std::string_view time, std::span<const int> cards);

// The card part of a reading line. Words are split as ExtractWord splits
// them with "[" starting a word and "-" belonging to words; card tokens are
// the words that begin with "[". The card part is the first card token and
// the card tokens directly after it that hold a card number. What follows
// is the question: brackets in a question neither add cards nor cut it.
struct CardPart {
  std::vector<std::string> tokens;  // the first three; empty when the line has none
  bool threeCards = false;          // the first card token is directly followed by another
  std::size_t end = 0;              // byte offset just after the card part
};
CardPart ParseCardPart(std::string_view line);

// The number of a card token: its first run of digits (a "-" directly
// before a digit included) as a decimal 32-bit integer; nothing when the run
// is missing or not a valid integer.
std::optional<std::int32_t> NumberOfCardToken(std::string_view token);
// The same, raising InvalidIntegerError naming the run (empty when there is
// none) when it is not a valid integer.
std::int32_t CardTokenValue(std::string_view token);

// The question of a reading line: the text after the card part and the one
// space that follows it; empty for a reading without a question; the whole
// line when it has no card token.
std::string ReadingQuestion(std::string_view line);

// Where a logged reading is put back.
class ReadingDisplay {
 public:
  virtual ~ReadingDisplay() = default;
  virtual void SetCardMode(bool threeCards) = 0;
  // slot 0 - 2; a negative value is a reversed card.
  virtual void ShowCard(int slot, std::int32_t value) = 0;
};

// Puts a reading line's cards on the display: first the mode (three cards
// when the first card token is directly followed by another), then the
// first three card tokens into slots 0, 1 and 2. A line without card tokens
// shows nothing. A first card token that holds no valid integer raises
// InvalidIntegerError after the mode is set.
void ShowReadingCards(std::string_view line, ReadingDisplay& display);

// --- The file ---

// A log file's text, returned as UTF-8 without a byte-order mark. A mark at
// the start decides for the whole file (UTF-8, UTF-16 LE or BE). Without
// one, each line is taken on its own: UTF-8 when it is valid UTF-8,
// Windows-1251 when it is not, so one stray byte spoils no other line.
// A Windows-1251 line of Russian text is practically never valid UTF-8:
// each letter would have to be followed by one to three characters from
// 0x80 - 0xBF (punctuation, "Ё", "ё" and letters of other alphabets).
std::string DecodeLogText(std::string_view bytes);
// The same, in the bytes' own buffer when the file is UTF-8 (the encoding
// the program writes): a log of tens of megabytes is then never held twice.
// Other encodings change the text's length and are decoded into a new one.
std::string DecodeLogBytes(std::string bytes);
// The lines of a text: CR LF, a lone CR or a lone LF ends a line; a last
// line without a line end counts too. The views point into the text.
std::vector<std::string_view> SplitLogLines(std::string_view text);
// Both of the above, as copies.
std::vector<std::string> DecodeLogLines(std::string_view bytes);
// The file's bytes for the lines: UTF-8 without a byte-order mark, every
// line ending in CR LF, whatever encoding the file was read in. UTF-8 holds
// every line as it was read: the lines read as UTF-8 keep their bytes, and
// those read as Windows-1251 are written as the same characters in UTF-8.
std::string EncodeLogLines(std::span<const std::string_view> lines);
std::string EncodeLogLines(std::span<const std::string> lines);

// The decoded text of the log file; empty when it is missing or unreadable.
// The file is read into one buffer of its size and decoded there (see
// DecodeLogBytes). Safe on any thread.
std::string ReadLogFileText(const std::string& path);
std::vector<std::string> ReadLogFile(const std::string& path);
// A log file's decoded text and its lines, pointing into it: the whole of
// reading the file, so that it can be done off the window's thread. The
// lines are made again wherever they no longer point into the text (a short
// text's characters move with it).
struct LogFileText {
  std::string text;
  std::vector<std::string_view> lines;
};
LogFileText ReadSplitLogFile(const std::string& path);
// Replaces the log file with the lines, through a temporary file beside it
// so that the old log survives a crash or a full disk. Raises LogWriteError.
void WriteLogFile(const std::string& path, std::span<const std::string_view> lines);
void WriteLogFile(const std::string& path, std::span<const std::string> lines);

// --- The log ---

// The lines read from the file stay in the one text they were read as; the
// lines added or changed since are kept one by one. A log of years of
// readings thus loads without a string per line.
class ReadingLog {
 public:
  ReadingLog(const LocalClock& clock, const DateTimeFormat& format)
      : clock_(&clock), format_(&format) {}
  ReadingLog(const ReadingLog&) = delete;
  ReadingLog& operator=(const ReadingLog&) = delete;

  const std::vector<std::string_view>& Lines() const { return lines_; }
  int Count() const { return static_cast<int>(lines_.size()); }
  // The line at an index; empty text outside the log.
  std::string_view Line(int index) const;

  // Replaces the log with the lines of a decoded file text.
  void LoadText(std::string text);
  void Load(std::span<const std::string> lines);
  void Clear();
  void Append(std::string line);

  // Today's date line when the log's last date line (empty lines and
  // reading lines skipped) is not today's, judged by the 10 characters after
  // its "["; nothing when it is.
  std::optional<std::string> MissingDateLine() const;
  // Appends MissingDateLine(), if any; true when a line was added (never
  // while loading: the line is queued).
  bool AddDateLine();
  // The reading line for the signed card values, at the current time.
  std::string ReadingLineNow(std::span<const int> cards) const;
  void AddReading(std::span<const int> cards) { Append(ReadingLineNow(cards)); }
  // line + " " + question. Line breaks in the question become blanks: they
  // would split the reading in the file.
  void AppendQuestion(int index, std::string_view question);

  // --- A file read on another thread ---
  // Between BeginLoading and FinishLoading the file's lines are not there
  // yet. Lines appended meanwhile (readings, date lines) wait in a queue
  // and go after the file's lines, as if the file had been read first: a
  // queued date line (AddDateLine) is kept only when the file does not
  // already end on that date. Until then Count() and Lines() hold no line,
  // AppendQuestion changes nothing and MissingDateLine is not to be asked.
  void BeginLoading();
  bool Loading() const { return loading_; }
  // The file's decoded text: its lines, then the queue. Ignored when the
  // log was replaced meanwhile (Clear, LoadText, Load end the loading).
  void FinishLoading(std::string text);
  void FinishLoading(LogFileText file);

 private:
  struct QueuedLine {
    std::string line;
    bool date = false;  // added only when the log does not end on its date
  };
  // The log's last date line (empty lines and reading lines skipped) is
  // for `date` (10 characters).
  bool EndsOnDate(std::string_view date) const;

  const LocalClock* clock_;
  const DateTimeFormat* format_;
  std::string text_;               // the text the loaded lines point into
  std::deque<std::string> added_;  // lines added or changed since (stable places)
  std::vector<std::string_view> lines_;
  bool loading_ = false;
  std::vector<QueuedLine> queued_;  // while loading
};

}  // namespace vaticor
