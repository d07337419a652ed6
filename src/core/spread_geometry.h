#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/chrome_geometry.h"  // WindowRect
#include "core/settings.h"         // kSmallestSpreadCard

namespace vaticor {

// The card windows of a spread as arithmetic, apart from the widgets. Units
// are screen pixels. Products are taken in 64 bits and every size a rule
// gives is held to [kSmallestSpreadCard, kLargestSpreadCard], so no key
// press, drag or picture header can make a window vanish or grow without
// end. Places are not bounded beyond the rules that say so: a card may lie
// off the screen.

// The largest side a card window is given: the largest screen side there is.
inline constexpr int kLargestSpreadCard = 16384;

struct CardSize {
  int width = 0;
  int height = 0;
  bool operator==(const CardSize&) const = default;
};

struct CardPlace {
  int left = 0;
  int top = 0;
  bool operator==(const CardPlace&) const = default;
};

// A side held to [kSmallestSpreadCard, kLargestSpreadCard].
int BoundCardSide(std::int64_t side);

// The picture's proportions at a given height or width: height x picture
// width / picture height (and the reverse), multiplied first and truncated
// toward zero, then bounded. Nothing when the picture's size is unknown
// (either side 0 or below): the caller then leaves the side unchanged.
std::optional<int> WidthForHeight(std::int64_t height, std::int64_t pictureWidth,
                                  std::int64_t pictureHeight);
std::optional<int> HeightForWidth(std::int64_t width, std::int64_t pictureWidth,
                                  std::int64_t pictureHeight);

// Holds a card window of `size` whose top-left corner is wanted at `place`
// on the screen, in this order: a negative left becomes 0; a right edge past
// the screen's width puts the right edge there; a negative top becomes 0; a
// bottom edge below `taskBarTop` puts the bottom edge there. A card wider or
// higher than the room ends with a negative left or top.
CardPlace HoldCardOnScreen(CardPlace place, CardSize size, int screenWidth, int taskBarTop);

// Where a card dealt from the toolbar (`toolbar`, its screen rectangle)
// goes, so that the toolbar's commands stay in reach for the next deal: at
// the deal button's screen corner `dealCorner`, held on the screen, unless
// the card would then cover part of the toolbar; else just below the
// toolbar at the deal button's left, just above it, right of it or left of
// it, the first of these with room on the screen (held on it along the
// toolbar's edge). A card too large for any of these stands at the deal
// button's corner, held on the screen; the toolbar is then raised over it.
CardPlace DealtCardPlace(WindowRect toolbar, CardPlace dealCorner, CardSize size, int screenWidth,
                         int taskBarTop);

// The order a spread's pictures are decoded in, nearest the user's view
// first: the lower the rank, the sooner. Cards that show at least a pixel on
// the screen (`screenWidth` x `screenHeight`) rank by the distance of their
// centre from the screen's centre; cards wholly off the screen rank after
// all of those, by the same distance.
double PictureRank(CardPlace place, CardSize size, int screenWidth, int screenHeight);
// The order the pictures of cards of these ranks (in the order the cards
// were made) are asked for, as indexes: the order they are to be decoded
// in, since an idle worker takes the first picture asked for before the
// better ranked ones behind it arrive. Lowest rank first; of equal ranks
// (cards in one place) the one made last, which lies on top.
std::vector<std::size_t> PictureRequestOrder(const std::vector<double>& ranks);

enum class ArrowKey { Left, Right, Up, Down };

// The move an arrow key stands for: `step` pixels across (dx) or down (dy),
// screen coordinates (up is negative).
struct ArrowMove {
  int dx = 0;
  int dy = 0;
  bool operator==(const ArrowMove&) const = default;
};
ArrowMove ArrowOffset(ArrowKey key, int step);

// An arrow key without Shift alone: the window moves 16 pixels with Ctrl
// alone, 1 otherwise, and is then held on the screen.
CardPlace MoveCardByArrow(CardPlace place, CardSize size, ArrowKey key, bool ctrlAlone,
                          int screenWidth, int taskBarTop);

// An arrow key with Shift alone: one pixel narrower (left), wider (right),
// lower (up) or higher (down).
CardSize ResizeCardByArrow(CardSize size, ArrowKey key);

// The card height that follows the screen: screen height / 480 x 123,
// rounded half to even (197 on a 768-pixel screen).
int ScreenCardHeight(int screenHeight);
// The card width that goes with it: screen height / 480 x 77.25, rounded
// half to even (124 on a 768-pixel screen). The height, not the width, of
// the screen: a card keeps its proportions on a screen of any proportions.
int ScreenCardWidth(int screenHeight);

// The "=" key: the height follows the screen and the width the picture's
// proportions at that height; without a picture size the width stays.
CardSize EqualsKeyCardSize(CardSize size, int screenHeight, std::int64_t pictureWidth,
                           std::int64_t pictureHeight);
// The "\" key: both sides follow the screen's height (124 x 197 on
// 1024 x 768, 174 x 277 on 1920 x 1080).
CardSize BackslashKeyCardSize(int screenHeight);

// Dragging the right edge by `dx` (or the bottom edge by `dy`): that side
// grows by the displacement; with `autoSize` the other side follows the
// picture's proportions (and stays without a picture size).
CardSize DragCardRightEdge(CardSize size, int dx, bool autoSize, std::int64_t pictureWidth,
                           std::int64_t pictureHeight);
CardSize DragCardBottomEdge(CardSize size, int dy, bool autoSize, std::int64_t pictureWidth,
                            std::int64_t pictureHeight);

}  // namespace vaticor
