#include "library/taro_descriptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::TempDir;

class DescriptionsTest : public ::testing::Test {
 protected:
  TempDir dir;
  TTaroDescriptions sets{dir.Path("Descriptions")};
};

TEST_F(DescriptionsTest, ListsSetsInNameOrderAndSelectsTheFirst) {
  dir.Write("Descriptions/b/description.ini", "[Description]\r\nName=Bee\r\n");
  dir.Write("Descriptions/a/description.ini", "[Description]\r\nName=Ay\r\n");
  dir.MakeDir("Descriptions/c");
  sets.LoadDescriptions();
  EXPECT_EQ(sets.Count, 2);
  EXPECT_EQ(sets.DisplayNames, (std::vector<std::string>{"Ay", "Bee"}));
  EXPECT_EQ(sets.CurrentDescription(), 0);
  sets.SelectDescription(1);
  sets.LoadDescriptions();
  EXPECT_EQ(sets.CurrentDescription(), 0);
}

TEST_F(DescriptionsTest, NoSetsMeansNoneSelectedAndEmptyLookups) {
  sets.LoadDescriptions();
  EXPECT_EQ(sets.Count, 0);
  EXPECT_EQ(sets.CurrentDescription(), -1);
  EXPECT_TRUE(sets.Sections.empty());
  EXPECT_EQ(sets.GetDescriptionIniName(0), "");
  EXPECT_EQ(sets.GetCardTextFileName(0, 0), "");
}

TEST_F(DescriptionsTest, SectionIndexesFollowTheSectionsListInFileOrder) {
  dir.Write("Descriptions/s/description.ini",
            "[Sections]\r\nLove=\r\nWork=ignored value\r\nMissing=\r\n"
            "[love]\r\nCard05=love05.rtf\r\nCard12=love12.rtf\r\n"
            "[Work]\r\nCard05=work05.rtf\r\nCard06=texts\r\nCard07=gone.rtf\r\n");
  dir.Write("Descriptions/s/love05.rtf", "{\\rtf1 a}");
  dir.Write("Descriptions/s/love12.rtf", "{\\rtf1 b}");
  dir.Write("Descriptions/s/work05.rtf", "c");
  dir.MakeDir("Descriptions/s/texts");
  sets.LoadDescriptions();
  ASSERT_EQ(sets.Sections, (std::vector<std::string>{"Love", "Work", "Missing"}));

  EXPECT_EQ(sets.GetCardTextFileName(5, 0), dir.Path("Descriptions/s/love05.rtf"));
  EXPECT_EQ(sets.GetCardTextFileName(12, 0), dir.Path("Descriptions/s/love12.rtf"));
  EXPECT_EQ(sets.GetCardTextFileName(5, 1), dir.Path("Descriptions/s/work05.rtf"));
  EXPECT_EQ(sets.GetCardTextFileName(6, 1), "");  // a folder
  EXPECT_EQ(sets.GetCardTextFileName(7, 1), "");  // missing document
  EXPECT_EQ(sets.GetCardTextFileName(5, 2), "");  // section absent from the file
  EXPECT_EQ(sets.GetCardTextFileName(5, 3), "");  // beyond the list
  EXPECT_EQ(sets.GetCardTextFileName(-1, 0), "");
  EXPECT_EQ(sets.GetCardTextFileName(5, -1), "");
}

TEST_F(DescriptionsTest, ASetWithoutSectionsHasNoDocuments) {
  dir.Write("Descriptions/s/description.ini",
            "[Description]\r\nName=S\r\n[Main]\r\nCard00=x.rtf\r\n");
  dir.Write("Descriptions/s/x.rtf", "x");
  sets.LoadDescriptions();
  EXPECT_TRUE(sets.Sections.empty());
  EXPECT_EQ(sets.GetCardTextFileName(0, 0), "");
}

TEST_F(DescriptionsTest, ANegativeSavedIndexSelectsTheFirstSet) {
  dir.Write("Descriptions/s/description.ini", "[Sections]\r\nA=\r\n[A]\r\nCard00=x.txt\r\n");
  dir.Write("Descriptions/s/x.txt", "x");
  sets.LoadDescriptions();
  sets.SelectDescription(-7);
  EXPECT_EQ(sets.CurrentDescription(), 0);
  EXPECT_EQ(sets.GetCardTextFileName(0, 0), dir.Path("Descriptions/s/x.txt"));
}

TEST_F(DescriptionsTest, DocumentsAreListedOncePerSelection) {
  dir.Write("Descriptions/s/description.ini", "[Sections]\r\nA=\r\n[A]\r\nCard00=Late.rtf\r\n");
  sets.LoadDescriptions();
  dir.Write("Descriptions/s/late.rtf", "x");
  EXPECT_EQ(sets.GetCardTextFileName(0, 0), "");
  sets.SelectDescription(0);
  EXPECT_EQ(sets.GetCardTextFileName(0, 0), dir.Path("Descriptions/s/late.rtf"));
}

TEST_F(DescriptionsTest, DescriptionValueCannotLeaveItsFolder) {
  dir.Write("secret.txt", "not a description");
  dir.Write("Descriptions/s/description.ini",
            "[Sections]\r\nA=\r\n"
            "[A]\r\nCard00=..\\..\\..\\..\\..\\..\\etc\\passwd\r\n"
            "Card01=..\\..\\secret.txt\r\nCard02=\\etc\\passwd\r\nCard03=/etc/passwd\r\n"
            "Card04=d:\\secret.txt\r\nCard05=peek.txt\r\nCard06=texts\\..\\card06.txt\r\n");
  dir.Write("Descriptions/s/card06.txt", "six");
  dir.MakeDir("Descriptions/s/texts");
  std::filesystem::create_symlink("../../secret.txt", dir.Path("Descriptions/s/peek.txt"));
  sets.LoadDescriptions();
  for (int number = 0; number <= 5; ++number) {
    EXPECT_EQ(sets.GetCardTextFileName(number, 0), "") << number;
  }
  EXPECT_EQ(sets.GetCardTextFileName(6, 0), dir.Path("Descriptions/s/card06.txt"));
}

}  // namespace
}  // namespace vaticor
