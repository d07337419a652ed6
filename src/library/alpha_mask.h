#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/picture.h"

namespace vaticor {

// The alpha channel of a picture kept without loss beside a copy of its
// colours that keeps none (a JPEG), small enough for a JPEG's comment
// segment when the transparency is shapes (rounded corners, a drawing on a
// transparent ground) rather than noise.
//
// The bytes, each number an unsigned LEB128 of 1 ... 2^31 - 1 in its
// shortest form:
//   mask := band+, the bands' rows adding up to the picture's height
//   band := rows run+, the runs' lengths adding up to its width: `rows`
//           rows alike, each the runs from left to right
//   run  := length alpha (one byte)
// Neighbouring runs of a band differ in alpha, neighbouring bands in their
// runs: one picture has one mask.

// Whether every pixel is fully opaque (alpha 0xFF): such a picture needs no
// mask.
bool IsOpaque(const Picture& picture);

// The mask of `picture`'s alpha channel; nullopt when it would take more
// than `limit` bytes (found out as soon as it does, without coding the rest).
std::optional<std::string> EncodeAlphaMask(const Picture& picture, std::size_t limit);

// Gives every fully transparent pixel of `picture` the colour of the nearest
// pixel that is not (along its row; a row with none takes the nearest row
// that has one). What shows is unchanged, but a lossy coder no longer sees
// an edge there: the visible edge pixels keep their colour rather than
// taking a dark fringe from an invisible ground (often black), and a copy
// shrunk by averaging colours without their alpha stays right at its edges.
// A picture with nothing visible is left as it is.
void SpreadVisibleColours(Picture& picture);

// A mask read back for a picture of a given size.
class AlphaMask {
 public:
  // The mask in `bytes` for a picture of `size`; nullopt for bytes that are
  // not exactly one (cut short, trailing bytes, rows or runs that do not
  // add up, a form EncodeAlphaMask does not write), for an empty size and
  // for one of more than kMaxPicturePixels pixels. Memory follows the
  // bytes, never the size.
  static std::optional<AlphaMask> Decode(std::string_view bytes, PictureSize size);

  PictureSize size() const { return size_; }

  // Sets the alpha of every pixel of `picture` (its colours untouched) to
  // the mask's average over the area that pixel covers, the mask stretched
  // over the whole picture: the mask itself at its own size, and what area
  // averaging gives when the colours were decoded smaller. Time about
  // picture pixels plus picture width times bands.
  void ApplyTo(Picture& picture) const;

 private:
  struct Run {
    std::int32_t length;
    std::uint8_t alpha;
  };
  struct Band {
    std::int32_t rows;
    std::size_t firstRun;
    std::size_t runs;
  };
  // Per column of a `width`-pixel picture, the band's alphas times the
  // part of that column each covers, in units making a column `size_.width`.
  void AddColumns(const Band& band, std::int64_t width, std::vector<std::uint64_t>& sums) const;

  PictureSize size_;
  std::vector<Band> bands_;
  std::vector<Run> runs_;
};

}  // namespace vaticor
