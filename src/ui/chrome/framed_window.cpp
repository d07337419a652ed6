#include "ui/chrome/framed_window.h"

#include <QWidget>
#include <algorithm>

#include "ui/chrome/skin_image.h"
#include "ui/chrome/skin_style.h"

namespace vaticor {

void MakeFramedWindow(QWidget* window, TitleStrip& strip, SizingFrame& frame, CaptionPair& caption,
                      std::function<void()> captionClicked) {
  TitleStrip::Look look;
  look.icon = ":/skin/menu_alpha.png";
  look.iconAt = {2, 0};
  look.closesWindow = true;
  look.caption = {"TitleLabel", "TitleShadow", Qt::black, /*bold=*/true};
  strip = TitleStrip::Make(window, window->width(), look);
  frame =
      SizingFrame::Make(window, {"TopEdge", "BottomEdge", "LeftEdge", "RightEdge", "BottomBar"});
  caption = MakeCaptionPair(window, SkinNavy(), std::move(captionClicked));
}

void FramedWindow::LayOut(const QString& title, int w, int h) const {
  strip.Place(w);
  strip.SetCaption(title, std::max(0, w - kTitleRoomLeft - 2 * kBar), Qt::ElideRight);
  frame.Place(w, h, kBar, kEdge, kEdge);
  content->setGeometry(kEdge, kBar + kEdge, std::max(0, w - 2 * kEdge),
                       std::max(0, h - 2 * kBar - 2 * kEdge));
  strip.icon->raise();
  strip.close->raise();
  strip.caption.Raise();
  caption.Raise();
}

std::function<void()> LayOutOnResize(const SizingFrame& frame, std::function<void()> layOut,
                                     const std::unique_ptr<SkinChrome>& chrome) {
  return [&frame, layOut = std::move(layOut), &chrome] {
    const int barTop = frame.bottomBar->y();
    layOut();
    if (frame.bottomBar->y() != barTop && chrome) chrome->KeepInShape();
  };
}

SkinChrome::Hooks FramedWindowHooks(StoredBounds bounds, const SizingFrame& frame,
                                    std::function<void()> layOut,
                                    const std::unique_ptr<SkinChrome>& chrome) {
  SkinChrome::Hooks hooks;
  hooks.moved = StorePlaceOnMove(bounds.left, bounds.top);
  hooks.resizedVertically = [bounds](const WindowRect& rect, int tag) {
    bounds.height = rect.height;
    if (tag == kTopOrLeftEdge) bounds.top = rect.top;
  };
  hooks.resizedHorizontally = [bounds](const WindowRect& rect, int tag) {
    bounds.width = rect.width;
    if (tag == kTopOrLeftEdge) bounds.left = rect.left;
  };
  hooks.sizeChanged = LayOutOnResize(frame, std::move(layOut), chrome);
  return hooks;
}

}  // namespace vaticor
