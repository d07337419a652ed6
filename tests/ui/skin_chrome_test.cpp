#include "ui/chrome/skin_chrome.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <vector>

#include "support/qt/mouse.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {
namespace {

using testing::Drag;
using testing::SendMouse;

constexpr Qt::KeyboardModifiers kNoKeys = Qt::NoModifier;

// A skinned window laid out like the main window: title bar with close and
// minimise images, four edges, a bottom bar carrying a shadowed caption.
class SkinnedWindow {
 public:
  explicit SkinnedWindow(SkinChrome::Hooks hooks = {}) {
    window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    window->setGeometry(100, 200, 314, 208);
    title = new TSkinImage(window.get(), QString());
    title->setGeometry(0, 0, 314, 17);
    close = new TSkinImage(title, QString(), true);
    close->setGeometry(0, 0, 17, 17);
    minimise = new TSkinImage(title, QString(), true, TSkinImage::Drawing::Natural);
    minimise->setGeometry(0, 8, 17, 8);
    top = new TSkinImage(window.get(), QString());
    top->setGeometry(0, 17, 314, 4);
    left = new TSkinImage(window.get(), QString());
    left->setGeometry(0, 21, 2, 166);
    right = new TSkinImage(window.get(), QString());
    right->setGeometry(312, 21, 2, 166);
    bottom = new TSkinImage(window.get(), QString());
    bottom->setGeometry(0, 187, 314, 4);
    bar = new TSkinImage(window.get(), QString());
    bar->setGeometry(0, 191, 314, 17);
    label2 = new QLabel(QStringLiteral("Draw cards ..."), window.get());
    label2->setGeometry(0, 0, 101, 13);
    label1 = new QLabel(label2->text(), window.get());
    label1->setGeometry(0, 0, 101, 13);

    auto record = hooks;
    record.moved = [this, hooks](const WindowRect& r) {
      moves.push_back(r);
      if (hooks.moved) hooks.moved(r);
    };
    record.resizedVertically = [this](const WindowRect& r, int tag) {
      verticalResizes.push_back(r);
      verticalTags.push_back(tag);
    };
    record.resizedHorizontally = [this](const WindowRect& r, int tag) {
      horizontalResizes.push_back(r);
      horizontalTags.push_back(tag);
    };
    record.sizeChanged = [this] { ++sizeChanges; };
    chrome = new SkinChrome(window.get(), record);
    chrome->AddTitle(title);
    chrome->AddVerticalEdge(top, kTopOrLeftEdge);
    chrome->AddVerticalEdge(bottom, kBottomOrRightEdge);
    chrome->AddHorizontalEdge(left, kTopOrLeftEdge);
    chrome->AddHorizontalEdge(right, kBottomOrRightEdge);
    chrome->SetButtons(close, minimise);
    chrome->SetCaption(label2, label1, bar);
    chrome->KeepInShape();
    window->show();
  }

  QRect Geometry() const { return window->geometry(); }

  std::unique_ptr<QWidget> window;
  TSkinImage* title;
  TSkinImage* close;
  TSkinImage* minimise;
  TSkinImage* top;
  TSkinImage* left;
  TSkinImage* right;
  TSkinImage* bottom;
  TSkinImage* bar;
  QLabel* label2;
  QLabel* label1;
  SkinChrome* chrome;
  std::vector<WindowRect> moves;
  std::vector<WindowRect> verticalResizes;
  std::vector<int> verticalTags;
  std::vector<WindowRect> horizontalResizes;
  std::vector<int> horizontalTags;
  int sizeChanges = 0;
};

TEST(SkinChrome, TitleDragMovesTheWindow) {
  SkinnedWindow w;
  Drag(w.title, {50, 5}, {10, -3});
  EXPECT_EQ(w.Geometry(), QRect(110, 197, 314, 208));
  ASSERT_EQ(w.moves.size(), 1u);
  EXPECT_EQ(w.moves[0], (WindowRect{110, 197, 314, 208}));
  EXPECT_TRUE(w.verticalResizes.empty());
  EXPECT_TRUE(w.horizontalResizes.empty());
}

TEST(SkinChrome, MovingFollowsThePointerOverManySteps) {
  SkinnedWindow w;
  SendMouse(w.title, QEvent::MouseButtonPress, {50, 5}, Qt::LeftButton, Qt::LeftButton);
  const QPoint start = w.title->mapToGlobal(QPoint(50, 5));
  // A move reported before the window's last step still carries the old
  // place in the title; the window lands under the pointer all the same.
  const QPoint staleLocal(70, 5);
  SendMouse(w.title, QEvent::MouseMove, w.title->mapFromGlobal(start + QPoint(10, 0)), Qt::NoButton,
            Qt::LeftButton);
  EXPECT_EQ(w.Geometry().topLeft(), QPoint(110, 200));
  QMouseEvent stale(QEvent::MouseMove, QPointF(staleLocal), QPointF(start + QPoint(20, 0)),
                    Qt::NoButton, Qt::LeftButton, kNoKeys);
  QApplication::sendEvent(w.title, &stale);
  EXPECT_EQ(w.Geometry().topLeft(), QPoint(120, 200));
  // Far outside the title: the title still holds the pointer.
  SendMouse(w.title, QEvent::MouseMove, w.title->mapFromGlobal(start + QPoint(-300, 400)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry(), QRect(-200, 600, 314, 208));
  EXPECT_EQ(w.moves.size(), 3u);
}

TEST(SkinChrome, OnlyTheLeftButtonAloneDrags) {
  SkinnedWindow w;
  const QRect start = w.Geometry();
  Drag(w.title, {50, 5}, {10, 10}, Qt::RightButton);
  Drag(w.title, {50, 5}, {10, 10}, Qt::LeftButton, Qt::ControlModifier);
  Drag(w.title, {50, 5}, {10, 10}, Qt::LeftButton, Qt::ShiftModifier);
  Drag(w.title, {50, 5}, {10, 10}, Qt::LeftButton, Qt::AltModifier);
  Drag(w.top, {50, 2}, {0, -10}, Qt::RightButton);
  Drag(w.top, {50, 2}, {0, -10}, Qt::LeftButton, Qt::ControlModifier);
  Drag(w.right, {1, 50}, {20, 0}, Qt::MiddleButton);
  EXPECT_EQ(w.Geometry(), start);
  EXPECT_TRUE(w.moves.empty());
  EXPECT_TRUE(w.verticalResizes.empty());
  EXPECT_TRUE(w.horizontalResizes.empty());

  // A left press, then Ctrl held during the move, or a second button.
  SendMouse(w.title, QEvent::MouseButtonPress, {50, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w.title, QEvent::MouseMove, {70, 5}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  SendMouse(w.title, QEvent::MouseMove, {70, 5}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(w.Geometry(), start);
  // The keypad flag is no modifier of the user's.
  SendMouse(w.title, QEvent::MouseMove, {70, 5}, Qt::NoButton, Qt::LeftButton, Qt::KeypadModifier);
  EXPECT_EQ(w.Geometry().topLeft(), start.topLeft() + QPoint(20, 0));
}

TEST(SkinChrome, LeftButtonAloneIgnoresOnlyKeypadAndMeta) {
  EXPECT_TRUE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::NoModifier));
  EXPECT_TRUE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::KeypadModifier));
  EXPECT_TRUE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::MetaModifier));
  EXPECT_FALSE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton | Qt::RightButton, Qt::NoModifier));
  EXPECT_FALSE(SkinChrome::IsLeftButtonAlone(Qt::NoButton, Qt::NoModifier));
  EXPECT_FALSE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::ShiftModifier));
  EXPECT_FALSE(
      SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::ControlModifier | Qt::KeypadModifier));
  EXPECT_FALSE(SkinChrome::IsLeftButtonAlone(Qt::LeftButton, Qt::AltModifier));
}

TEST(SkinChrome, EdgesKeepTheOppositeEdge) {
  SkinnedWindow w;
  Drag(w.top, {50, 2}, {0, -10});
  EXPECT_EQ(w.Geometry(), QRect(100, 190, 314, 218));  // bottom stays at 408
  Drag(w.bottom, {50, 2}, {0, -10});
  EXPECT_EQ(w.Geometry(), QRect(100, 190, 314, 208));  // top stays
  Drag(w.left, {1, 50}, {-6, 0});
  EXPECT_EQ(w.Geometry(), QRect(94, 190, 320, 208));  // right stays at 414
  Drag(w.right, {1, 50}, {7, 0});
  EXPECT_EQ(w.Geometry(), QRect(94, 190, 327, 208));  // left stays
  EXPECT_EQ(w.verticalTags, (std::vector<int>{kTopOrLeftEdge, kBottomOrRightEdge}));
  EXPECT_EQ(w.horizontalTags, (std::vector<int>{kTopOrLeftEdge, kBottomOrRightEdge}));
  ASSERT_EQ(w.verticalResizes.size(), 2u);
  EXPECT_EQ(w.verticalResizes[0], (WindowRect{100, 190, 314, 218}));
  ASSERT_EQ(w.horizontalResizes.size(), 2u);
  EXPECT_EQ(w.horizontalResizes[1], (WindowRect{94, 190, 327, 208}));
  EXPECT_TRUE(w.moves.empty());
}

TEST(SkinChrome, EdgeDragContinuesOutsideTheEdgeInSteps) {
  SkinnedWindow w;
  SendMouse(w.bottom, QEvent::MouseButtonPress, {50, 2}, Qt::LeftButton, Qt::LeftButton);
  // The bottom edge moves with the window's height; the pointer, held by
  // the edge, goes 30 px below it and then 50 px right of the window.
  const QPoint start = w.bottom->mapToGlobal(QPoint(50, 2));
  SendMouse(w.bottom, QEvent::MouseMove, w.bottom->mapFromGlobal(start + QPoint(0, 30)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 238));
  SendMouse(w.bottom, QEvent::MouseMove, w.bottom->mapFromGlobal(start + QPoint(400, 45)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 253));
  SendMouse(w.bottom, QEvent::MouseButtonRelease, {450, 45}, Qt::LeftButton, Qt::NoButton);
  // After the release, moves do nothing.
  SendMouse(w.bottom, QEvent::MouseMove, {50, 90}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 253));
  EXPECT_EQ(w.verticalResizes.size(), 2u);
}

TEST(SkinChrome, MovesWithoutAPressOnTheElementDoNothing) {
  SkinnedWindow w;
  // The press went to the title; moves that reach an edge are not a resize.
  SendMouse(w.title, QEvent::MouseButtonPress, {50, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w.top, QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::LeftButton);
  SendMouse(w.right, QEvent::MouseMove, {40, 40}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 208));
  EXPECT_TRUE(w.verticalResizes.empty());
  EXPECT_TRUE(w.horizontalResizes.empty());
}

TEST(SkinChrome, HooksCanRefuseSideEdgesAndMoving) {
  bool sidesAllowed = false;
  bool moveAllowed = false;
  SkinChrome::Hooks hooks;
  hooks.canResizeHorizontally = [&] { return sidesAllowed; };
  hooks.canMove = [&] { return moveAllowed; };
  SkinnedWindow w(hooks);
  Drag(w.left, {1, 50}, {-20, 0});
  Drag(w.right, {1, 50}, {20, 0});
  Drag(w.title, {50, 5}, {20, 20});
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 208));
  EXPECT_TRUE(w.horizontalResizes.empty());
  EXPECT_TRUE(w.moves.empty());
  // The top and bottom edges are not asked.
  Drag(w.bottom, {50, 2}, {0, 12});
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 220));

  sidesAllowed = true;
  moveAllowed = true;
  Drag(w.right, {1, 50}, {20, 0});
  Drag(w.title, {50, 5}, {5, 6});
  EXPECT_EQ(w.Geometry(), QRect(105, 206, 334, 220));
}

TEST(SkinChrome, ResizingNeverTurnsTheWindowInsideOut) {
  SkinnedWindow w;
  // The top edge dragged far below the bottom: one pixel high, bottom kept.
  Drag(w.top, {50, 2}, {0, 500});
  EXPECT_EQ(w.Geometry(), QRect(100, 407, 314, 1));
  w.window->setGeometry(100, 200, 314, 208);
  w.window->setMinimumSize(60, 50);
  Drag(w.bottom, {50, 2}, {0, -400});
  EXPECT_EQ(w.Geometry(), QRect(100, 200, 314, 50));
  Drag(w.left, {1, 50}, {400, 0});
  EXPECT_EQ(w.Geometry(), QRect(354, 200, 60, 50));  // right edge kept at 414
}

TEST(SkinChrome, EdgeComesBackUnderThePointerAfterAStop) {
  SkinnedWindow w;
  w.window->setMinimumHeight(100);
  SendMouse(w.bottom, QEvent::MouseButtonPress, {50, 2}, Qt::LeftButton, Qt::LeftButton);
  const QPoint start = w.bottom->mapToGlobal(QPoint(50, 2));
  SendMouse(w.bottom, QEvent::MouseMove, w.bottom->mapFromGlobal(start + QPoint(0, -150)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry().height(), 100);
  // Back down by 20: the pointer is still above the stopped edge.
  SendMouse(w.bottom, QEvent::MouseMove, w.bottom->mapFromGlobal(start + QPoint(0, -130)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry().height(), 100);
  SendMouse(w.bottom, QEvent::MouseMove, w.bottom->mapFromGlobal(start + QPoint(0, -90)),
            Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(w.Geometry().height(), 118);
}

TEST(SkinChrome, FrameKeepsItsShapeOnEveryResize) {
  SkinnedWindow w;
  const int atCreation = w.sizeChanges;
  EXPECT_GE(atCreation, 1);
  const auto expectShape = [&w](int width, int height) {
    // close and minimise sit on the title image, which starts at x = 0
    EXPECT_EQ(w.close->geometry(), QRect(width - 17, 0, 17, 17));
    EXPECT_EQ(w.minimise->geometry(), QRect(width - 34, 8, 17, 8));
    EXPECT_EQ(w.label2->pos(), QPoint((width - 101) / 2, height - 17));
    EXPECT_EQ(w.label1->pos(), QPoint((width - 101) / 2 + 1, height - 16));
  };
  expectShape(314, 208);

  // The window moves its bar itself; the chrome follows on the resize.
  w.window->resize(420, 300);
  w.bar->setGeometry(0, 283, 420, 17);
  w.chrome->KeepInShape();
  expectShape(420, 300);
  EXPECT_GT(w.sizeChanges, atCreation);

  w.window->resize(314, 208);
  w.bar->setGeometry(0, 191, 314, 17);
  Drag(w.right, {1, 50}, {-207, 0});  // width 107: (107 - 101) / 2 = 3
  EXPECT_EQ(w.Geometry().width(), 107);
  EXPECT_EQ(w.close->x(), 90);
  EXPECT_EQ(w.minimise->x(), 73);
  EXPECT_EQ(w.label2->pos(), QPoint(3, 191));

  // The shadow lies beneath the caption.
  const auto& children = w.window->children();
  EXPECT_LT(children.indexOf(w.label1), children.indexOf(w.label2));
}

TEST(SkinChrome, CaptionOnTheBarItselfStaysOnTheBar) {
  // Labels may live inside the bottom bar; the placement is the same on screen.
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.setGeometry(0, 0, 200, 100);
  auto* bar = new QWidget(&window);
  bar->setGeometry(0, 83, 200, 17);
  auto* label2 = new QLabel(QStringLiteral("caption"), bar);
  label2->setGeometry(30, 30, 40, 13);
  auto* label1 = new QLabel(QStringLiteral("caption"), bar);
  label1->setGeometry(30, 30, 40, 13);
  SkinChrome chrome(&window, {});
  chrome.SetCaption(label2, label1, bar);
  chrome.SetButtons(nullptr, nullptr);
  chrome.KeepInShape();
  EXPECT_EQ(label2->pos(), QPoint(80, 0));
  EXPECT_EQ(label1->pos(), QPoint(81, 1));
}

TEST(SkinImage, ClicksNeedPressAndReleaseOfTheLeftButtonInside) {
  QWidget parent;
  TSkinImage image(&parent, QStringLiteral(":/skin/no-such-picture.png"));
  image.setGeometry(0, 0, 17, 17);
  int clicks = 0;
  int doubleClicks = 0;
  QObject::connect(&image, &TSkinImage::clicked, [&] { ++clicks; });
  QObject::connect(&image, &TSkinImage::doubleClicked, [&] { ++doubleClicks; });

  SendMouse(&image, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {6, 6}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  // Released outside: no click.
  SendMouse(&image, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {30, 6}, Qt::LeftButton, Qt::NoButton);
  // Right button, and a release without a press.
  SendMouse(&image, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  // A double click is one click and one double click.
  SendMouse(&image, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  SendMouse(&image, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&image, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubleClicks, 1);
}

// What the widget itself paints, over a see-through background.
QImage Painted(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  return image;
}

QPixmap TwoColourPicture() {
  // Blue with a red lower-left corner pixel.
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::blue);
  image.setPixelColor(0, 3, Qt::red);
  image.setPixelColor(3, 0, Qt::red);
  return QPixmap::fromImage(image);
}

TEST(SkinImage, MissingPictureDrawsNothing) {
  QWidget parent;
  TSkinImage image(&parent, QStringLiteral(":/skin/no-such-picture.png"));
  image.resize(10, 10);
  EXPECT_TRUE(image.picture().isNull());
  const QImage shot = Painted(image);
  EXPECT_EQ(qAlpha(shot.pixel(5, 5)), 0);
}

TEST(SkinImage, ColourKeyMakesTheLowerLeftColourSeeThrough) {
  QWidget parent;
  TSkinImage keyed(&parent, QString(), true);
  keyed.setPicture(TwoColourPicture());
  const QImage picture = keyed.picture().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(picture.pixel(0, 3)), 0);
  EXPECT_EQ(qAlpha(picture.pixel(3, 0)), 0);  // the same colour elsewhere too
  EXPECT_EQ(picture.pixel(1, 1), QColor(Qt::blue).rgba());

  TSkinImage plain(&parent, QString());
  plain.setPicture(TwoColourPicture());
  const QImage opaque = plain.picture().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(opaque.pixel(0, 3), QColor(Qt::red).rgba());
}

TEST(SkinImage, StretchFillsTheWidgetNaturalKeepsTheSize) {
  QWidget parent;
  QImage blue(4, 4, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  TSkinImage stretched(&parent, QString());
  stretched.setPicture(QPixmap::fromImage(blue));
  stretched.resize(20, 12);
  const QImage wide = Painted(stretched);
  EXPECT_EQ(wide.pixelColor(19, 11), QColor(Qt::blue));
  EXPECT_EQ(wide.pixelColor(10, 6), QColor(Qt::blue));

  TSkinImage natural(&parent, QString(), false, TSkinImage::Drawing::Natural);
  natural.setPicture(QPixmap::fromImage(blue));
  natural.resize(20, 12);
  const QImage own = Painted(natural);
  EXPECT_EQ(own.pixelColor(3, 3), QColor(Qt::blue));
  EXPECT_EQ(qAlpha(own.pixel(10, 6)), 0);
}

}  // namespace
}  // namespace vaticor
