#include "library/journal_import.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <optional>

#include "library/journal_record.h"

namespace vaticor {

namespace {

// The runs of ASCII digits of a text, as numbers; nothing for a run too
// long for an int.
std::optional<std::vector<int>> DigitRuns(std::string_view text) {
  std::vector<int> runs;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data() + i, text.data() + end, value);
    if (error != std::errc()) return std::nullopt;
    runs.push_back(value);
    i = end;
  }
  return runs;
}

// The text of a formatted time without its digits and separators: the
// morning or evening word, if the format writes one.
std::string DayPartWord(std::string text) {
  std::erase_if(text, [](char c) {
    return (c >= '0' && c <= '9') || c == ':' || c == '.' || c == ' ' || c == ',';
  });
  return text;
}

// What the user's formats write, learned from moments whose parts differ.
struct LogFormats {
  // Where day, month and year stand among a date's three numbers; none
  // when the format's date does not show the three apart.
  std::optional<std::array<int, 3>> dateOrder;  // index of day, month, year
  bool twelveHours = false;
  std::string morning;
  std::string evening;
};

LogFormats LearnFormats(const DateTimeFormat& format) {
  LogFormats learned;
  const std::string date = format.Date({2001, 12, 31, 0, 0, 0});
  const std::array<std::size_t, 3> at = {date.find("31"), date.find("12"), date.find("2001")};
  if (std::none_of(at.begin(), at.end(), [](std::size_t p) { return p == std::string::npos; })) {
    std::array<int, 3> order{};
    for (int part = 0; part < 3; ++part) {
      const auto index = static_cast<std::size_t>(part);
      order[index] = static_cast<int>(std::count_if(
          at.begin(), at.end(), [&](std::size_t other) { return other < at[index]; }));
    }
    learned.dateOrder = order;
  }
  const std::string evening = format.Time({2001, 12, 31, 13, 45, 56});
  learned.twelveHours = evening.find("13") == std::string::npos;
  learned.evening = DayPartWord(evening);
  learned.morning = DayPartWord(format.Time({2001, 12, 31, 1, 45, 56}));
  return learned;
}

struct Day {
  int year, month, day;
};

std::optional<Day> ReadDateLine(std::string_view line, const LogFormats& formats) {
  if (!formats.dateOrder) return std::nullopt;
  std::string_view date = line.substr(1);
  date = date.substr(0, date.find(']'));
  const auto runs = DigitRuns(date);
  if (!runs || runs->size() != 3) return std::nullopt;
  const auto part = [&](int which) {
    return (*runs)[static_cast<std::size_t>((*formats.dateOrder)[static_cast<std::size_t>(which)])];
  };
  Day day{part(2), part(1), part(0)};
  // A short date's two-digit year, as the system that wrote it means one
  // (its default window, 1930 to 2029): never the year 26 of our era.
  if (day.year < 100) day.year += day.year < 30 ? 2000 : 1900;
  if (day.year < 1 || day.year > 9999 || day.month < 1 || day.month > 12 || day.day < 1 ||
      day.day > 31) {
    return std::nullopt;
  }
  return day;
}

struct Time {
  int hour, minute, second;
};

std::optional<Time> ReadTime(std::string_view text, const LogFormats& formats) {
  const auto runs = DigitRuns(text);
  if (!runs || runs->size() != 3) return std::nullopt;
  Time time{(*runs)[0], (*runs)[1], (*runs)[2]};
  if (formats.twelveHours) {
    const bool evening = !formats.evening.empty() && text.find(formats.evening) != text.npos;
    const bool morning = !formats.morning.empty() && text.find(formats.morning) != text.npos;
    // Without its word a time of a twelve-hour format is either half of the day.
    if (evening == morning || time.hour < 1 || time.hour > 12) return std::nullopt;
    time.hour = time.hour % 12 + (evening ? 12 : 0);
  }
  if (time.hour > 23 || time.minute > 59 || time.second > 60) return std::nullopt;
  return time;
}

std::optional<std::vector<JournalPosition>> ReadCards(std::string_view line) {
  const CardPart part = ParseCardPart(line);
  const std::size_t count = part.threeCards ? 3 : 1;
  if (part.tokens.size() < count) return std::nullopt;
  std::vector<JournalPosition> positions;
  for (std::size_t i = 0; i < count; ++i) {
    const auto value = NumberOfCardToken(part.tokens[i]);
    if (!value || *value == INT32_MIN) return std::nullopt;
    JournalPosition position;
    position.number = static_cast<int>(i) + 1;
    position.card = *value < 0 ? -*value : *value;
    position.reversed = *value < 0;
    positions.push_back(position);
  }
  return positions;
}

}  // namespace

LogReadings ReadLogReadings(std::span<const std::string_view> lines, const DateTimeFormat& format) {
  const LogFormats formats = LearnFormats(format);
  LogReadings readings;
  std::optional<Day> day;
  for (const std::string_view line : lines) {
    if (IsDateLine(line)) {
      day = ReadDateLine(line, formats);
      continue;
    }
    if (!IsReadingLine(line)) continue;
    const std::size_t cardsAt = line.find('[');
    const auto time = ReadTime(line.substr(0, cardsAt), formats);
    auto positions = ReadCards(line);
    if (!day || !time || !positions) {
      ++readings.unreadable;
      continue;
    }
    JournalEntry entry;
    entry.moment =
        JournalMoment(day->year, day->month, day->day, time->hour, time->minute, time->second);
    entry.kind = JournalKind::kDraw;
    entry.question = ReadingQuestion(line);
    entry.positions = std::move(*positions);
    readings.entries.push_back(std::move(entry));
  }
  return readings;
}

int ImportReadingLog(JournalStore& store, std::span<const std::string_view> lines,
                     const DateTimeFormat& format, TTaroDecks* names) {
  if (store.LogImported()) return 0;
  LogReadings readings = ReadLogReadings(lines, format);
  if (names) NameJournalCards(readings.entries, *names);
  store.AddImported(readings.entries);
  return readings.unreadable;
}

}  // namespace vaticor
