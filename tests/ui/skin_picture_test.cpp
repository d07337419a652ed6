#include <gtest/gtest.h>

#include <QDirIterator>
#include <QImage>
#include <QPixmap>

#include "platform/png_image.h"
#include "skin_resources.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {
namespace {

// The skin's own decoder against Qt's reader, picture by picture.
TEST(SkinPictureTest, EverySkinPictureShowsAsQtWouldDecodeIt) {
  InitSkinResources();
  int pictures = 0;
  for (QDirIterator it(":/skin", {"*.png"}, QDir::Files); it.hasNext();) {
    const QString path = it.next();
    const QImage qt = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(qt.isNull()) << path.toStdString();
    EXPECT_EQ(ReadPngResource(path), qt) << path.toStdString();
    // As a pixmap, the same as Qt's picture made a pixmap.
    EXPECT_EQ(SkinPicture(path).toImage(), QPixmap::fromImage(qt).toImage()) << path.toStdString();
    ++pictures;
  }
  EXPECT_GT(pictures, 50);
  EXPECT_TRUE(SkinPicture(":/skin/no_such_picture.png").isNull());
  EXPECT_TRUE(SkinPicture(QString()).isNull());
}

}  // namespace
}  // namespace vaticor
