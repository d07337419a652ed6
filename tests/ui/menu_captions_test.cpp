// Menu items captioned with names from files.
#include "ui/chrome/menu_captions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "support/qt/hint_text.h"

namespace vaticor {
namespace {

using testing::ShownHint;

TEST(FileCaption, AShortNameIsShownAsItIsWithoutAHint) {
  QMenu menu;
  QAction* item = AddFileItem(&menu, QStringLiteral("Tom & Jerry"));
  // "&&" is how a menu shows one "&": no shortcut is made of it.
  EXPECT_EQ(item->text(), QStringLiteral("Tom && Jerry"));
  EXPECT_EQ(menu.actions().size(), 1);
  EXPECT_FALSE(menu.toolTipsVisible());
  // A tab would start the shortcut column.
  SetFileCaption(&menu, item, QStringLiteral("Deck\tNew"));
  EXPECT_EQ(item->text(), QStringLiteral("Deck New"));
}

TEST(FileCaption, ALongNameIsCutAndWholeInTheHint) {
  QMenu menu;
  QString name;
  for (int i = 0; i < 1000; ++i) name += QStringLiteral("<b>x</b> & ");  // 11,000 characters
  QAction* item = AddFileItem(&menu, name);
  const QFontMetrics metrics(menu.font());
  const QString shown = QString(item->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
  EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
  EXPECT_TRUE(name.startsWith(shown.chopped(1)));
  // Fifty average characters at most, and a third of the screen.
  EXPECT_LE(metrics.horizontalAdvance(shown), 50 * metrics.averageCharWidth());
  EXPECT_LE(metrics.horizontalAdvance(shown),
            QGuiApplication::primaryScreen()->availableGeometry().width() / 3);
  EXPECT_TRUE(menu.toolTipsVisible());
  // The hint holds every character, markup as it is, broken into lines.
  const QString hint = ShownHint(item->toolTip());
  EXPECT_EQ(QString(hint).replace(QLatin1Char('\n'), QLatin1Char(' ')), name.trimmed() + ' ');
  for (const QString& line : hint.split(QLatin1Char('\n'))) EXPECT_LE(line.size(), 60);

  // Shortened again, the hint goes.
  SetFileCaption(&menu, item, QStringLiteral("Short"));
  EXPECT_EQ(item->text(), QStringLiteral("Short"));
  EXPECT_EQ(ShownHint(item->toolTip()), QStringLiteral("Short"));  // Qt's default: the text
}

}  // namespace
}  // namespace vaticor
