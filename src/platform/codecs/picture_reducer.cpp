#include "platform/codecs/picture_reducer.h"

#include <algorithm>
#include <utility>

namespace vaticor {

namespace {

constexpr std::uint32_t kTransparent = 0x00000000u;

std::uint32_t Channel(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 255.0) return 255;
  return static_cast<std::uint32_t>(value + 0.5);
}

}  // namespace

// Both directions use the same arithmetic, shown here for the columns. In
// units of 1 / (source width * result width) of the picture's width,
// source column x spans [x * outWidth, (x + 1) * outWidth) and result
// column k spans [k * sourceWidth, (k + 1) * sourceWidth). As the result is
// no wider than the source, a source column overlaps one result column or
// two neighbours; each overlap adds the pixel times the overlap's length.
// A result column's weights sum to sourceWidth, a result pixel's to
// sourceWidth * sourceHeight.

PictureReducer::PictureReducer(PictureSize source, PictureSize output, RowOrder order, bool opaque)
    : sourceWidth_(source.width),
      sourceHeight_(source.height),
      outWidth_(output.width),
      outHeight_(output.height),
      order_(order),
      opaque_(opaque),
      shrinking_(source != output),
      picture_(std::make_unique<Picture>(output.width, output.height)) {
  if (!shrinking_) {
    // Pixels left out must come out transparent, not the picture's black.
    if (!opaque_) {
      for (int y = 0; y < picture_->height(); ++y)
        std::fill_n(picture_->row(y), picture_->width(), kTransparent);
    }
    return;
  }
  const std::size_t sums = static_cast<std::size_t>(outWidth_) * 4;
  rowSums_.assign(sums, 0);
  current_.assign(sums, 0.0);
  next_.assign(sums, 0.0);
}

int PictureReducer::PictureRow(std::int64_t arrival) const {
  const std::int64_t height = shrinking_ ? outHeight_ : sourceHeight_;
  return static_cast<int>(order_ == RowOrder::TopDown ? arrival : height - 1 - arrival);
}

std::uint32_t* PictureReducer::DirectRow() {
  if (shrinking_ || !picture_ || row_ >= sourceHeight_) return nullptr;
  return picture_->row(PictureRow(row_));
}

void PictureReducer::Add(std::int64_t x, const std::uint32_t* pixels, std::size_t count) {
  if (!picture_ || row_ >= sourceHeight_ || x < 0 || x >= sourceWidth_) return;
  count = static_cast<std::size_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(count), sourceWidth_ - x));
  if (count == 0) return;
  if (!shrinking_) {
    std::copy_n(pixels, count, picture_->row(PictureRow(row_)) + x);
    return;
  }
  if (opaque_) {
    AddToSums<true>(x, pixels, count);
  } else {
    AddToSums<false>(x, pixels, count);
  }
  rowTouched_ = true;
}

template <bool kOpaque>
void PictureReducer::AddToSums(std::int64_t x, const std::uint32_t* pixels, std::size_t count) {
  const auto sourceWidth = static_cast<std::uint64_t>(sourceWidth_);
  const auto outWidth = static_cast<std::uint64_t>(outWidth_);
  std::uint64_t position = static_cast<std::uint64_t>(x) * outWidth;
  std::uint64_t column = position / sourceWidth;
  std::uint64_t boundary = (column + 1) * sourceWidth;
  std::uint64_t* sums = rowSums_.data();

  auto accumulate = [sums](std::uint64_t k, std::uint32_t pixel, std::uint64_t weight) {
    std::uint64_t* s = sums + 4 * k;
    const std::uint64_t r = (pixel >> 16) & 0xFF;
    const std::uint64_t g = (pixel >> 8) & 0xFF;
    const std::uint64_t b = pixel & 0xFF;
    if constexpr (kOpaque) {
      s[1] += r * weight;
      s[2] += g * weight;
      s[3] += b * weight;
    } else {
      const std::uint64_t alphaWeight = (pixel >> 24) * weight;
      s[0] += alphaWeight;
      s[1] += r * alphaWeight;
      s[2] += g * alphaWeight;
      s[3] += b * alphaWeight;
    }
  };

  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t end = position + outWidth;
    if (end <= boundary) {
      accumulate(column, pixels[i], outWidth);
      if (end == boundary) {
        ++column;
        boundary += sourceWidth;
      }
    } else {
      accumulate(column, pixels[i], boundary - position);
      accumulate(column + 1, pixels[i], end - boundary);
      ++column;
      boundary += sourceWidth;
    }
    position = end;
  }
}

void PictureReducer::SpreadRow() {
  const auto sourceHeight = static_cast<std::uint64_t>(sourceHeight_);
  const auto outHeight = static_cast<std::uint64_t>(outHeight_);
  const std::uint64_t position = static_cast<std::uint64_t>(row_) * outHeight;
  const std::uint64_t end = position + outHeight;
  const std::uint64_t boundary = static_cast<std::uint64_t>(outRow_ + 1) * sourceHeight;
  const double here = static_cast<double>(std::min(end, boundary) - position);
  const double below = end > boundary ? static_cast<double>(end - boundary) : 0.0;
  for (std::size_t i = 0; i < rowSums_.size(); ++i) {
    const double sum = static_cast<double>(rowSums_[i]);
    current_[i] += sum * here;
    next_[i] += sum * below;
  }
  std::fill(rowSums_.begin(), rowSums_.end(), 0);
  rowTouched_ = false;
}

void PictureReducer::EmitRow() {
  std::uint32_t* out = picture_->row(PictureRow(outRow_));
  const double total = static_cast<double>(sourceWidth_) * static_cast<double>(sourceHeight_);
  for (std::int64_t k = 0; k < outWidth_; ++k) {
    const double* s = current_.data() + 4 * k;
    if (opaque_) {
      out[k] = 0xFF000000u | (Channel(s[1] / total) << 16) | (Channel(s[2] / total) << 8) |
               Channel(s[3] / total);
    } else if (s[0] > 0.0) {
      out[k] = (Channel(s[0] / total) << 24) | (Channel(s[1] / s[0]) << 16) |
               (Channel(s[2] / s[0]) << 8) | Channel(s[3] / s[0]);
    } else {
      out[k] = kTransparent;
    }
  }
  std::swap(current_, next_);
  std::fill(next_.begin(), next_.end(), 0.0);
  ++outRow_;
}

void PictureReducer::EndRows(std::int64_t rows) {
  if (!picture_ || rows <= 0 || row_ >= sourceHeight_) return;
  if (!shrinking_) {
    row_ = std::min(sourceHeight_, row_ + rows);
    return;
  }
  if (rowTouched_) SpreadRow();
  row_ = std::min(sourceHeight_, row_ + rows);
  // A result row is complete once every source row it overlaps has ended.
  const auto done = static_cast<std::uint64_t>(row_) * static_cast<std::uint64_t>(outHeight_);
  while (outRow_ < outHeight_ &&
         static_cast<std::uint64_t>(outRow_ + 1) * static_cast<std::uint64_t>(sourceHeight_) <=
             done) {
    EmitRow();
  }
}

std::unique_ptr<Picture> PictureReducer::Finish() {
  if (picture_ && row_ < sourceHeight_) EndRows(sourceHeight_ - row_);
  return std::move(picture_);
}

}  // namespace vaticor
