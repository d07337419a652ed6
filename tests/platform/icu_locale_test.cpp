#include "platform/icu_locale.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(IcuLocale, NumbersLocalesAsWindowsDoes) {
  EXPECT_EQ(IcuLocale::LocaleIdOf("ru_RU"), 0x0419u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("ru_RU.UTF-8"), 0x0419u);  // as LANG spells it
  EXPECT_EQ(IcuLocale::LocaleIdOf("en_US"), 0x0409u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("en_GB"), 0x0809u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("fr_FR"), 0x040Cu);
  EXPECT_EQ(IcuLocale::LocaleIdOf("uk_UA"), 0x0422u);
}

TEST(IcuLocale, CAndPosixCountAsUsEnglish) {
  EXPECT_EQ(IcuLocale::LocaleIdOf("C"), 0x0409u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("C.UTF-8"), 0x0409u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("POSIX"), 0x0409u);
  EXPECT_EQ(IcuLocale::LocaleIdOf("en_US_POSIX"), 0x0409u);  // what ICU makes of LANG=C
  EXPECT_EQ(IcuLocale::LocaleIdOf("xx_YY"), 0u);
}

}  // namespace
}  // namespace vaticor
