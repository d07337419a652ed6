#include "ui/chrome/title_strip.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "skin_resources.h"
#include "support/qt/hint_text.h"
#include "support/qt/mouse.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {
namespace {

using testing::Control;

// A borderless window at (100, 200) with a title strip across its width.
struct StripWindow {
  StripWindow(int width, const TitleStrip::Look& look, bool buttonsFlushRight) {
    window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    window->setGeometry(100, 200, width, 60);
    strip = TitleStrip::Make(window.get(), width, look);
    SkinChrome::Hooks hooks;
    hooks.moved = StorePlaceOnMove(left, top);
    chrome = new SkinChrome(window.get(), std::move(hooks));
    strip.AttachTo(*chrome, buttonsFlushRight);
    window->show();
  }
  QRect Place(const char* name) const { return Control<TSkinImage>(*window, name)->geometry(); }

  std::unique_ptr<QWidget> window;
  TitleStrip strip;
  SkinChrome* chrome = nullptr;  // the window's child
  int left = -1;
  int top = -1;
};

TitleStrip::Look MenuLook() { return {":/skin/menu_alpha.png", {0, 0}, 9, 0}; }
TitleStrip::Look IconLook() { return {":/skin/window_icon_alpha.png", {0, 0}, 8, 0}; }

TEST(TitleStripTest, TheImagesStandWhereTheLayoutsPutThem) {
  // The spreads window's strip: 259 wide, the menu image, a minimise image 9 high.
  StripWindow spreads(259, MenuLook(), false);
  EXPECT_EQ(spreads.Place("Image5"), QRect(0, 0, 259, 17));
  EXPECT_EQ(spreads.Place("Image1"), QRect(0, 0, 17, 17));
  EXPECT_EQ(spreads.Place("ButtonHideImage"), QRect(225, 8, 17, 9));
  EXPECT_EQ(spreads.Place("ButtonCloseImage"), QRect(242, 0, 17, 17));
  // Its layout has the buttons one pixel further right.
  TitleStrip::Look shifted = MenuLook();
  shifted.buttonsEnd = 260;
  StripWindow spreadsLayout(259, shifted, false);
  EXPECT_EQ(spreadsLayout.Place("ButtonHideImage"), QRect(226, 8, 17, 9));
  EXPECT_EQ(spreadsLayout.Place("ButtonCloseImage"), QRect(243, 0, 17, 17));

  // The deck-groups window's: 228 wide, the window icon, 8 high.
  StripWindow groups(228, IconLook(), false);
  EXPECT_EQ(groups.Place("Image5"), QRect(0, 0, 228, 17));
  EXPECT_EQ(groups.Place("ButtonHideImage"), QRect(194, 8, 17, 8));
  EXPECT_EQ(groups.Place("ButtonCloseImage"), QRect(211, 0, 17, 17));
  EXPECT_EQ(testing::ShownHint(Control<TSkinImage>(*groups.window, "ButtonHideImage")->toolTip())
                .toStdString(),
            "Свернуть");
  EXPECT_EQ(testing::ShownHint(Control<TSkinImage>(*groups.window, "ButtonCloseImage")->toolTip())
                .toStdString(),
            "Выход");
  // The buttons lie over the title: a click on them is theirs.
  const QPoint close = groups.Place("ButtonCloseImage").center();
  EXPECT_EQ(groups.window->childAt(close), groups.strip.close);
  EXPECT_EQ(groups.window->childAt(groups.Place("Image1").center()), groups.strip.icon);

  // The main window's menu image stands 2 from the left; a window without
  // a minimise image has none.
  StripWindow log(130, {":/skin/window_icon_alpha.png", {2, 0}, 0, 0}, true);
  EXPECT_EQ(log.Place("Image1"), QRect(2, 0, 17, 17));
  EXPECT_EQ(log.window->findChild<TSkinImage*>("ButtonHideImage"), nullptr);
  EXPECT_EQ(log.strip.minimise, nullptr);
}

TEST(TitleStripTest, TheToolbarsUnderlineLiesRightUnderTheTitle) {
  InitSkinResources();  // as the program does at start-up
  TitleStrip::Look look = IconLook();
  look.underline = true;
  StripWindow groups(228, look, false);
  EXPECT_EQ(groups.Place("Image26"), QRect(0, 17, 228, 2));
  EXPECT_EQ(groups.strip.underline, Control<TSkinImage>(*groups.window, "Image26"));
  // The toolbars' line picture, not the main window's edge.
  const QImage line = QPixmap(":/skin/line_h.png").toImage();
  ASSERT_FALSE(line.isNull());
  EXPECT_EQ(groups.strip.underline->picture().toImage(), line);
  // Only the title moves the window: a drag on the underline leaves it.
  testing::Drag(groups.strip.underline, {100, 1}, {30, 30});
  EXPECT_EQ(groups.window->pos(), QPoint(100, 200));

  // Without it (the main and log windows' strips) there is none.
  StripWindow plain(228, IconLook(), false);
  EXPECT_EQ(plain.strip.underline, nullptr);
  EXPECT_EQ(plain.window->findChild<TSkinImage*>("Image26"), nullptr);
}

TEST(TitleStripTest, TheButtonsFollowTheRightEndOnlyWhenAskedTo) {
  StripWindow growing(314, IconLook(), true);
  growing.window->resize(400, 60);
  EXPECT_EQ(growing.Place("ButtonCloseImage").topLeft(), QPoint(383, 0));
  EXPECT_EQ(growing.Place("ButtonHideImage").topLeft(), QPoint(366, 8));

  StripWindow fixed(228, IconLook(), false);
  fixed.window->resize(400, 60);
  EXPECT_EQ(fixed.Place("ButtonCloseImage").topLeft(), QPoint(211, 0));
}

TEST(TitleStripTest, DraggingTheTitleMovesTheWindowAndStoresItsPlace) {
  StripWindow window(228, IconLook(), false);
  testing::Drag(window.strip.title, {100, 5}, {30, -20});
  EXPECT_EQ(window.window->pos(), QPoint(130, 180));
  EXPECT_EQ(window.left, 130);
  EXPECT_EQ(window.top, 180);
  // The buttons are no handles: a drag on them leaves the window.
  testing::Drag(window.strip.close, {5, 5}, {40, 40});
  EXPECT_EQ(window.window->pos(), QPoint(130, 180));
  EXPECT_EQ(window.left, 130);
}

}  // namespace
}  // namespace vaticor
