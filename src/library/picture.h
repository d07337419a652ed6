#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vaticor {

struct PictureSize {
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PictureSize&) const = default;
};

// A decoded picture larger than this many pixels is refused: a small file
// that declares a giant image must not exhaust memory.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// A card picture: 32-bit pixels 0xAARRGGBB, rows top to bottom.
class Picture {
 public:
  Picture(int width, int height);  // all pixels opaque black

  int width() const { return width_; }
  int height() const { return height_; }
  PictureSize size() const { return {width_, height_}; }

  std::uint32_t pixel(int x, int y) const { return pixels_[Index(x, y)]; }
  void setPixel(int x, int y, std::uint32_t argb) { pixels_[Index(x, y)] = argb; }
  std::uint32_t* row(int y) { return pixels_.data() + Index(0, y); }
  const std::uint32_t* row(int y) const { return pixels_.data() + Index(0, y); }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

// A new picture, the given one turned by 180 degrees: pixel (x, y) of the
// result is pixel (w - 1 - x, h - 1 - y) of the source. The source is not
// changed.
std::unique_ptr<Picture> MakeReversedPicture(const Picture& source);

}  // namespace vaticor
