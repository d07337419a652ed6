#pragma once

#include <QPoint>
#include <QString>
#include <functional>

#include "core/chrome_geometry.h"
#include "languages/language_table.h"

class QWidget;

namespace vaticor {

class SkinChrome;
class TSkinImage;

// The title strip of a skinned window, its images named as the windows'
// layouts name them: the title picture "Image5" across the top, the
// window's icon (or menu image) "Image1" at its left end, the minimise
// image "ButtonHideImage" and the close image "ButtonCloseImage" at its
// right end; on the toolbars, the decoration strip "Image26" under it.
// The windows keep the strip whole rather than its images one by one.
struct TitleStrip {
  // What differs from window to window.
  struct Look {
    QString icon;            // the skin picture of "Image1"
    QPoint iconAt{0, 0};     // where it stands in the strip
    int minimiseHeight = 0;  // 0: the window has no minimise image
    // Where the close image ends; 0: at the strip's right end. (The
    // spreads window's layout has its buttons one pixel further right, the
    // close image's last column cut off.)
    int buttonsEnd = 0;
    // The toolbars' decoration strip under the title.
    bool underline = false;
  };

  static constexpr int kHeight = 17;
  // The toolbars' decoration strip (Image26) under the title.
  static constexpr int kUnderlineHeight = 2;

  // Makes the images in `window` for a strip `width` wide: the title
  // `width` x 17 at the top-left, the icon 17 x 17, the close image 17 x 17
  // ending at the right end (or `buttonsEnd`) and the minimise image (17
  // wide) left of it, 8 from the top, and the underline `width` x 2 right
  // under the title. The buttons' hints are the built-in "Свернуть" and
  // "Выход" until the window puts its interface texts on them.
  static TitleStrip Make(QWidget* window, int width, const Look& look);

  // The chrome moves the window by the title; with `buttonsFlushRight`
  // (for a window whose width changes) it keeps the close and minimise
  // images at the right end.
  void AttachTo(SkinChrome& chrome, bool buttonsFlushRight) const;
  // The minimise and close images' hints in the interface language.
  void ApplyLanguage(const TLanguageTable& languages) const;

  TSkinImage* title = nullptr;
  TSkinImage* icon = nullptr;
  TSkinImage* minimise = nullptr;  // null without one
  TSkinImage* close = nullptr;
  TSkinImage* underline = nullptr;  // null without one
};

// The chrome's move hook (SkinChrome::Hooks::moved) that stores where the
// window stands after each step of a move by its title: `left` and `top`
// are the window's place in the settings.
std::function<void(const WindowRect&)> StorePlaceOnMove(int& left, int& top);

}  // namespace vaticor
