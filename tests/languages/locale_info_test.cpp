#include "languages/locale_info.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(UserLanguageId, WholeBytesInUpperCaseFromTheHighestNonZeroByte) {
  EXPECT_EQ(UserLanguageId(FixedLocale(0x0419)), "0x0419");  // ru_RU
  EXPECT_EQ(UserLanguageId(FixedLocale(0x0409)), "0x0409");  // en_US, and C/POSIX
  EXPECT_EQ(UserLanguageId(FixedLocale(0x0809)), "0x0809");  // en_GB
  EXPECT_EQ(UserLanguageId(FixedLocale(0x040C)), "0x040C");  // fr_FR
  EXPECT_EQ(UserLanguageId(FixedLocale(0x0C0A)), "0x0C0A");  // es_ES
  EXPECT_EQ(UserLanguageId(FixedLocale(0)), "0x00");         // a locale with no identifier
  EXPECT_EQ(UserLanguageId(FixedLocale(0x7F)), "0x7F");
  EXPECT_EQ(UserLanguageId(FixedLocale(0x10407)), "0x010407");  // a sort order in the third byte
}

TEST(QtLocaleNameFor, FollowsThePrimaryLanguageWhereQtShipsOne) {
  EXPECT_EQ(QtLocaleNameFor(0x0407), "de");
  EXPECT_EQ(QtLocaleNameFor(0x0C07), "de");  // Austria
  EXPECT_EQ(QtLocaleNameFor(0x0409), "en");
  EXPECT_EQ(QtLocaleNameFor(0x0809), "en");
  EXPECT_EQ(QtLocaleNameFor(0x040C), "fr");
  EXPECT_EQ(QtLocaleNameFor(0x0C0A), "es");
  EXPECT_EQ(QtLocaleNameFor(0x080A), "es");  // Mexico
  EXPECT_EQ(QtLocaleNameFor(0x0422), "uk");
  EXPECT_EQ(QtLocaleNameFor(0x0419), "ru");
  EXPECT_EQ(QtLocaleNameFor(0x0816), "pt_BR");  // Portugal: the one Portuguese Qt has
  EXPECT_EQ(QtLocaleNameFor(0x0804), "zh_CN");
  EXPECT_EQ(QtLocaleNameFor(0x0404), "zh_TW");
}

TEST(QtLocaleNameFor, NothingForLanguagesQtDoesNotTranslate) {
  EXPECT_EQ(QtLocaleNameFor(0), "");
  EXPECT_EQ(QtLocaleNameFor(0x0423), "");  // Belarusian
  EXPECT_EQ(QtLocaleNameFor(0x081A), "");  // Serbian shares Croatian's primary number
  EXPECT_EQ(QtLocaleNameFor(0x0414), "");  // Bokmål shares Nynorsk's
  EXPECT_EQ(QtLocaleNameFor(0x041A), "hr");
}

}  // namespace
}  // namespace vaticor
