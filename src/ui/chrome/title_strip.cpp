#include "ui/chrome/title_strip.h"

#include <QWidget>
#include <algorithm>

#include "ui/chrome/accessible_controls.h"
#include "ui/chrome/hints.h"
#include "ui/chrome/interface_text.h"
#include "ui/chrome/skin_chrome.h"
#include "ui/chrome/skin_image.h"

namespace vaticor {

namespace {

constexpr int kButton = 17;
constexpr int kMinimiseTop = 8;
constexpr int kCaptionLeft = 22;

TCaptionLabel* MakeCaptionLabel(QWidget* window, const char* name, const QColor& colour,
                                bool bold) {
  auto* label = new TCaptionLabel(window, colour);
  label->setObjectName(name);
  // A title to drag the window by, not a button.
  label->setCursor(Qt::ArrowCursor);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

}  // namespace

TitleStrip TitleStrip::Make(QWidget* window, int width, const Look& look) {
  TitleStrip strip;
  strip.closesWindow = look.closesWindow;
  strip.title = MakeSkinImage(window, look.names.title, ":/skin/titlebar.png");
  strip.title->setGeometry(0, 0, width, kHeight);
  strip.icon = MakeSkinImage(window, look.names.icon, look.icon);
  strip.icon->setGeometry(look.iconAt.x(), look.iconAt.y(), kButton, kButton);
  if (look.caption.text) {
    const Caption& caption = look.caption;
    strip.caption.label1 =
        MakeCaptionLabel(window, caption.shadow, caption.shadowColour, caption.bold);
    strip.caption.label1->move(kCaptionLeft + 1, 2);
    HideEchoFromScreenReaders(strip.caption.label1);
    strip.caption.label2 = MakeCaptionLabel(window, caption.text, Qt::white, caption.bold);
    strip.caption.label2->move(kCaptionLeft, 1);
  }
  const int closeLeft = (look.buttonsEnd > 0 ? look.buttonsEnd : width) - kButton;
  if (look.minimiseHeight > 0) {
    // Drawn at its own size: the image is taller than its 16 x 6 picture
    // (8 or 9), and a stretched dash would thicken.
    strip.minimise = MakeSkinImage(window, "ButtonHideImage", ":/skin/minimise_alpha.png", 0, false,
                                   TSkinImage::Drawing::Natural);
    strip.minimise->setGeometry(closeLeft - kButton, kMinimiseTop, kButton, look.minimiseHeight);
    SetHint(strip.minimise, QString::fromUtf8("Свернуть"));
  }
  if (look.maximise) {
    strip.maximise = MakeSkinImage(window, "ButtonMaximizeImage", ":/skin/maximise_alpha.png");
    strip.maximise->setGeometry(closeLeft - kButton, 0, kButton, kButton);
    SetHint(strip.maximise, QString::fromUtf8("Развернуть"));
    strip.restore = MakeSkinImage(window, "ButtonNormalImage", ":/skin/restore_alpha.png");
    strip.restore->setGeometry(closeLeft - kButton, 0, kButton, kButton);
    SetHint(strip.restore, QString::fromUtf8("Восстановить"));
  }
  strip.close = MakeSkinImage(window, "ButtonCloseImage", ":/skin/close_alpha.png");
  strip.close->setGeometry(closeLeft, 0, kButton, kButton);
  SetHint(strip.close, QString::fromUtf8(look.closesWindow ? "Закрыть" : "Выход"));
  for (TSkinImage* button : {strip.icon, strip.minimise, strip.restore, strip.close}) {
    if (button) button->raise();
  }
  strip.ShowMaximised(false);
  if (look.underline) {
    strip.underline = MakeSkinImage(window, look.names.underline, ":/skin/line_h.png");
    strip.underline->setGeometry(0, kHeight, width, kUnderlineHeight);
  }
  return strip;
}

void TitleStrip::Place(int width) const {
  title->setGeometry(0, 0, width, kHeight);
  if (underline) underline->setGeometry(0, kHeight, width, kUnderlineHeight);
  close->move(width - kButton, 0);
  for (TSkinImage* button : {minimise, maximise, restore}) {
    if (button) button->move(close->x() - kButton, button->y());
  }
}

void TitleStrip::ShowMaximised(bool maximised) const {
  if (!maximise) return;
  (maximised ? restore : maximise)->raise();
}

void TitleStrip::SetCaption(const QString& text, int room, Qt::TextElideMode cut) const {
  if (cut == Qt::ElideMiddle) {
    caption.SetText(text, room);
    return;
  }
  caption.SetText(caption.label2->fontMetrics().elidedText(text, cut, std::max(0, room)));
}

void TitleStrip::ApplyLanguage(const TLanguageTable& languages) const {
  if (minimise) SetHint(minimise, InterfaceText(languages, 1002, "Свернуть"));
  if (maximise) {
    SetHint(maximise, ReaderText(languages, "ViewerMaximize", "Развернуть"));
    SetHint(restore, ReaderText(languages, "ViewerRestore", "Восстановить"));
  }
  SetHint(close, closesWindow ? InterfaceText(languages, 1030, "Закрыть")
                              : InterfaceText(languages, 1003, "Выход"));
}

void TitleStrip::AttachTo(SkinChrome& chrome, bool buttonsFlushRight) const {
  chrome.AddTitle(title);
  if (caption.label2) {
    chrome.AddTitle(caption.label2);
    chrome.AddTitle(caption.label1);
  }
  if (buttonsFlushRight) chrome.SetButtons(close, minimise);
}

std::function<void(const WindowRect&)> StorePlaceOnMove(int& left, int& top) {
  return [&left, &top](const WindowRect& rect) {
    left = rect.left;
    top = rect.top;
  };
}

}  // namespace vaticor
