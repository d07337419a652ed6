#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "ui/chrome/caption_label.h"
#include "ui/chrome/sizing_frame.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/title_strip.h"

class QWidget;

namespace vaticor {

// A resizable window of the skin framed as the journal, the gallery and the
// reading-entry dialog are: the title strip across the top, a sizing edge
// all round, the bottom bar with its caption, the content area between.
struct FramedWindow {
  static constexpr int kBar = TitleStrip::kHeight;  // title and bottom bar, pixels
  static constexpr int kEdge = 2;                   // the four edges, pixels
  static constexpr int kTitleRoomLeft = 22;         // the title starts after the menu image

  TitleStrip& strip;
  SizingFrame& frame;
  CaptionPair& caption;
  QWidget* content;

  // Places everything for a window of w x h pixels, the title elided to
  // what the strip leaves it; the strip's controls and the caption stay
  // above the content.
  void LayOut(const QString& title, int w, int h) const;
};

// Makes the frame's parts in `window`: the title strip with the menu image
// and the close button, the four sizing edges and the bottom bar, and the
// bar's caption, a click on which runs `captionClicked`.
void MakeFramedWindow(QWidget* window, TitleStrip& strip, SizingFrame& frame, CaptionPair& caption,
                      std::function<void()> captionClicked);

// Where a window's place and size are kept in the settings.
struct StoredBounds {
  int& left;
  int& top;
  int& width;
  int& height;
};

// The chrome's size-change hook of such a window: `layOut` runs, and the
// chrome is kept in shape once more when the bottom bar moved with the new
// size (the chrome centred the caption on the bar where it stood). `chrome`
// is the window's chrome, made with this hook.
std::function<void()> LayOutOnResize(const SizingFrame& frame, std::function<void()> layOut,
                                     const std::unique_ptr<SkinChrome>& chrome);

// The chrome's hooks of such a window: every move and resize step stored in
// `bounds` (a resize by the top or left edge moves that side too), and
// LayOutOnResize.
SkinChrome::Hooks FramedWindowHooks(StoredBounds bounds, const SizingFrame& frame,
                                    std::function<void()> layOut,
                                    const std::unique_ptr<SkinChrome>& chrome);

}  // namespace vaticor
