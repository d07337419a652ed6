#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/file_io.h"
#include "core/ini_document.h"
#include "languages/language_file.h"
#include "languages/language_support.h"
#include "languages/language_table.h"
#include "languages/locale_info.h"

namespace vaticor {
namespace {

std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The language files that ship with the program, as they are in the sources.
TEST(ShippedLanguages, EveryFileHasANameAndAll45Texts) {
  const std::string folder = VATICOR_SHIPPED_LANGUAGES_DIR;
  int files = 0;
  for (const std::string& name : ListDirectory(folder)) {
    if (name == "README.md") continue;
    SCOPED_TRACE(name);
    ++files;
    const std::optional<std::string> bytes = ReadFileBytes(JoinPath(folder, name));
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(IsValidUtf8(*bytes));
    const IniDocument file(*bytes);
    // "[eng] English": the ISO 639-2 code, as the built-in "[rus] Русский".
    const std::string languageName = file.Value("Language", "Name").value_or("");
    EXPECT_TRUE(languageName.size() > 6 && languageName[0] == '[' && languageName[4] == ']' &&
                languageName[5] == ' ')
        << languageName;
    // Named by its identifier, so that a system of that language loads it,
    // and Qt has buttons in the same language.
    const std::optional<std::uint32_t> id = LanguageIdOfFileName(name);
    ASSERT_TRUE(id);
    EXPECT_NE(QtLocaleNameFor(*id), "");
    for (int text = 1000; text <= 1044; ++text) {
      const std::optional<std::string> value = file.Value("ID", std::to_string(text));
      ASSERT_TRUE(value && !value->empty()) << text;
      // Captions and menus do not grow: a translation stays about as long
      // as the Russian text.
      const std::size_t russian = Characters(BuiltInRussianText(text));
      EXPECT_LE(Characters(*value) * 10, russian * 13 + 10) << text << " " << *value;
    }
  }
  EXPECT_EQ(files, 5);
  for (const char* name : {"0x0409.ini", "0x0407.ini", "0x040C.ini", "0x0C0A.ini", "0x0422.ini"}) {
    EXPECT_TRUE(FileExists(JoinPath(folder, name))) << name;
  }
}

// The captions beyond the numbered texts: each shipped file has them all,
// so no entry of another language falls back to the Russian text.
TEST(ShippedLanguages, EveryFileTranslatesTheReaderSection) {
  const std::string folder = VATICOR_SHIPPED_LANGUAGES_DIR;
  for (const std::string& name : ListDirectory(folder)) {
    if (name == "README.md") continue;
    SCOPED_TRACE(name);
    TLanguageTable table;
    table.LoadFile(JoinPath(folder, name));
    for (const char* key :
         {"CopyReading",       "SaveReadingPicture", "PositionMeaning",  "Question",
          "Upright",           "Reversed",           "NoCard",           "NotInDeck",
          "LogDeckUnknown",    "NoLinkHandler",      "UnableToWrite",    "UnknownPictureExtension",
          "InvalidInteger",    "PictureTooLarge",    "SpreadsDraw",      "SpreadsDeal",
          "SpreadsShuffle",    "SpreadsAddDeck",     "SpreadsSave",      "SpreadsOpen",
          "SpreadsMainWindow", "DealFromOneDeck",    "DealFromNewDecks", "CardViewDescription",
          "CardChoose",        "GroupShow",          "GroupMove",        "GroupClose",
          "ViewerMaximize",    "ViewerRestore",      "NotAJournal"}) {
      EXPECT_NE(table.ReaderText(key), "") << key;
    }
    // The import's words; each keeps the values it is given.
    for (const char* key :
         {"ImportLeadsOut", "ImportFolderName", "ImportCannotRead", "ImportCannotWrite",
          "ImportDiskFull", "ImportNoPermission", "ImportCannotMakeFolder",
          "ImportCannotPutInPlace", "ImportNoFreeName", "ImportUnexpected",
          "ImportAddedWithFailures", "ImportNotAddedWithFailures", "ImportFilesNotCopied",
          "ImportMissingPictures", "ImportDeckTaken", "ImportSetTaken"}) {
      const std::string text = table.ReaderText(key);
      EXPECT_NE(text.find("%1"), std::string::npos) << key << " " << text;
    }
    for (const char* key : {"ImportMissingPictures", "ImportDeckTaken", "ImportSetTaken"}) {
      EXPECT_NE(table.ReaderText(key).find("%2"), std::string::npos) << key;
    }
    for (const char* key :
         {"ImportNothingAdded", "ImportReplace", "ImportBeside", "ImportCancel"}) {
      EXPECT_NE(table.ReaderText(key), "") << key;
    }
  }
  TLanguageTable english;
  english.LoadFile(JoinPath(folder, "0x0409.ini"));
  EXPECT_EQ(english.ReaderText("Reversed"), "reversed");
  EXPECT_EQ(english.ReaderText("CopyReading"), "Copy the reading");
}

// The journal window's captions: each shipped file has them all.
TEST(ShippedLanguages, EveryFileTranslatesTheJournalSection) {
  const std::string folder = VATICOR_SHIPPED_LANGUAGES_DIR;
  for (const std::string& name : ListDirectory(folder)) {
    if (name == "README.md") continue;
    SCOPED_TRACE(name);
    TLanguageTable table;
    table.LoadFile(JoinPath(folder, name));
    for (const char* key : {"Title",
                            "LayAgain",
                            "Menu",
                            "Delete",
                            "Undo",
                            "AddFollowUp",
                            "ReversedMark",
                            "NotOpen",
                            "NothingFound",
                            "ReadOnly",
                            "Search",
                            "AnyTag",
                            "AnyCard",
                            "DateFrom",
                            "DateTo",
                            "Question",
                            "Notes",
                            "FollowUps",
                            "FollowUpHint",
                            "Tags",
                            "MenuEntry",
                            "SaveToJournal",
                            "Fault",
                            "NewerVersion",
                            "ReadOnlyFile",
                            "RenamedAside",
                            "CannotOpen",
                            "LogLinesSkipped",
                            "ExportJson",
                            "ExportCsv",
                            "Backup",
                            "Restore",
                            "ReversedWord",
                            "Exported",
                            "RestoreAsk",
                            "Restored",
                            "DayCard",
                            "DayCardAtStart",
                            "DayCardTag",
                            "OtherReadings",
                            "Calendar",
                            "PageEntries",
                            "PageStatistics",
                            "NoReadingsToCount",
                            "StatisticsSummary",
                            "TitleMostDrawn",
                            "TitleBalance",
                            "NoKnownComposition",
                            "BalanceBasis",
                            "TitleOverTime",
                            "TitleUses",
                            "TitleRecurring",
                            "ByWeek",
                            "ByMonth",
                            "RecurringAtLeast",
                            "RecurringOfLast",
                            "RecurringTimes",
                            "NoRecurring",
                            "SavePng",
                            "SaveSvg",
                            "CopyNumbers",
                            "SaveCsv",
                            "ChartUpright",
                            "ChartReversed",
                            "ChartDrawn",
                            "ChartExpected",
                            "MoreThanChance",
                            "GroupMajor",
                            "GroupWands",
                            "GroupCups",
                            "GroupSwords",
                            "GroupPentacles",
                            "GroupMinor",
                            "ChartReadings",
                            "ChartReversedShare",
                            "UseDeck",
                            "UseDescriptions",
                            "UseDraws",
                            "UseDayCards",
                            "UseUnsavedSpread",
                            "UseUnknown"}) {
      EXPECT_NE(table.JournalText(key), "") << key;
    }
  }
}

// The gallery's, the entered readings' and the reader's meanings' captions:
// each shipped file translates every key the English one has.
TEST(ShippedLanguages, EveryFileTranslatesEveryKeyOfTheCardsSection) {
  const std::string folder = VATICOR_SHIPPED_LANGUAGES_DIR;
  const auto english = LanguageFile::Read(JoinPath(folder, "0x0409.ini")).CardsTexts();
  ASSERT_GE(english.size(), 3u);
  for (const std::string& name : ListDirectory(folder)) {
    if (name == "README.md") continue;
    SCOPED_TRACE(name);
    TLanguageTable table;
    table.LoadFile(JoinPath(folder, name));
    for (const auto& [key, text] : english) EXPECT_NE(table.CardsText(key), "") << key;
  }
}

}  // namespace
}  // namespace vaticor
