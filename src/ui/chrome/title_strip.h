#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <functional>

#include "core/chrome_geometry.h"
#include "languages/language_table.h"
#include "ui/chrome/caption_label.h"

class QWidget;

namespace vaticor {

class SkinChrome;
class TSkinImage;

// The title strip of a skinned window, its images named as the windows'
// layouts name them: the title picture "Image5" across the top, the
// window's icon (or menu image) "Image1" at its left end, the minimise
// image "ButtonHideImage" and the close image "ButtonCloseImage" at its
// right end; on the toolbars, the decoration strip "Image26" under it.
// A window that is maximised has the maximise image "ButtonMaximizeImage"
// and the restore image "ButtonNormalImage" on one spot instead of the
// minimise image; a window with a title text has it over its shadow.
// The windows keep the strip whole rather than its images one by one.
struct TitleStrip {
  // The layout names of the pictures where a window names them otherwise.
  struct Names {
    const char* title = "Image5";
    const char* icon = "Image1";
    const char* underline = "Image26";
  };
  // The title text, white over its one-pixel shadow (one pixel right and
  // down), from 22 pixels in: a title to drag the window by, not a button.
  struct Caption {
    const char* text = nullptr;  // the white label's name; nullptr: none
    const char* shadow = nullptr;
    QColor shadowColour = Qt::black;
    bool bold = false;
  };
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
    // The maximise and restore images left of the close image, the
    // maximise image in front (the window then has no minimise image).
    bool maximise = false;
    // The close image closes the window alone ("Закрыть", 1030) rather
    // than the program ("Выход", 1003).
    bool closesWindow = false;
    Caption caption{};
    Names names{};
  };

  static constexpr int kHeight = 17;
  // The toolbars' decoration strip (Image26) under the title.
  static constexpr int kUnderlineHeight = 2;

  // Makes the images in `window` for a strip `width` wide: the title
  // `width` x 17 at the top-left, the icon 17 x 17, the close image 17 x 17
  // ending at the right end (or `buttonsEnd`) and the minimise image (17
  // wide) left of it, 8 from the top, or the maximise and restore images
  // 17 x 17 there, and the underline `width` x 2 right under the title. The
  // caption stands at (22, 1), its shadow at (23, 2), both empty. The
  // buttons' hints are the built-in Russian ones until the window puts its
  // interface texts on them.
  static TitleStrip Make(QWidget* window, int width, const Look& look);

  // For a window now `width` wide: the title and the underline across it,
  // the buttons at its right end.
  void Place(int width) const;
  // The restore image in front while the window is maximised, else the
  // maximise image.
  void ShowMaximised(bool maximised) const;
  // The caption's text fitted into `room` pixels: cut at its end (with
  // Qt::ElideRight) or in its middle, the whole text then its hint
  // (Qt::ElideMiddle, as CaptionPair::SetText).
  void SetCaption(const QString& text, int room, Qt::TextElideMode cut) const;

  // The chrome moves the window by the title; with `buttonsFlushRight`
  // (for a window whose width changes) it keeps the close and minimise
  // images at the right end.
  void AttachTo(SkinChrome& chrome, bool buttonsFlushRight) const;
  // The minimise (or maximise and restore) and close images' hints in the
  // interface language.
  void ApplyLanguage(const TLanguageTable& languages) const;

  TSkinImage* title = nullptr;
  TSkinImage* icon = nullptr;
  TSkinImage* minimise = nullptr;  // null without one
  TSkinImage* maximise = nullptr;  // null without the pair
  TSkinImage* restore = nullptr;   // null without the pair
  TSkinImage* close = nullptr;
  TSkinImage* underline = nullptr;  // null without one
  CaptionPair caption;              // null labels without one
  bool closesWindow = false;
};

// The chrome's move hook (SkinChrome::Hooks::moved) that stores where the
// window stands after each step of a move by its title: `left` and `top`
// are the window's place in the settings.
std::function<void(const WindowRect&)> StorePlaceOnMove(int& left, int& top);

}  // namespace vaticor
