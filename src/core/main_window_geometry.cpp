#include "core/main_window_geometry.h"

#include <algorithm>

#include "core/settings.h"
#include "core/window_bounds.h"

namespace vaticor {
namespace {

// A left edge that keeps a window of `width` on the screen across, as far
// as it fits.
int LeftOnScreen(std::int64_t left, int width, int screenWidth) {
  const std::int64_t room = std::int64_t{screenWidth} - width;
  return Bound(left, 0, static_cast<int>(std::max<std::int64_t>(0, room)));
}

int LeftAfterWidthChange(const MainWindowState& window, int newWidth) {
  std::int64_t left = window.left;
  if (RightHalf(window.screenWidth, window.left, window.width)) {
    left = std::int64_t{window.left} + window.width - newWidth;
  }
  return LeftOnScreen(left, newWidth, window.screenWidth);
}

MainSizing SizingFor(const MainWindowState& window, int cardWidth, int height) {
  MainSizing sizing;
  sizing.cardWidth = cardWidth;
  sizing.oneCardWidth = MainWindowWidth(cardWidth, 1);
  sizing.threeCardWidth = MainWindowWidth(cardWidth, 3);
  sizing.width = MainWindowWidth(cardWidth, window.cardsAcross);
  sizing.left = LeftAfterWidthChange(window, sizing.width);
  sizing.height = height;
  return sizing;
}

}  // namespace

int MainWindowWidth(int cardWidth, int cardsAcross) {
  const std::int64_t width = std::int64_t{cardWidth} * cardsAcross + kMainFrameWidth;
  return Bound(width, kMainMinWidth, kLargestScreenSide * 3 + kMainFrameWidth);
}

int LargestCardWidth(int screenWidth, int cardsAcross) {
  const std::int64_t across = std::max(cardsAcross, 1);
  return std::max<int>(kMainMinCardWidth,
                       static_cast<int>((std::int64_t{screenWidth} - kMainFrameWidth) / across));
}

int BoundCardWidth(std::int64_t cardWidth, int screenWidth, int cardsAcross) {
  return Bound(cardWidth, kMainMinCardWidth, LargestCardWidth(screenWidth, cardsAcross));
}

int BoundMainHeight(std::int64_t height, int screenHeight) {
  return Bound(height, kMainMinHeight, std::max(screenHeight, kMainMinHeight));
}

int ScreenMainHeight(int screenHeight) {
  return BoundMainHeight(RoundHalfEven(screenHeight / kReferenceHeight * 208), screenHeight);
}

bool RightHalf(int screenWidth, int left, int width) {
  return std::int64_t{screenWidth / 2} - left < width / 2;
}

std::optional<std::int64_t> CardWidthForPanel(std::int64_t pictureWidth, std::int64_t pictureHeight,
                                              int panelHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return std::nullopt;
  // Picture sides come from file headers (up to 2^31) and panels from the
  // screen (up to 2^14): the product fits in 64 bits.
  return pictureWidth * std::max(panelHeight, 0) / pictureHeight;
}

AutoSizing AutoCardSizing(const MainWindowState& window, std::int64_t pictureWidth,
                          std::int64_t pictureHeight) {
  AutoSizing result;
  result.height = ScreenMainHeight(window.screenHeight);
  const std::optional<std::int64_t> cardWidth =
      CardWidthForPanel(pictureWidth, pictureHeight, result.height - kMainFrameHeight);
  if (!cardWidth) return result;
  result.sizing = SizingFor(
      window, BoundCardWidth(*cardWidth, window.screenWidth, window.cardsAcross), result.height);
  return result;
}

std::optional<MainSizing> FitCardWidthSizing(const MainWindowState& window,
                                             std::int64_t pictureWidth,
                                             std::int64_t pictureHeight) {
  const int height = BoundMainHeight(window.height, window.screenHeight);
  const std::optional<std::int64_t> cardWidth =
      CardWidthForPanel(pictureWidth, pictureHeight, height - kMainFrameHeight);
  if (!cardWidth) return std::nullopt;
  return SizingFor(window, BoundCardWidth(*cardWidth, window.screenWidth, window.cardsAcross),
                   height);
}

MainSizing ScreenCardSizing(const MainWindowState& window) {
  // The card keeps its proportions: its width follows the screen's height,
  // as its height does (the same as the width's share on a 4:3 screen).
  const double across = window.screenHeight / kReferenceHeight;
  const int m = window.cardsAcross;
  MainSizing sizing;
  sizing.height = ScreenMainHeight(window.screenHeight);
  sizing.cardWidth = BoundCardWidth(RoundHalfEven(across * 103), window.screenWidth, m);
  sizing.oneCardWidth = MainWindowWidth(sizing.cardWidth, 1);
  // Rounded as one product: three cards can come out one pixel narrower
  // than three panels.
  sizing.threeCardWidth = Bound(std::int64_t{RoundHalfEven(across * 309)} + kMainFrameWidth,
                                kMainMinWidth, std::max(window.screenWidth, kMainMinWidth));
  sizing.width = Bound(std::int64_t{RoundHalfEven(across * 103 * m)} + kMainFrameWidth,
                       kMainMinWidth, std::max(window.screenWidth, kMainMinWidth));
  sizing.left = LeftAfterWidthChange(window, sizing.width);
  return sizing;
}

MainSizing ModeSwitchSizing(const MainWindowState& window, int cardWidth, int oneCardWidth,
                            int threeCardWidth, int newCardsAcross) {
  MainSizing sizing;
  sizing.height = window.height;
  sizing.cardWidth = cardWidth;
  sizing.oneCardWidth = std::max(oneCardWidth, kMainMinWidth);
  sizing.threeCardWidth = std::max(threeCardWidth, kMainMinWidth);
  if (newCardsAcross == 3 && sizing.threeCardWidth > window.screenWidth) {
    // Three cards this wide would not fit: they get the widest that does.
    sizing.cardWidth = LargestCardWidth(window.screenWidth, 3);
    sizing.oneCardWidth = MainWindowWidth(sizing.cardWidth, 1);
    sizing.threeCardWidth = MainWindowWidth(sizing.cardWidth, 3);
  }
  sizing.width = newCardsAcross == 3 ? sizing.threeCardWidth : sizing.oneCardWidth;
  // The right edge stays, as far as the screen allows.
  sizing.left = LeftOnScreen(std::int64_t{window.left} + window.width - sizing.width, sizing.width,
                             window.screenWidth);
  return sizing;
}

int ShiftedMainTop(int questionTop, int mainHeight) {
  return Bound(std::int64_t{questionTop} - mainHeight, 0, std::max(questionTop, 0));
}

int UnshiftedMainTop(int mainTop, int questionHeight, int mainHeight, int screenHeight) {
  const std::int64_t lowest = std::max<std::int64_t>(0, std::int64_t{screenHeight} - mainHeight);
  const std::int64_t top = std::int64_t{mainTop} + questionHeight;
  // A window already lower than the screen allows is not moved up by this.
  return Bound(top, mainTop, static_cast<int>(std::max<std::int64_t>(lowest, mainTop)));
}

}  // namespace vaticor
