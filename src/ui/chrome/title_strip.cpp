#include "ui/chrome/title_strip.h"

#include <QWidget>

#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {

namespace {

constexpr int kButton = 17;
constexpr int kMinimiseTop = 8;

}  // namespace

TitleStrip TitleStrip::Make(QWidget* window, int width, const Look& look) {
  TitleStrip strip;
  strip.title = MakeSkinImage(window, "Image5", ":/skin/titlebar.png");
  strip.title->setGeometry(0, 0, width, kHeight);
  strip.icon = MakeSkinImage(window, "Image1", look.icon);
  strip.icon->setGeometry(look.iconAt.x(), look.iconAt.y(), kButton, kButton);
  const int closeLeft = (look.buttonsEnd > 0 ? look.buttonsEnd : width) - kButton;
  if (look.minimiseHeight > 0) {
    // Drawn at its own size: the image is taller than its 16 x 6 picture
    // (8 or 9), and a stretched dash would thicken.
    strip.minimise = MakeSkinImage(window, "ButtonHideImage", ":/skin/minimise_alpha.png", 0, false,
                                   TSkinImage::Drawing::Natural);
    strip.minimise->setGeometry(closeLeft - kButton, kMinimiseTop, kButton, look.minimiseHeight);
    SetHint(strip.minimise, QString::fromUtf8("Свернуть"));
  }
  strip.close = MakeSkinImage(window, "ButtonCloseImage", ":/skin/close_alpha.png");
  strip.close->setGeometry(closeLeft, 0, kButton, kButton);
  SetHint(strip.close, QString::fromUtf8("Выход"));
  for (TSkinImage* button : {strip.icon, strip.minimise, strip.close}) {
    if (button) button->raise();
  }
  if (look.underline) {
    strip.underline = MakeSkinImage(window, "Image26", ":/skin/line_h.png");
    strip.underline->setGeometry(0, kHeight, width, kUnderlineHeight);
  }
  return strip;
}

void TitleStrip::ApplyLanguage(const TLanguageTable& languages) const {
  if (minimise) SetHint(minimise, InterfaceText(languages, 1002, "Свернуть"));
  SetHint(close, InterfaceText(languages, 1003, "Выход"));
}

void TitleStrip::AttachTo(SkinChrome& chrome, bool buttonsFlushRight) const {
  chrome.AddTitle(title);
  if (buttonsFlushRight) chrome.SetButtons(close, minimise);
}

std::function<void(const WindowRect&)> StorePlaceOnMove(int& left, int& top) {
  return [&left, &top](const WindowRect& rect) {
    left = rect.left;
    top = rect.top;
  };
}

}  // namespace vaticor
