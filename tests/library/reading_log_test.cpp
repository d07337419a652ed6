#include "library/reading_log.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::ReadAll;
using testing::TempDir;

// Records what a reading puts on the table.
class RecordingDisplay : public ReadingDisplay {
 public:
  void SetCardMode(bool three) override { modes.push_back(three); }
  void ShowCard(int slot, std::int32_t value) override { cards.push_back({slot, value}); }
  std::vector<bool> modes;
  std::vector<std::pair<int, std::int32_t>> cards;
};

RecordingDisplay Show(std::string_view line) {
  RecordingDisplay display;
  ShowReadingCards(line, display);
  return display;
}

std::string ErrorOf(std::string_view line) {
  RecordingDisplay display;
  try {
    ShowReadingCards(line, display);
  } catch (const InvalidIntegerError& error) {
    return error.what();
  }
  return "no error";
}

using Cards = std::vector<std::pair<int, std::int32_t>>;
using Lines = std::vector<std::string>;

Lines Texts(const ReadingLog& log) { return {log.Lines().begin(), log.Lines().end()}; }

// --- Forming lines ---

TEST(ReadingLogLines, ReadingLinesCarryTheTimeAndTheSignedCards) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.AddReading(std::vector<int>{14});
  log.AddReading(std::vector<int>{3, -17, 0});
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.Line(0), "09:30:05 [14]");
  EXPECT_EQ(log.Line(1), "09:30:05 [3] [-17] [0]");
  EXPECT_EQ(log.Line(2), "");
  EXPECT_EQ(log.Line(-1), "");
}

TEST(ReadingLogLines, AQuestionIsAppendedAsTypedAndLineBreaksBecomeBlanks) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.AddReading(std::vector<int>{1});
  log.AddReading(std::vector<int>{2});
  log.AddReading(std::vector<int>{3});
  log.AppendQuestion(0, "Что меня ждёт?");
  log.AppendQuestion(1, "");
  log.AppendQuestion(2, "one\r\ntwo\nthree\r");
  log.AppendQuestion(7, "nowhere");
  EXPECT_EQ(log.Line(0), "09:30:05 [1] Что меня ждёт?");
  EXPECT_EQ(log.Line(1), "09:30:05 [2] ");  // an empty question still adds the blank
  EXPECT_EQ(log.Line(2), "09:30:05 [3] one two three ");
}

TEST(ReadingLogLines, LinesLoadedFromAFileCanBeChangedAndAddedTo) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.LoadText("[13.03.2024]\r\n10:00:00 [4]\r10:01:00 [5]");
  ASSERT_EQ(log.Count(), 3);
  for (int i = 0; i < 2000; ++i) log.AddReading(std::vector<int>{i % 22});
  log.AppendQuestion(1, "Что?");
  log.AppendQuestion(1, "И ещё");
  log.AppendQuestion(2000, "late");
  EXPECT_EQ(log.Line(0), "[13.03.2024]");
  EXPECT_EQ(log.Line(1), "10:00:00 [4] Что? И ещё");
  EXPECT_EQ(log.Line(2), "10:01:00 [5]");
  EXPECT_EQ(log.Line(3), "09:30:05 [0]");
  EXPECT_EQ(log.Line(2000), "09:30:05 [17] late");  // reading 1997
  EXPECT_EQ(log.Line(2002), "09:30:05 [19]");

  log.LoadText("");
  EXPECT_EQ(log.Count(), 0);
}

// --- Date lines ---

TEST(ReadingLogDates, ADateLineIsAddedOnlyWhenTheLastOneIsNotTodays) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  EXPECT_TRUE(log.AddDateLine());
  EXPECT_FALSE(log.AddDateLine());
  EXPECT_EQ(Texts(log), Lines{"[14.03.2024]"});

  // Past midnight the readings still go under yesterday's date line; the
  // next date line comes with the next start (or clearing).
  log.AddReading(std::vector<int>{5});
  clock.now = {2024, 3, 15, 0, 0, 1};
  log.AddReading(std::vector<int>{6});
  EXPECT_EQ(log.Line(2), "00:00:01 [6]");
  EXPECT_TRUE(log.AddDateLine());
  EXPECT_EQ(log.Line(3), "[15.03.2024]");

  log.Clear();
  EXPECT_TRUE(log.AddDateLine());
  EXPECT_EQ(Texts(log), Lines{"[15.03.2024]"});
}

TEST(ReadingLogDates, OnlyTheLastDateLineCountsAndEmptyOrReadingLinesAreSkipped) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.Load(Lines{"[14.03.2024]", "09:00:00 [1]", "", "10:00:00 [2] q"});
  EXPECT_FALSE(log.AddDateLine());
  // The 10 characters after "[" are compared, whatever follows them.
  log.Load(Lines{"[14.03.2024] (Thursday)"});
  EXPECT_FALSE(log.AddDateLine());
  log.Load(Lines{"[14.03.2024]", "[13.03.2024]", "1"});
  EXPECT_TRUE(log.AddDateLine());
  EXPECT_EQ(log.Lines().back(), "[14.03.2024]");
  // A log of readings only gets a date line too.
  log.Load(Lines{"09:00:00 [1]"});
  EXPECT_TRUE(log.AddDateLine());
}

TEST(ReadingLogDates, TheDateIsComparedByCharactersNotBytes) {
  class ArabicDigits : public DayMonthYearFormat {
   public:
    // Ten characters of two bytes each.
    std::string Date(const LocalDateTime&) const override {
      return "\u0661\u0664.\u0660\u0663.\u0662\u0660\u0662\u0664";
    }
  } format;
  FixedLocalClock clock;
  ReadingLog log(clock, format);
  log.Load(Lines{"[\u0661\u0664.\u0660\u0663.\u0662\u0660\u0662\u0664]"});
  EXPECT_FALSE(log.AddDateLine());
}

// --- Reading a line back ---

TEST(ReadingLogParsing, OneAndThreeCardLinesSetTheModeAndFillTheSlots) {
  RecordingDisplay one = Show("09:30:05 [14]");
  EXPECT_EQ(one.modes, std::vector<bool>{false});
  EXPECT_EQ(one.cards, (Cards{{0, 14}}));

  RecordingDisplay three = Show("09:30:05 [3] [-17] [0] Что меня ждёт?");
  EXPECT_EQ(three.modes, std::vector<bool>{true});
  EXPECT_EQ(three.cards, (Cards{{0, 3}, {1, -17}, {2, 0}}));

  // A one-card reading with a question is still one card.
  EXPECT_EQ(Show("09:30:05 [-5] Будет ли дождь").modes, std::vector<bool>{false});
  // Two card tokens ask for three-card mode and fill two slots; a fourth is
  // ignored.
  RecordingDisplay two = Show("1 [1] [2]");
  EXPECT_EQ(two.modes, std::vector<bool>{true});
  EXPECT_EQ(two.cards, (Cards{{0, 1}, {1, 2}}));
  EXPECT_EQ(Show("1 [1] [2] [3] [4]").cards.size(), 3u);
  // "-0" is 0; the full 32-bit range is valid.
  EXPECT_EQ(Show("t [-0]").cards, (Cards{{0, 0}}));
  EXPECT_EQ(Show("t [-2147483648] [2147483647] [1]").cards,
            (Cards{{0, INT_MIN}, {1, INT_MAX}, {2, 1}}));
}

TEST(ReadingLogParsing, LinesWithoutCardTokensShowNothing) {
  EXPECT_TRUE(Show("just a note").modes.empty());
  EXPECT_TRUE(Show("").cards.empty());
  EXPECT_TRUE(Show("14:00 ] 5").cards.empty());
}

TEST(ReadingLogParsing, ACardTokenThatIsNoIntegerStopsWithTheMessage) {
  EXPECT_EQ(ErrorOf("09:30:05 [x]"), "'' is not a valid integer value");
  EXPECT_EQ(ErrorOf("09:30:05 [3-4]"), "'3-4' is not a valid integer value");
  EXPECT_EQ(ErrorOf("09:30:05 [99999999999]"), "'99999999999' is not a valid integer value");
  EXPECT_EQ(ErrorOf("09:30:05 [2147483648]"), "'2147483648' is not a valid integer value");
  EXPECT_EQ(ErrorOf("09:30:05 ["), "'' is not a valid integer value");

  // The mode is set before the first card fails.
  RecordingDisplay display;
  EXPECT_THROW(ShowReadingCards("09:30:05 [x] [5] [9]", display), InvalidIntegerError);
  EXPECT_EQ(display.modes, std::vector<bool>{true});
  EXPECT_TRUE(display.cards.empty());
}

TEST(ReadingLogParsing, BracketsInAQuestionNeitherAddCardsNorCutTheQuestion) {
  // Only the card tokens right after the time are cards: a question that
  // holds brackets later on stays a question.
  RecordingDisplay display = Show("09:30:05 [12] Will I [get] the job? [5]");
  EXPECT_EQ(display.modes, std::vector<bool>{false});
  EXPECT_EQ(display.cards, (Cards{{0, 12}}));
  EXPECT_EQ(ReadingQuestion("09:30:05 [12] Will I [get] the job? [5]"),
            "Will I [get] the job? [5]");
  EXPECT_EQ(ReadingQuestion("09:30:05 [1] [2] [3] a]b"), "a]b");
  // A question may even begin with a bracketed word.
  RecordingDisplay first = Show("09:30:05 [7] [urgent] [-] 9");
  EXPECT_EQ(first.modes, std::vector<bool>{false});
  EXPECT_EQ(first.cards, (Cards{{0, 7}}));
  EXPECT_EQ(ReadingQuestion("09:30:05 [7] [urgent] [-] 9"), "[urgent] [-] 9");
}

TEST(ReadingLogParsing, TheQuestionIsWhatFollowsTheCardsAndOneBlank) {
  EXPECT_EQ(ReadingQuestion("09:30:05 [3] [-17] [8] Что меня ждёт?"), "Что меня ждёт?");
  EXPECT_EQ(ReadingQuestion("09:30:05 [3]"), "");
  EXPECT_EQ(ReadingQuestion("09:30:05 [3] "), "");
  EXPECT_EQ(ReadingQuestion("09:30:05 [3]   two blanks first"), "  two blanks first");
  EXPECT_EQ(ReadingQuestion("a line without cards"), "a line without cards");
}

// --- The file ---

TEST(ReadingLogFile, LinesSurviveWritingAndReadingBack) {
  TempDir dir;
  const std::vector<std::string> lines = {
      "[14.03.2024]",
      "09:30:05 [14]",
      "09:31:00 [3] [-17] [0]",
      "09:32:00 [-5] Что меня ждёт?",
      "09:33:00 [1] [2] [3] ",
      "09:34:00 [4] [x] and ] both [",
      "",
      "09:35:00 [21] last",
  };
  const std::string path = dir.Path("Vaticor.Log");
  WriteLogFile(path, lines);
  const std::string bytes = ReadAll(path);
  EXPECT_TRUE(bytes.ends_with("09:35:00 [21] last\r\n"));
  EXPECT_NE(bytes.find("[14.03.2024]\r\n09:30:05 [14]\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Что меня ждёт?\r\n"), std::string::npos);  // UTF-8
  EXPECT_EQ(ReadLogFile(path), lines);

  EXPECT_EQ(ReadingQuestion(ReadLogFile(path)[5]), "[x] and ] both [");
  EXPECT_EQ(ReadingQuestion(ReadLogFile(path)[4]), "");
}

TEST(ReadingLogFile, EveryLineEndIsReadAndTheLastLineNeedsNone) {
  EXPECT_EQ(DecodeLogLines("a\rb\rc\r"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(DecodeLogLines("a\nb\r\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(DecodeLogLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(DecodeLogLines("\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(DecodeLogLines("").empty());
  EXPECT_EQ(DecodeLogLines("\xEF\xBB\xBF[01.02.2024]\r\n"),
            (std::vector<std::string>{"[01.02.2024]"}));
}

TEST(ReadingLogFile, AWindows1251LogReadsAndIsWrittenBackAsUtf8) {
  TempDir dir;
  // "09:00:00 [-3] Что будет?" in Windows-1251, lone CR line ends.
  const std::string path =
      dir.Write("Vaticor.Log", "[01.02.2024]\r09:00:00 [-3] \xD7\xF2\xEE \xE1\xF3\xE4\xE5\xF2?");
  const std::vector<std::string> lines = ReadLogFile(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "09:00:00 [-3] Что будет?");
  EXPECT_EQ(ReadingQuestion(lines[1]), "Что будет?");

  WriteLogFile(path, lines);
  EXPECT_EQ(ReadAll(path), "[01.02.2024]\r\n09:00:00 [-3] Что будет?\r\n");
}

TEST(ReadingLogFile, OneStrayByteSpoilsNoOtherLine) {
  TempDir dir;
  // UTF-8 throughout, but for one line an older program wrote in
  // Windows-1251: "Да?" as C4 E0 3F.
  const std::string path = dir.Write("Vaticor.Log",
                                     "[14.03.2024]\r\n"
                                     "09:30:05 [3] [-17] [8] Что меня ждёт?\r\n"
                                     "09:31:00 [1] \xC4\xE0?\r\n"
                                     "09:32:00 [-5] Ёлка «в лесу» — №1\r\n");
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.LoadText(ReadLogFileText(path));
  EXPECT_EQ(Texts(log), (Lines{"[14.03.2024]", "09:30:05 [3] [-17] [8] Что меня ждёт?",
                               "09:31:00 [1] Да?", "09:32:00 [-5] Ёлка «в лесу» — №1"}));

  WriteLogFile(path, log.Lines());
  EXPECT_EQ(ReadAll(path),
            "[14.03.2024]\r\n"
            "09:30:05 [3] [-17] [8] Что меня ждёт?\r\n"
            "09:31:00 [1] Да?\r\n"
            "09:32:00 [-5] Ёлка «в лесу» — №1\r\n");

  // Every line end separates the lines of either encoding.
  EXPECT_EQ(DecodeLogLines("Что\r\xD7\xF2\xEE\nЧто\r\n\xD7\xF2\xEE"),
            (Lines{"Что", "Что", "Что", "Что"}));
  // A byte-order mark still speaks for the whole file.
  EXPECT_EQ(DecodeLogLines("\xEF\xBB\xBFЧто\r\n\xD7\r\n"), (Lines{"Что", "\uFFFD"}));
}

TEST(ReadingLogFile, AMissingFileIsAnEmptyLogAndAFailedWriteSaysSo) {
  TempDir dir;
  EXPECT_TRUE(ReadLogFile(dir.Path("Vaticor.Log")).empty());

  const std::string path = dir.Path("missing folder/Vaticor.Log");
  try {
    WriteLogFile(path, std::vector<std::string>{"x"});
    ADD_FAILURE() << "no error";
  } catch (const LogWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
}

TEST(ReadingLogFile, ReadingInPlaceGivesTheSameTextAsDecodingACopy) {
  // Marks, stray Windows-1251 lines and UTF-16 all decode as they always did.
  for (const std::string& bytes :
       {std::string(""), std::string("[14.03.2024]\r\n09:30:05 [3] Что?\r\n"),
        std::string("\xEF\xBB\xBF\xEF\xBB\xBF[14.03.2024]\r\n"),
        std::string("\xEF\xBB\xBFЧто\r\n\xD7\r\n"), std::string("Что\r\xD7\xF2\xEE\n"),
        std::string("\xFF\xFE[\x00"
                    "1\x00]\x00\r\x00\n\x00",
                    12),
        std::string("\xFE\xFF\x00[\x00"
                    "1\x00]",
                    8)}) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(DecodeLogBytes(bytes), DecodeLogText(bytes));
  }
  EXPECT_EQ(DecodeLogBytes("\xEF\xBB\xBF\xEF\xBB\xBF[1]"), "[1]");
  EXPECT_EQ(DecodeLogBytes(std::string("\xFF\xFE[\x00"
                                       "1\x00]\x00",
                                       8)),
            "[1]");
}

TEST(ReadingLogFile, ALogOfMegabytesIsReadWhole) {
  // More than one read of the file, and lines across the reads' edges.
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 40000; ++i)
    bytes += "[14.03.2024]\r\n09:30:05 [" + std::to_string(i) + "]\r\n";
  const std::string path = dir.Write("Vaticor.Log", bytes);
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.LoadText(ReadLogFileText(path));
  ASSERT_EQ(log.Count(), 80000);
  EXPECT_EQ(log.Line(79999), "09:30:05 [39999]");
  EXPECT_TRUE(ReadLogFileText(dir.Path("missing")).empty());
  EXPECT_TRUE(ReadLogFileText(dir.path()).empty());  // a folder is no log
}

// --- A file read on another thread ---

TEST(ReadingLogLoading, LinesAddedWhileTheFileIsReadGoAfterItsLines) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.BeginLoading();
  EXPECT_TRUE(log.Loading());
  EXPECT_FALSE(log.AddDateLine());
  log.AddReading(std::vector<int>{5});
  clock.now.second = 6;
  log.AddReading(std::vector<int>{1, -2, 3});
  log.AppendQuestion(0, "lost");  // no line to take it yet
  EXPECT_EQ(log.Count(), 0);

  log.FinishLoading("[13.03.2024]\r\n10:00:00 [4]\r\n");
  EXPECT_FALSE(log.Loading());
  EXPECT_EQ(Texts(log), (Lines{"[13.03.2024]", "10:00:00 [4]", "[14.03.2024]", "09:30:05 [5]",
                               "09:30:06 [1] [-2] [3]"}));
  log.AppendQuestion(3, "Что?");
  EXPECT_EQ(log.Line(3), "09:30:05 [5] Что?");
}

TEST(ReadingLogLoading, AQueuedDateLineIsDroppedWhenTheFileEndsOnThatDay) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.BeginLoading();
  log.AddDateLine();
  log.AddReading(std::vector<int>{7});
  log.FinishLoading("[14.03.2024]\r\n08:00:00 [2]\r\n\r\n");
  EXPECT_EQ(Texts(log), (Lines{"[14.03.2024]", "08:00:00 [2]", "", "09:30:05 [7]"}));

  // The day of the queueing counts, not the day the file arrived.
  log.BeginLoading();
  log.AddDateLine();
  clock.now = {2024, 3, 15, 0, 0, 1};
  log.FinishLoading("[13.03.2024]\r\n");
  EXPECT_EQ(Texts(log), (Lines{"[13.03.2024]", "[14.03.2024]"}));
  EXPECT_TRUE(log.AddDateLine());

  // A missing or empty file: the queue alone.
  log.BeginLoading();
  log.AddDateLine();
  log.FinishLoading("");
  EXPECT_EQ(Texts(log), Lines{"[15.03.2024]"});
}

TEST(ReadingLogLoading, LinesSplitOnTheReadersThreadAreTakenOrMadeAgain) {
  TempDir dir;
  const std::string path = dir.Write("Vaticor.Log", "[13.03.2024]\r\n10:00:00 [4]\r\n");
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.BeginLoading();
  log.AddReading(std::vector<int>{5});
  log.FinishLoading(ReadSplitLogFile(path));
  EXPECT_EQ(Texts(log), (Lines{"[13.03.2024]", "10:00:00 [4]", "09:30:05 [5]"}));

  // A text this short keeps its characters inside the string object, so
  // the lines made on the reader's thread point into the one moved from.
  LogFileText file;
  file.text = "[1]\n[2]";
  file.lines = SplitLogLines(file.text);
  log.BeginLoading();
  log.FinishLoading(std::move(file));
  EXPECT_EQ(Texts(log), (Lines{"[1]", "[2]"}));

  log.BeginLoading();
  log.FinishLoading(ReadSplitLogFile(dir.Path("missing")));
  EXPECT_EQ(log.Count(), 0);
}

TEST(ReadingLogLoading, ALogReplacedMeanwhileIgnoresTheLateText) {
  FixedLocalClock clock;
  DayMonthYearFormat format;
  ReadingLog log(clock, format);
  log.BeginLoading();
  log.AddReading(std::vector<int>{5});
  log.Clear();
  EXPECT_FALSE(log.Loading());
  log.AddReading(std::vector<int>{6});
  log.FinishLoading("[13.03.2024]\r\n");
  EXPECT_EQ(Texts(log), Lines{"09:30:05 [6]"});
}

TEST(ReadingLogFile, ReplacingTheFileLeavesNothingBeside) {
  TempDir dir;
  const std::string path = dir.Write("Vaticor.Log", "old\r\n");
  WriteLogFile(path, std::vector<std::string>{"new"});
  EXPECT_EQ(ReadAll(path), "new\r\n");
  EXPECT_EQ(ListDirectory(dir.path()), std::vector<std::string>{"Vaticor.Log"});
}

}  // namespace
}  // namespace vaticor
