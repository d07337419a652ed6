#include "core/spread_geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/main_window_geometry.h"
#include "core/window_bounds.h"

namespace vaticor {
namespace {

// Cards follow the screen from the same 640 x 480 reference as the main
// window; a card is 77.25 x 123 there.
constexpr double kReferenceCardWidth = 77.25;
constexpr double kReferenceCardHeight = 123.0;

// a x b / c, truncated toward zero, with c > 0. Sides and picture sizes are
// 32-bit, so the product fits; larger inputs saturate rather than wrap.
std::int64_t Proportion(std::int64_t a, std::int64_t b, std::int64_t c) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  a = a < -kLimit ? -kLimit : (a > kLimit ? kLimit : a);
  b = b > kLimit ? kLimit : b;
  return a * b / c;
}

}  // namespace

int BoundCardSide(std::int64_t side) {
  return Bound(side, kSmallestSpreadCard, kLargestSpreadCard);
}

std::optional<int> WidthForHeight(std::int64_t height, std::int64_t pictureWidth,
                                  std::int64_t pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return std::nullopt;
  return BoundCardSide(Proportion(height, pictureWidth, pictureHeight));
}

std::optional<int> HeightForWidth(std::int64_t width, std::int64_t pictureWidth,
                                  std::int64_t pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return std::nullopt;
  return BoundCardSide(Proportion(width, pictureHeight, pictureWidth));
}

CardPlace HoldCardOnScreen(CardPlace place, CardSize size, int screenWidth, int taskBarTop) {
  std::int64_t left = place.left;
  std::int64_t top = place.top;
  if (left < 0) left = 0;
  if (left + size.width > screenWidth) left = std::int64_t{screenWidth} - size.width;
  if (top < 0) top = 0;
  if (top + size.height > taskBarTop) top = std::int64_t{taskBarTop} - size.height;
  return {static_cast<int>(left), static_cast<int>(top)};
}

CardPlace DealtCardPlace(WindowRect toolbar, CardPlace dealCorner, CardSize size, int screenWidth,
                         int taskBarTop) {
  const std::int64_t toolbarRight = std::int64_t{toolbar.left} + toolbar.width;
  const std::int64_t toolbarBottom = std::int64_t{toolbar.top} + toolbar.height;
  const auto coversToolbar = [&](CardPlace place) {
    return Overlaps({place.left, place.top, size.width, size.height}, toolbar);
  };
  const CardPlace atCorner = HoldCardOnScreen(dealCorner, size, screenWidth, taskBarTop);
  if (!coversToolbar(atCorner)) return atCorner;
  // Below or above: held across the screen, the toolbar's edge kept.
  if (toolbarBottom + size.height <= taskBarTop) {
    const CardPlace held = HoldCardOnScreen({dealCorner.left, 0}, size, screenWidth, taskBarTop);
    return {held.left, static_cast<int>(toolbarBottom)};
  }
  if (std::int64_t{toolbar.top} - size.height >= 0) {
    const CardPlace held = HoldCardOnScreen({dealCorner.left, 0}, size, screenWidth, taskBarTop);
    return {held.left, toolbar.top - size.height};
  }
  // Beside: held down the screen.
  const CardPlace down = HoldCardOnScreen({0, toolbar.top}, size, screenWidth, taskBarTop);
  if (toolbarRight + size.width <= screenWidth) return {static_cast<int>(toolbarRight), down.top};
  if (std::int64_t{toolbar.left} - size.width >= 0) return {toolbar.left - size.width, down.top};
  return atCorner;
}

ArrowMove ArrowOffset(ArrowKey key, int step) {
  switch (key) {
    case ArrowKey::Left:
      return {-step, 0};
    case ArrowKey::Right:
      return {step, 0};
    case ArrowKey::Up:
      return {0, -step};
    case ArrowKey::Down:
      return {0, step};
  }
  return {};
}

CardPlace MoveCardByArrow(CardPlace place, CardSize size, ArrowKey key, bool ctrlAlone,
                          int screenWidth, int taskBarTop) {
  const ArrowMove move = ArrowOffset(key, ctrlAlone ? 16 : 1);
  std::int64_t left = std::int64_t{place.left} + move.dx;
  std::int64_t top = std::int64_t{place.top} + move.dy;
  // Whatever the start, the hold brings both back into int range: a left
  // past the screen goes to its right edge, one below 0 to 0.
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (left > screenWidth) left = screenWidth;
  if (top > taskBarTop) top = taskBarTop;
  return HoldCardOnScreen({static_cast<int>(left), static_cast<int>(top)}, size, screenWidth,
                          taskBarTop);
}

CardSize ResizeCardByArrow(CardSize size, ArrowKey key) {
  switch (key) {
    case ArrowKey::Left:
      return {BoundCardSide(std::int64_t{size.width} - 1), size.height};
    case ArrowKey::Right:
      return {BoundCardSide(std::int64_t{size.width} + 1), size.height};
    case ArrowKey::Up:
      return {size.width, BoundCardSide(std::int64_t{size.height} - 1)};
    case ArrowKey::Down:
      return {size.width, BoundCardSide(std::int64_t{size.height} + 1)};
  }
  return size;
}

int ScreenCardHeight(int screenHeight) {
  return BoundCardSide(RoundHalfEven(screenHeight / kReferenceHeight * kReferenceCardHeight));
}

int ScreenCardWidth(int screenHeight) {
  return BoundCardSide(RoundHalfEven(screenHeight / kReferenceHeight * kReferenceCardWidth));
}

CardSize EqualsKeyCardSize(CardSize size, int screenHeight, std::int64_t pictureWidth,
                           std::int64_t pictureHeight) {
  const int height = ScreenCardHeight(screenHeight);
  return {WidthForHeight(height, pictureWidth, pictureHeight).value_or(size.width), height};
}

CardSize BackslashKeyCardSize(int screenHeight) {
  return {ScreenCardWidth(screenHeight), ScreenCardHeight(screenHeight)};
}

CardSize DragCardRightEdge(CardSize size, int dx, bool autoSize, std::int64_t pictureWidth,
                           std::int64_t pictureHeight) {
  CardSize result{BoundCardSide(std::int64_t{size.width} + dx), size.height};
  if (autoSize) {
    result.height = HeightForWidth(result.width, pictureWidth, pictureHeight).value_or(size.height);
  }
  return result;
}

CardSize DragCardBottomEdge(CardSize size, int dy, bool autoSize, std::int64_t pictureWidth,
                            std::int64_t pictureHeight) {
  CardSize result{size.width, BoundCardSide(std::int64_t{size.height} + dy)};
  if (autoSize) {
    result.width = WidthForHeight(result.height, pictureWidth, pictureHeight).value_or(size.width);
  }
  return result;
}

double PictureRank(CardPlace place, CardSize size, int screenWidth, int screenHeight) {
  const double dx = place.left + size.width / 2.0 - screenWidth / 2.0;
  const double dy = place.top + size.height / 2.0 - screenHeight / 2.0;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const bool onScreen =
      place.left < screenWidth &&
      place.top<screenHeight&& static_cast<std::int64_t>(place.left) + size.width> 0 &&
      static_cast<std::int64_t>(place.top) + size.height > 0;
  // Farther than any point of the screen from its centre.
  const double offScreen = std::hypot(static_cast<double>(screenWidth), screenHeight) +
                           std::hypot(static_cast<double>(size.width), size.height);
  return onScreen ? distance : offScreen + distance;
}

std::vector<std::size_t> PictureRequestOrder(const std::vector<double>& ranks) {
  std::vector<std::size_t> order(ranks.size());
  std::iota(order.rbegin(), order.rend(), std::size_t{0});  // the last made first
  std::stable_sort(order.begin(), order.end(),
                   [&ranks](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
  return order;
}

}  // namespace vaticor
