#include "library/picture.h"

#include <algorithm>

namespace vaticor {

namespace {
constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;
}

Picture::Picture(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kOpaqueBlack) {}

std::unique_ptr<Picture> MakeReversedPicture(const Picture& source) {
  const int w = source.width();
  const int h = source.height();
  auto result = std::make_unique<Picture>(w, h);
  if (w == 0 || h == 0) return result;
  // Row y of the result is row h-1-y of the source read right to left; the
  // middle row of an odd height is thereby mirrored in place.
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* from = source.row(h - 1 - y);
    std::reverse_copy(from, from + w, result->row(y));
  }
  return result;
}

}  // namespace vaticor
