#include "library/content_language.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(ContentLanguage, CodesMatchByTheirPrimaryLanguageWithoutRegardToCase) {
  EXPECT_TRUE(SameLanguage("en", "en"));
  EXPECT_TRUE(SameLanguage("EN", "en"));
  EXPECT_TRUE(SameLanguage("en-GB", "en"));
  EXPECT_TRUE(SameLanguage("pt", "pt_BR"));
  EXPECT_FALSE(SameLanguage("en", "eng"));
  EXPECT_FALSE(SameLanguage("uk", "ru"));
  // Nothing suits an unset language, nor an interface language Qt has no
  // name for.
  EXPECT_FALSE(SameLanguage("", ""));
  EXPECT_FALSE(SameLanguage("", "en"));
  EXPECT_FALSE(SameLanguage("en", ""));
  EXPECT_FALSE(SameLanguage("-", "-"));
}

TEST(ContentLanguage, TheFirstInTheLanguageIsChosen) {
  const std::vector<std::string> languages = {"", "ru", "en", "en-US"};
  EXPECT_EQ(FirstInLanguage(languages, "en"), 2);
  EXPECT_EQ(FirstInLanguage(languages, "ru"), 1);
  EXPECT_EQ(FirstInLanguage(languages, "fr"), std::nullopt);
  EXPECT_EQ(FirstInLanguage({}, "en"), std::nullopt);
}

}  // namespace
}  // namespace vaticor
