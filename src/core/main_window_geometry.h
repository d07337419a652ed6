#pragma once

#include <cstdint>
#include <optional>

namespace vaticor {

// The main window's sizing rules as arithmetic, apart from the widgets.
// Units are screen pixels. Every product is taken in 64 bits and every
// result is bounded: the window is never smaller than its minimum (so its
// title bar keeps its buttons apart and its cards stay clickable) and never
// wider or higher than the screen, whatever a settings file or a picture's
// header claims.

// The frame around the card panels: the two side edges across; the title
// bar (17), top edge (4), bottom edge (4) and bottom bar (17) down.
inline constexpr int kMainFrameWidth = 4;
inline constexpr int kMainFrameHeight = 42;
// The title bar, with the menu and spreads images.
inline constexpr int kMainTitleHeight = 17;

// The smallest card panel. A one-card window of 72 pixels keeps the menu and
// spreads buttons (left, 2 to 35) clear of minimise and close (the right 34).
inline constexpr int kMainMinCardWidth = 68;
inline constexpr int kMainMinPanelHeight = 40;
inline constexpr int kMainMinWidth = kMainMinCardWidth + kMainFrameWidth;
inline constexpr int kMainMinHeight = kMainMinPanelHeight + kMainFrameHeight;

// The reference screen the screen-following sizes are given for.
inline constexpr double kReferenceWidth = 640.0;
inline constexpr double kReferenceHeight = 480.0;

// Window width for `cardsAcross` (1 or 3) panels of `cardWidth`.
int MainWindowWidth(int cardWidth, int cardsAcross);
// The widest card panel whose window of `cardsAcross` panels fits the
// screen across; never below kMainMinCardWidth.
int LargestCardWidth(int screenWidth, int cardsAcross);
// A card width held to [kMainMinCardWidth, LargestCardWidth].
int BoundCardWidth(std::int64_t cardWidth, int screenWidth, int cardsAcross);
// A window height held to [kMainMinHeight, screenHeight].
int BoundMainHeight(std::int64_t height, int screenHeight);

// Round(screen height / 480 x 208): the height that follows the screen.
int ScreenMainHeight(int screenHeight);

// The right-half rule: the window's centre lies right of the screen's
// (screen width div 2 - left < width div 2, divisions truncating), so a
// change of width keeps its right edge rather than its left.
bool RightHalf(int screenWidth, int left, int width);

// What a sizing rule gives the window.
struct MainSizing {
  int cardWidth = 0;       // each panel's width ("VaticorForm.Card.Width")
  int oneCardWidth = 0;    // window width in one-card mode
  int threeCardWidth = 0;  // window width in three-card mode
  int left = 0;
  int width = 0;  // window width in the current mode
  int height = 0;
  bool operator==(const MainSizing&) const = default;
};

// The window as it stands, for the rules below.
struct MainWindowState {
  int screenWidth = 0;
  int screenHeight = 0;
  int left = 0;
  int width = 0;
  int height = 0;
  int cardsAcross = 1;
};

// Card width from the picture's proportions for a panel height: picture
// width x panel height div picture height, truncated. Nothing when the
// picture's size is unknown (0 or below).
std::optional<std::int64_t> CardWidthForPanel(std::int64_t pictureWidth, std::int64_t pictureHeight,
                                              int panelHeight);

// Automatic card size switched on, or the deck changed with it on: the
// height follows the screen and the card width the picture's proportions at
// that height. Without a picture size only the height changes (the card
// width is nothing then).
struct AutoSizing {
  int height = 0;
  std::optional<MainSizing> sizing;
};
AutoSizing AutoCardSizing(const MainWindowState& window, std::int64_t pictureWidth,
                          std::int64_t pictureHeight);

// The height changed with automatic card size on: the card width follows
// the picture's proportions at the new height. Nothing without a picture
// size.
std::optional<MainSizing> FitCardWidthSizing(const MainWindowState& window,
                                             std::int64_t pictureWidth, std::int64_t pictureHeight);

// Automatic card size off: height and card width follow the screen's
// height by one factor, so a card keeps its shape on any screen
// (Round(H / 480 x 103) per card, the window Round(H / 480 x 103 x m) + 4,
// held to the screen across).
MainSizing ScreenCardSizing(const MainWindowState& window);

// One-card and three-card mode: the right edge stays, the width becomes the
// mode's width; a three-card window that would not fit the screen gets
// narrower cards. The result lies on the screen across.
MainSizing ModeSwitchSizing(const MainWindowState& window, int cardWidth, int oneCardWidth,
                            int threeCardWidth, int newCardsAcross);

// The question window's shift. Turned on, it moves the main window up so
// that its bottom meets the question window's top, as far as the screen's
// top allows; turned off, it moves it down by the question window's height,
// as far as the screen's bottom allows.
int ShiftedMainTop(int questionTop, int mainHeight);
int UnshiftedMainTop(int mainTop, int questionHeight, int mainHeight, int screenHeight);

}  // namespace vaticor
