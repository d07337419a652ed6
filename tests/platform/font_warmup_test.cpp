// Test labels: threads
#include "platform/font_warmup.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace vaticor {
namespace {

#ifdef VATICOR_WITH_FONTCONFIG
constexpr bool kWithFontconfig = true;
#else
constexpr bool kWithFontconfig = false;
#endif

// Two loaders racing is what happens when Qt asks before the thread is done:
// the one that finishes second throws its copy away, and both end. Built
// with fontconfig, each is a thread of its own (a build that lost the
// warm-up would return empty threads); without, both are empty. Qt, asking
// after both, still finds the system's fonts.
TEST(FontWarmUp, ConfigurationLoadsRacingEachOtherBothEnd) {
  std::jthread first = StartFontConfigurationLoad();
  std::jthread second = StartFontConfigurationLoad();
  EXPECT_EQ(first.joinable(), kWithFontconfig);
  EXPECT_EQ(second.joinable(), kWithFontconfig);
  first = std::jthread();
  second = std::jthread();
  EXPECT_FALSE(QFontDatabase::families().isEmpty());
}

// The list of fonts is made on its own thread while this thread measures
// text, as the main window does while it is made; both see the same fonts.
TEST(FontWarmUp, TheFontListIsMadeBesideTextBeingMeasured) {
  std::jthread list = StartFontDatabaseLoad();
  QFont font;
  font.setPointSize(8);
  const int width = QFontMetrics(font).horizontalAdvance(QString::fromUtf8("Вытянуть карты ..."));
  list = std::jthread();
  EXPECT_GT(width, 0);
  EXPECT_FALSE(QFontDatabase::families().isEmpty());
}

}  // namespace
}  // namespace vaticor
