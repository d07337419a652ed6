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

// Two loaders racing is what happens when Qt asks before the thread is done:
// the one that finishes second throws its copy away, and both end.
TEST(FontWarmUp, ConfigurationLoadsRacingEachOtherBothEnd) {
  std::jthread first = StartFontConfigurationLoad();
  std::jthread second = StartFontConfigurationLoad();
  first = std::jthread();
  second = std::jthread();
  SUCCEED();
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
