#include "languages/language_table.h"

#include <gtest/gtest.h>

#include "languages/language_file.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

TEST(BuiltInRussianText, KeepsTheProgramsOwnSpellings) {
  EXPECT_EQ(BuiltInRussianText(1000), "Vaticor");
  EXPECT_EQ(BuiltInRussianText(1004), "Вытянуть карту...");
  EXPECT_EQ(BuiltInRussianText(1021), "Сохранять журнал вопросов");
  EXPECT_EQ(BuiltInRussianText(1044), "Описание добавлено");
  EXPECT_EQ(BuiltInRussianText(999), "");
  EXPECT_EQ(BuiltInRussianText(1045), "");
  for (int id = 1000; id <= 1044; ++id) EXPECT_FALSE(BuiltInRussianText(id).empty()) << id;
}

TEST(TLanguageTable, CaptionsKeepTheLayoutUntilALanguageIsApplied) {
  TLanguageTable table;
  table.SetEntry(1011, "Settings");
  EXPECT_EQ(table.Entry(1011), "Settings");
  EXPECT_EQ(table.Caption(1011, "Настройки"), "Настройки");
  EXPECT_EQ(table.Title(), "Vaticor");
  table.LoadRussian();
  EXPECT_EQ(table.Caption(1011, "Settings"), "Настройки");
  table.Clear();
  EXPECT_FALSE(table.Applied());
  EXPECT_EQ(table.Entry(1011), "");
  table.SetEntry(1045, "ignored");
  EXPECT_EQ(table.Entry(1045), "");
}

TEST(TLanguageTable, AFileMissingKeysEmptiesThoseCaptions) {
  TempDir dir;
  const std::string path =
      dir.Write("de.ini", "[ID]\n1003=Beenden\n1011=Optionen\n[IDs]\n1000=Vaticor DE\n");
  TLanguageTable table;
  table.LoadFile(path);
  EXPECT_EQ(table.Caption(1003, "Выход"), "Beenden");
  EXPECT_EQ(table.Caption(1004, "Вытянуть карту ..."), "");
  EXPECT_EQ(table.Title(), "Vaticor DE");
  EXPECT_EQ(table.LanguageFilePath(), path);
  // Russian restores the texts; the title still comes from the file last loaded.
  table.LoadRussian();
  EXPECT_EQ(table.Entry(1003), "Выход");
  EXPECT_EQ(table.Title(), "Vaticor DE");
}

TEST(TLanguageTable, ReaderTextsComeFromTheirOwnSectionAndGoWithRussian) {
  TempDir dir;
  const std::string path =
      dir.Write("en.ini",
                "[ID]\r\n1004=Draw a card\r\n[Reader]\r\nCopyReading=Copy the reading\r\n"
                "SaveReadingPicture=\r\n[Extra]\r\nCopyReading=not this\r\n");
  TLanguageTable table;
  EXPECT_EQ(table.ReaderText("CopyReading"), "");
  table.LoadFile(path);
  EXPECT_EQ(table.ReaderText("CopyReading"), "Copy the reading");
  EXPECT_EQ(table.ReaderText("copyreading"), "Copy the reading");
  // An empty or missing text leaves the caller's built-in one.
  EXPECT_EQ(table.ReaderText("SaveReadingPicture"), "");
  EXPECT_EQ(table.ReaderText("Unknown"), "");
  // The numbered texts are untouched by the new section.
  EXPECT_EQ(table.Entry(1004), "Draw a card");
  table.LoadRussian();
  EXPECT_EQ(table.ReaderText("CopyReading"), "");
  // A file written before the section existed still loads all it has.
  const std::string old = dir.Write("old.ini", "[ID]\r\n1004=Old\r\n");
  table.LoadFile(old);
  EXPECT_EQ(table.Entry(1004), "Old");
  EXPECT_EQ(table.ReaderText("CopyReading"), "");
}

TEST(LanguageFile, ReadsTheEncodingsFilesAreWrittenInOnWindows) {
  // UTF-16LE with its mark: [ID] 1003=Вихід
  const std::u16string utf16 =
      u"\uFEFF[Language]\r\nName=[ukr] Українська\r\n[ID]\r\n1003=Вихід\r\n";
  std::string bytes;
  for (char16_t unit : utf16) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  const LanguageFile ukrainian(bytes);
  EXPECT_EQ(ukrainian.Name(), "[ukr] Українська");
  EXPECT_EQ(ukrainian.Text(1003), "Вихід");
  // Windows-1251: Name=Русский, 1003=Выход
  const LanguageFile russian(
      "[Language]\r\nName=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n[ID]\r\n1003=\xC2\xFB\xF5\xEE\xE4\r\n");
  EXPECT_EQ(russian.Name(), "Русский");
  EXPECT_EQ(russian.Text(1003), "Выход");
  EXPECT_EQ(russian.Title(), "Vaticor");
}

TEST(LanguageFile, HostileSizesAreBounded) {
  // A value is cut where the INI engine cuts it.
  const LanguageFile longValue("[ID]\n1003=" + std::string(5000, 'x') + "\n");
  EXPECT_EQ(longValue.Text(1003).size(), 2047u);
  // Only the first mebibyte of a file is read, so a huge file cannot stall
  // start-up: a key beyond it is not seen.
  TempDir dir;
  const std::string path =
      dir.Write("huge.ini", "[Language]\nName=Huge\n;" + std::string(kMaxLanguageFileBytes, 'x') +
                                "\n[ID]\n1003=late\n");
  const LanguageFile huge = LanguageFile::Read(path);
  EXPECT_EQ(huge.Name(), "Huge");
  EXPECT_EQ(huge.Text(1003), "");
  // A folder or a missing file reads as an empty file.
  EXPECT_EQ(LanguageFile::Read(dir.path()).Title(), "Vaticor");
  EXPECT_EQ(LanguageFile::Read(dir.Path("missing.ini")).Name(), "");
}

}  // namespace
}  // namespace vaticor
