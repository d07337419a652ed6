#include "languages/language_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

constexpr const char* kFrenchMessage =
    "There is no support for a language of your native country.Please send a message with request "
    "for your native language onto mail:developers@vaticor.org in English. Your Language ID is "
    "0x040C";

TEST(LanguageSettingFor, TakesTheLeadingWordOfTheFileName) {
  EXPECT_EQ(LanguageSettingFor("0x0409.ini"), "0x0409");
  EXPECT_EQ(LanguageSettingFor("English.ini"), "English");
  EXPECT_EQ(LanguageSettingFor(" -Deutsch (AT).ini"), "Deutsch");
  EXPECT_EQ(LanguageSettingFor("[deu] Deutsch.ini"), "[deu]");  // brackets are no delimiters
  EXPECT_EQ(LanguageSettingFor("Español.ini"), "Español");  // non-ASCII letters belong to the word
  EXPECT_EQ(LanguageSettingFor("2024_new.ini"), "2024_new");  // digits and "_" do too
  EXPECT_EQ(LanguageSettingFor("noextension"), "noextension");
}

TEST(LanguageIdOfFileName, OnlyANameThatIsAnIdentifierAndIni) {
  EXPECT_EQ(LanguageIdOfFileName("0x0409.ini"), 0x0409u);
  EXPECT_EQ(LanguageIdOfFileName("0X040c.INI"), 0x040Cu);
  EXPECT_EQ(LanguageIdOfFileName("English.ini"), std::nullopt);
  EXPECT_EQ(LanguageIdOfFileName("0x0409.txt"), std::nullopt);
  EXPECT_EQ(LanguageIdOfFileName("0x0409 old.ini"), std::nullopt);
  EXPECT_EQ(LanguageIdOfFileName("0x.ini"), std::nullopt);
  EXPECT_EQ(LanguageIdOfFileName("0x04G9.ini"), std::nullopt);
}

// A language folder, and starts of the program on systems of various
// languages; the "Language" setting lives on from start to start.
class LanguageStart : public ::testing::Test {
 protected:
  void Add(const std::string& name, const std::string& languageName, const std::string& idLines) {
    dir_.Write("Multi Language Support/" + name,
               "[Language]\nName=" + languageName + "\n[ID]\n" + idLines);
  }
  // A new run: fresh table, the saved setting, the folder listed again.
  LanguageSupport& Start(const std::string& userLanguageId) {
    table.Clear();
    languages.emplace(table, setting, dir_.Path("Multi Language Support"), userLanguageId);
    outcome = languages->StartUp();
    return *languages;
  }
  void Remove(const std::string& name) {
    std::remove(dir_.Path("Multi Language Support/" + name).c_str());
  }

  TempDir dir_;
  TLanguageTable table;
  std::string setting = "0x0419";
  std::optional<LanguageSupport> languages;
  LanguageOutcome outcome;
};

TEST_F(LanguageStart, RussianSystemWithTheDefaultSettingLoadsNothing) {
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x0419");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_FALSE(outcome.textsChanged);
  EXPECT_FALSE(table.Applied());
  EXPECT_EQ(languages->Caption(1011, "Настройки"), "Настройки");
  EXPECT_EQ(setting, "0x0419");
  EXPECT_EQ(languages->CheckedPosition(), 0);
  ASSERT_EQ(languages->MenuEntries().size(), 1u);
  EXPECT_EQ(languages->MenuEntries()[0].caption, "[eng] English");
  EXPECT_EQ(languages->LanguageId(), 0x0419u);
}

TEST_F(LanguageStart, RussianSystemLoadsAFileNamedByTheDefaultSetting) {
  Add("0x0419.ini", "[rus] Свой", "1003=Покинуть\n");
  Start("0x0419");
  EXPECT_EQ(languages->Text(1003), "Покинуть");
  EXPECT_EQ(languages->CheckedPosition(), 1);
}

TEST_F(LanguageStart, OwnLanguageWithAFileIsLoadedWithoutAMessage) {
  Add("0x0407.ini", "[deu] Deutsch", "1003=Beenden\n");
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x0409");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_TRUE(outcome.textsChanged);
  EXPECT_EQ(setting, "0x0409");
  EXPECT_EQ(languages->Text(1003), "Exit");
  EXPECT_EQ(languages->Text(1004), "");  // missing from the file: an empty caption
  EXPECT_EQ(languages->CheckedPosition(), 2);
  EXPECT_EQ(languages->LanguageId(), 0x0409u);
}

TEST_F(LanguageStart, OwnLanguageWithoutAFileGivesTheMessageOnce) {
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x040C");
  EXPECT_EQ(outcome.messages, std::vector<std::string>{kFrenchMessage});
  EXPECT_EQ(setting, "0x040C");
  EXPECT_FALSE(table.Applied());
  EXPECT_EQ(languages->CheckedPosition(), 0);

  Start("0x040C");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_FALSE(table.Applied());
}

TEST_F(LanguageStart, AFileChosenFromTheMenuLivesOnWhereTheSystemHasNoOwnFile) {
  Add("0x0407.ini", "[deu] Deutsch", "1003=Beenden\n");
  Add("English.ini", "[eng] English", "1003=Exit\n[IDs]\n1000=Vaticor EN\n");
  Start("0x0419");
  ASSERT_EQ(languages->MenuEntries()[1].fileName, "English.ini");
  outcome = languages->Choose(1);
  EXPECT_TRUE(outcome.textsChanged);
  EXPECT_EQ(setting, "English");
  EXPECT_EQ(languages->CheckedPosition(), 2);
  EXPECT_EQ(languages->Title(), "Vaticor EN");
  EXPECT_EQ(languages->LanguageId(), 0u);  // no identifier in the name

  Start("0x0419");  // Russian system
  EXPECT_EQ(languages->Text(1003), "Exit");
  EXPECT_EQ(languages->CheckedPosition(), 2);
  EXPECT_EQ(setting, "English");

  Start("0x0407");  // a system whose language has a file: that file wins
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(languages->Text(1003), "Beenden");
  EXPECT_EQ(setting, "0x0407");
  EXPECT_EQ(languages->CheckedPosition(), 1);

  setting = "English";
  Start("0x0410");  // Italian, no file: the message, and the Russian captions stay
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(setting, "0x0410");
  EXPECT_FALSE(table.Applied());
}

TEST_F(LanguageStart, RussianAfterAFileRestoresTheBuiltInTexts) {
  Add("0x0409.ini", "[eng] English", "1011=Settings\n");
  Start("0x0409");
  outcome = languages->ChooseRussian();
  EXPECT_TRUE(outcome.textsChanged);
  EXPECT_EQ(languages->Caption(1011, "Settings"), "Настройки");
  EXPECT_EQ(setting, "0x0419");
  EXPECT_EQ(languages->CheckedPosition(), 0);
  EXPECT_EQ(languages->LanguageId(), 0x0419u);
}

TEST_F(LanguageStart, AnotherCountryOfTheSameLanguageGetsItsFile) {
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x0809");  // en-GB
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(languages->Text(1003), "Exit");
  EXPECT_EQ(setting, "0x0409");
  EXPECT_EQ(languages->CheckedPosition(), 1);

  Start("0x0819");  // ru-MD: the built-in Russian, no message
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(setting, "0x0409");  // the English file chosen before stays
  EXPECT_EQ(languages->Text(1003), "Exit");
}

TEST_F(LanguageStart, OwnFileIsFoundWhateverTheLetterCaseOfItsName) {
  Add("0X0C0C.ini", "[fra] Canada", "1003=Sortir\n");  // listed first, same language
  Add("0x040c.ini", "[fra] Français", "1003=Quitter\n");
  Start("0x040C");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(languages->Text(1003), "Quitter");
  EXPECT_EQ(languages->CheckedPosition(), 2);
}

// Bytes that look like nothing an INI reader knows: a picture's start.
constexpr char kGarbageBytes[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0[ID]\xff\xfe\x00";
// Embedded NULs included, the terminating one not.
const std::string kGarbage(kGarbageBytes, sizeof kGarbageBytes - 1);

// "[Language]\nName=Deutsch\n[ID]\n1003=Beenden\n" in UTF-16LE, no byte-order mark.
std::string Utf16WithoutMark() {
  std::string bytes;
  for (char c : std::string("[Language]\nName=Deutsch\n[ID]\n1003=Beenden\n")) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST_F(LanguageStart, TheMenuListsEveryLanguageFileButNoFolderNorOtherFile) {
  Add("a.txt", "Text", "1003=Exit\n");     // any extension
  Add("b.ini", "Empty texts", "1044=\n");  // an empty text is a text
  dir_.Write("Multi Language Support/c.ini", "no sections at all");
  dir_.MakeDir("Multi Language Support/d.ini");
  dir_.Write("Multi Language Support/e.png", kGarbage);
  dir_.Write("Multi Language Support/f.ini", Utf16WithoutMark());
  Add("g.ini", "Out of range", "999=x\n1045=y\n");  // no interface text
  dir_.Write("Multi Language Support/h.ini", "[Language]\nName=Texts elsewhere\n[IDs]\n1003=x\n");
  Start("0x0419");
  ASSERT_EQ(languages->MenuEntries().size(), 2u);
  EXPECT_EQ(languages->MenuEntries()[0].caption, "Text");
  EXPECT_EQ(languages->MenuEntries()[1].caption, "Empty texts");
  EXPECT_EQ(languages->MenuEntries()[1].fileName, "b.ini");
}

TEST_F(LanguageStart, AFileWithoutANameIsListedUnderItsFileName) {
  dir_.Write("Multi Language Support/0x0407.ini", "[ID]\n1003=Beenden\n");
  Add("Nameless.ini", "", "1003=Exit\n");
  Add("Spaces.ini", "   ", "1003=Exit\n");
  Start("0x0419");
  ASSERT_EQ(languages->MenuEntries().size(), 3u);
  EXPECT_EQ(languages->MenuEntries()[0].caption, "0x0407.ini");
  EXPECT_EQ(languages->MenuEntries()[1].caption, "Nameless.ini");
  EXPECT_EQ(languages->MenuEntries()[2].caption, "Spaces.ini");
}

TEST_F(LanguageStart, AFileThatStoppedBeingALanguageFileChangesNothingWhenChosen) {
  Add("0x0407.ini", "[deu] Deutsch", "1003=Beenden\n");
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x0409");
  dir_.Write("Multi Language Support/0x0407.ini", kGarbage);
  outcome = languages->Choose(0);
  EXPECT_EQ(outcome.messages,
            std::vector<std::string>{
                "The file \"0x0407.ini\" in the language folder is not a language file: it holds "
                "none of the interface texts. The interface language stays as it was."});
  EXPECT_FALSE(outcome.textsChanged);
  EXPECT_EQ(languages->Text(1003), "Exit");
  EXPECT_EQ(setting, "0x0409");
  EXPECT_EQ(languages->CheckedPosition(), 2);
  EXPECT_EQ(languages->LanguageId(), 0x0409u);

  // The next start does not list it.
  Start("0x0409");
  ASSERT_EQ(languages->MenuEntries().size(), 1u);
  EXPECT_EQ(languages->MenuEntries()[0].fileName, "0x0409.ini");
}

TEST_F(LanguageStart, AGarbledOwnFileCountsAsNoneAndNeverBlanksTheCaptions) {
  dir_.Write("Multi Language Support/0x0409.ini", Utf16WithoutMark());
  Start("0x0409");
  EXPECT_EQ(outcome.messages.size(), 1u);  // as for a missing file, once
  EXPECT_FALSE(table.Applied());
  EXPECT_EQ(setting, "0x0409");
  EXPECT_EQ(languages->CheckedPosition(), 0);
  Start("0x0409");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_FALSE(table.Applied());

  // Another country's file of the language stands in for it.
  Add("0x0809.ini", "[eng] British", "1003=Exit\n");
  Start("0x0409");
  EXPECT_EQ(languages->Text(1003), "Exit");
  EXPECT_EQ(setting, "0x0809");
}

TEST_F(LanguageStart, ASettingNamingAGarbledFileLoadsNothing) {
  Add("English.ini", "[eng] English", "1003=Exit\n");
  Start("0x0419");
  languages->Choose(0);
  ASSERT_EQ(setting, "English");
  dir_.Write("Multi Language Support/English.ini", kGarbage);
  Start("0x0419");
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_FALSE(table.Applied());
  EXPECT_EQ(languages->CheckedPosition(), 0);
  EXPECT_TRUE(languages->MenuEntries().empty());
}

TEST_F(LanguageStart, TheSettingMatchesFileNamesFoldingOnlyLettersAToZ) {
  Add("ENGLISH.INI", "[eng] English", "1003=Exit\n");
  Add("ÉIRE.ini", "[gle] Gaeilge", "1003=Scoir\n");
  setting = "english";
  Start("0x0419");
  EXPECT_EQ(languages->Text(1003), "Exit");
  setting = "éire";
  Start("0x0419");
  EXPECT_FALSE(table.Applied());
}

TEST_F(LanguageStart, AFileGoneBeforeItIsChosenIsAMissingFile) {
  Add("0x0407.ini", "[deu] Deutsch", "1003=Beenden\n");
  Add("0x0409.ini", "[eng] English", "1003=Exit\n");
  Start("0x0410");  // Italian: no file
  languages->Choose(0);
  Remove("0x0409.ini");
  outcome = languages->Choose(1);
  ASSERT_EQ(outcome.messages.size(), 1u);  // as for the user's own language
  EXPECT_FALSE(outcome.textsChanged);
  EXPECT_EQ(setting, "0x0410");
  EXPECT_EQ(languages->Text(1003), "Beenden");
  EXPECT_EQ(languages->CheckedPosition(), 2);
  EXPECT_TRUE(languages->Choose(2).messages.empty());  // outside the menu: nothing
  EXPECT_EQ(languages->CheckedPosition(), 2);
}

TEST_F(LanguageStart, AMissingFolderListsNothing) {
  Start("0x0409");
  EXPECT_TRUE(languages->MenuEntries().empty());
  EXPECT_EQ(outcome.messages.size(), 1u);
}

}  // namespace
}  // namespace vaticor
