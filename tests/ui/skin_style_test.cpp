#include "ui/chrome/skin_style.h"

#include <gtest/gtest.h>

#include <QListView>

namespace vaticor {
namespace {

TEST(SkinStyleTest, AListShowsItsRowsAndItsSelectionInTheSkinsColours) {
  QListView list;
  const QColor window = list.palette().color(QPalette::Window);
  UseSkinListColours(&list, QColor(1, 2, 3), QColor(250, 251, 252));
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    const QPalette palette = list.palette();
    EXPECT_EQ(palette.color(group, QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(palette.color(group, QPalette::Base), QColor(250, 251, 252));
    EXPECT_EQ(palette.color(group, QPalette::Highlight), QColor(0x23, 0x40, 0x7a));
    EXPECT_EQ(palette.color(group, QPalette::HighlightedText), QColor(Qt::white));
  }
  // The rest of the palette is the list's own.
  EXPECT_EQ(list.palette().color(QPalette::Window), window);
}

}  // namespace
}  // namespace vaticor
