#include "ui/chrome/sizing_frame.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <vector>

#include "skin_resources.h"
#include "support/qt/mouse.h"
#include "support/ui/program_state_fixture.h"
#include "ui/chrome/caption_label.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {
namespace {

using testing::Control;

// The main window's layout names: the right edge "Image6", the bar "Image2".
constexpr SizingFrame::Names kMainNames{"Image26", "Image3", "Image4", "Image6", "Image2"};

// A borderless 314 x 208 window at (100, 200) with a sizing frame and a
// caption, the resizes it reports recorded.
struct FramedWindow {
  explicit FramedWindow(const SizingFrame::Names& names) {
    window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    window->setGeometry(100, 200, 314, 208);
    frame = SizingFrame::Make(window.get(), names);
    caption = MakeCaptionPair(window.get(), Qt::black, [this] { ++clicks; });
    SkinChrome::Hooks hooks;
    hooks.resizedVertically = [this](const WindowRect&, int tag) { verticalTags.push_back(tag); };
    hooks.resizedHorizontally = [this](const WindowRect&, int tag) {
      horizontalTags.push_back(tag);
    };
    hooks.sizeChanged = [this] { frame.Place(window->width(), window->height(), 17, 4, 2); };
    chrome = new SkinChrome(window.get(), std::move(hooks));
    frame.AttachTo(*chrome, caption);
    chrome->KeepInShape();
    window->show();
  }
  QRect Place(const char* name) const { return Control<TSkinImage>(*window, name)->geometry(); }

  std::unique_ptr<QWidget> window;
  SizingFrame frame;
  CaptionPair caption;
  SkinChrome* chrome = nullptr;  // the window's child
  std::vector<int> verticalTags;
  std::vector<int> horizontalTags;
  int clicks = 0;
};

TEST(SizingFrameTest, ThePartsHaveTheLayoutsNamesPicturesAndTags) {
  InitSkinResources();  // as the program does at start-up
  FramedWindow main(kMainNames);
  EXPECT_EQ(main.frame.top, Control<TSkinImage>(*main.window, "Image26"));
  EXPECT_EQ(main.frame.bottom, Control<TSkinImage>(*main.window, "Image3"));
  EXPECT_EQ(main.frame.left, Control<TSkinImage>(*main.window, "Image4"));
  EXPECT_EQ(main.frame.right, Control<TSkinImage>(*main.window, "Image6"));
  EXPECT_EQ(main.frame.bottomBar, Control<TSkinImage>(*main.window, "Image2"));
  EXPECT_EQ(main.frame.top->tag(), 0);
  EXPECT_EQ(main.frame.left->tag(), 0);
  EXPECT_EQ(main.frame.bottom->tag(), 1);
  EXPECT_EQ(main.frame.right->tag(), 1);
  EXPECT_EQ(main.frame.bottomBar->tag(), 0);
  const QImage across = QPixmap(":/skin/edge_h.png").toImage();
  const QImage down = QPixmap(":/skin/edge_v.png").toImage();
  const QImage bar = QPixmap(":/skin/bottombar.png").toImage();
  ASSERT_FALSE(across.isNull() || down.isNull() || bar.isNull());
  EXPECT_EQ(main.frame.top->picture().toImage(), across);
  EXPECT_EQ(main.frame.bottom->picture().toImage(), across);
  EXPECT_EQ(main.frame.left->picture().toImage(), down);
  EXPECT_EQ(main.frame.right->picture().toImage(), down);
  EXPECT_EQ(main.frame.bottomBar->picture().toImage(), bar);

  // The log's layout swaps the two names.
  FramedWindow log({"Image26", "Image3", "Image4", "Image2", "Image6"});
  EXPECT_EQ(log.frame.right, Control<TSkinImage>(*log.window, "Image2"));
  EXPECT_EQ(log.frame.bottomBar, Control<TSkinImage>(*log.window, "Image6"));
}

TEST(SizingFrameTest, ThePartsStandRoundTheWindowsInside) {
  FramedWindow main(kMainNames);
  // The main window's frame: 4-high top and bottom edges, 2-wide sides.
  main.frame.Place(314, 208, 17, 4, 2);
  EXPECT_EQ(main.Place("Image26"), QRect(0, 17, 314, 4));
  EXPECT_EQ(main.Place("Image4"), QRect(0, 21, 2, 166));
  EXPECT_EQ(main.Place("Image6"), QRect(312, 21, 2, 166));
  EXPECT_EQ(main.Place("Image3"), QRect(0, 187, 314, 4));
  EXPECT_EQ(main.Place("Image2"), QRect(0, 191, 314, 17));

  // The log's: every edge 2.
  main.frame.Place(130, 100, 17, 2, 2);
  EXPECT_EQ(main.Place("Image26"), QRect(0, 17, 130, 2));
  EXPECT_EQ(main.Place("Image4"), QRect(0, 19, 2, 62));
  EXPECT_EQ(main.Place("Image6"), QRect(128, 19, 2, 62));
  EXPECT_EQ(main.Place("Image3"), QRect(0, 81, 130, 2));
  EXPECT_EQ(main.Place("Image2"), QRect(0, 83, 130, 17));

  // Shorter than the bars and edges: the sides have no height left.
  main.frame.Place(130, 30, 17, 4, 2);
  EXPECT_EQ(main.Place("Image4").height(), 0);
  EXPECT_EQ(main.Place("Image6").height(), 0);
  EXPECT_EQ(main.Place("Image2"), QRect(0, 13, 130, 17));
}

TEST(SizingFrameTest, TheEdgesResizeTheWindowAndTheCaptionSitsOnTheBar) {
  FramedWindow w(kMainNames);
  w.frame.Place(314, 208, 17, 4, 2);
  testing::Drag(w.frame.bottom, {50, 2}, {0, 20});
  EXPECT_EQ(w.window->geometry(), QRect(100, 200, 314, 228));
  testing::Drag(w.frame.top, {50, 2}, {0, -10});
  EXPECT_EQ(w.window->geometry(), QRect(100, 190, 314, 238));
  testing::Drag(w.frame.right, {1, 50}, {30, 0});
  EXPECT_EQ(w.window->geometry(), QRect(100, 190, 344, 238));
  testing::Drag(w.frame.left, {1, 50}, {-6, 0});
  EXPECT_EQ(w.window->geometry(), QRect(94, 190, 350, 238));
  EXPECT_EQ(w.verticalTags, (std::vector<int>{1, 0}));
  EXPECT_EQ(w.horizontalTags, (std::vector<int>{1, 0}));
  // The bar is no handle.
  testing::Drag(w.frame.bottomBar, {50, 5}, {20, 20});
  EXPECT_EQ(w.window->geometry(), QRect(94, 190, 350, 238));

  // The caption: the same text on both labels, each as wide as it, the
  // white one on the bar and its shadow one pixel to the right and below.
  w.caption.SetText(QStringLiteral("Draw a card ..."));
  w.chrome->KeepInShape();
  EXPECT_EQ(w.caption.label1->text(), QStringLiteral("Draw a card ..."));
  EXPECT_EQ(w.caption.label2->text(), QStringLiteral("Draw a card ..."));
  EXPECT_EQ(w.caption.label2->size(), w.caption.label2->sizeHint());
  EXPECT_EQ(w.caption.label1->size(), w.caption.label2->size());
  EXPECT_EQ(w.caption.label2->y(), w.frame.bottomBar->y());
  EXPECT_EQ(w.caption.label1->pos(), w.caption.label2->pos() + QPoint(1, 1));
  // Raised over the bar, the white text over its shadow: a click on the
  // caption is the caption's.
  w.caption.Raise();
  const QPoint inBoth = w.caption.label2->geometry().center();
  EXPECT_EQ(w.window->childAt(inBoth), w.caption.label2);
  testing::Click(w.caption.label2);
  testing::Click(w.caption.label1);
  EXPECT_EQ(w.clicks, 2);
}

}  // namespace
}  // namespace vaticor
