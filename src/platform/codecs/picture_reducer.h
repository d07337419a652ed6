#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "library/picture.h"

namespace vaticor {

// Builds a picture from the rows of a larger one handed over one at a time,
// shrinking it on the way: a decoder holds the result and three rows of
// sums (96 bytes a column of the result), however large the source is.
//
// Each pixel of the result is the average of the source area it covers,
// source pixels that straddle its edge counting by the part inside (area
// averaging). Colours are averaged weighted by their alpha, so a transparent
// pixel lends its colour to nothing. A result as large as the source is the
// source, pixel for pixel.
//
// Source pixels never handed over (the gaps run-length data may leave) are
// transparent, 0x00000000.
class PictureReducer {
 public:
  // The order the source rows come in; the result is upright either way.
  enum class RowOrder { TopDown, BottomUp };

  // `output` is not empty and no larger than `source` in either direction.
  // `opaque` promises that every source pixel is handed over, with alpha
  // 0xFF, which spares the alpha weighting. Throws std::bad_alloc.
  PictureReducer(PictureSize source, PictureSize output, RowOrder order, bool opaque);

  // Where the current source row lands when the result keeps the source's
  // size: the caller may write the row's pixels there instead of calling
  // Add. nullptr while shrinking, and after the last row.
  std::uint32_t* DirectRow();

  // `count` pixels 0xAARRGGBB of the current source row, from column `x`
  // (>= 0) on. Calls for one row come left to right without overlapping.
  // Pixels past the right edge, and rows past the last, are dropped.
  void Add(std::int64_t x, const std::uint32_t* pixels, std::size_t count);

  // Ends the current source row; the `rows - 1` rows after it are gaps.
  void EndRows(std::int64_t rows = 1);

  // Ends the picture (rows not yet ended are gaps) and hands it over; the
  // reducer is spent.
  std::unique_ptr<Picture> Finish();

 private:
  template <bool kOpaque>
  void AddToSums(std::int64_t x, const std::uint32_t* pixels, std::size_t count);
  void SpreadRow();
  void EmitRow();
  int PictureRow(std::int64_t arrival) const;

  std::int64_t sourceWidth_;
  std::int64_t sourceHeight_;
  std::int64_t outWidth_;
  std::int64_t outHeight_;
  RowOrder order_;
  bool opaque_;
  bool shrinking_;
  std::unique_ptr<Picture> picture_;

  std::int64_t row_ = 0;     // the current source row, counted in arrival order
  std::int64_t outRow_ = 0;  // the result row `current_` sums up, in arrival order
  bool rowTouched_ = false;  // whether `rowSums_` holds anything
  // Per result column, four channels (alpha, red, green, blue); with alpha
  // weighting the colours are sums of colour times alpha. The current
  // source row's sums are integers (they cannot overflow: at most
  // 255 * 255 * source width); the result rows' sums of those, weighted
  // by rows, outgrow 64 bits for giant sources and are kept as doubles.
  std::vector<std::uint64_t> rowSums_;
  std::vector<double> current_;
  std::vector<double> next_;
};

}  // namespace vaticor
