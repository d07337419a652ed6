#include "library/alpha_mask.h"

#include <algorithm>
#include <limits>

namespace vaticor {

namespace {

constexpr std::uint32_t kMaxNumber = std::numeric_limits<std::int32_t>::max();

std::uint8_t AlphaOf(std::uint32_t argb) { return static_cast<std::uint8_t>(argb >> 24); }

void AppendNumber(std::string& out, std::uint32_t value) {
  while (value >= 0x80) {
    out += static_cast<char>(0x80 | (value & 0x7F));
    value >>= 7;
  }
  out += static_cast<char>(value);
}

// A number of 1 ... kMaxNumber in its shortest form at `at`, which it moves
// past; nullopt for anything else.
std::optional<std::int32_t> ReadNumber(std::string_view bytes, std::size_t& at) {
  std::uint64_t value = 0;
  for (int shift = 0; shift < 35 && at < bytes.size(); shift += 7) {
    const auto byte = static_cast<unsigned char>(bytes[at++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) {
      // A last byte of 0 after others is a longer form of a shorter number.
      if ((byte == 0 && shift > 0) || value == 0 || value > kMaxNumber) return std::nullopt;
      return static_cast<std::int32_t>(value);
    }
  }
  return std::nullopt;
}

bool SameAlphas(const Picture& picture, int a, int b) {
  const std::uint32_t* first = picture.row(a);
  const std::uint32_t* second = picture.row(b);
  for (int x = 0; x < picture.width(); ++x) {
    if (AlphaOf(first[x]) != AlphaOf(second[x])) return false;
  }
  return true;
}

// Fills the transparent pixels of one row from their nearest visible
// neighbours; false when the row has none.
bool SpreadAlongRow(std::uint32_t* row, int width) {
  int previous = -1;  // the last visible pixel
  for (int x = 0; x <= width; ++x) {
    if (x < width && AlphaOf(row[x]) == 0) continue;
    // Pixels previous+1 ... x-1 are transparent: the left half takes the
    // visible pixel on its left, the right half the one on its right.
    if (previous < 0 && x == width) return false;
    const int gapStart = previous + 1;
    const int middle = previous < 0 ? gapStart : x == width ? x : gapStart + (x - gapStart) / 2;
    for (int g = gapStart; g < x; ++g) {
      const std::uint32_t from = g < middle ? row[previous] : row[x];
      row[g] = from & 0x00'FF'FF'FFu;
    }
    previous = x;
  }
  return true;
}

}  // namespace

bool IsOpaque(const Picture& picture) {
  return std::all_of(picture.pixels().begin(), picture.pixels().end(),
                     [](std::uint32_t argb) { return AlphaOf(argb) == 0xFF; });
}

std::optional<std::string> EncodeAlphaMask(const Picture& picture, std::size_t limit) {
  std::string out;
  if (picture.size().empty()) return std::nullopt;
  std::string runs;
  for (int y = 0; y < picture.height();) {
    int rows = 1;
    while (y + rows < picture.height() && SameAlphas(picture, y, y + rows)) ++rows;
    runs.clear();
    const std::uint32_t* row = picture.row(y);
    for (int x = 0; x < picture.width();) {
      int length = 1;
      while (x + length < picture.width() && AlphaOf(row[x + length]) == AlphaOf(row[x])) ++length;
      AppendNumber(runs, static_cast<std::uint32_t>(length));
      runs += static_cast<char>(AlphaOf(row[x]));
      x += length;
      if (out.size() + runs.size() > limit) return std::nullopt;
    }
    AppendNumber(out, static_cast<std::uint32_t>(rows));
    out += runs;
    if (out.size() > limit) return std::nullopt;
    y += rows;
  }
  return out;
}

void SpreadVisibleColours(Picture& picture) {
  const int height = picture.height();
  // Per row: the nearest row at or above it with something visible, -1 for
  // none.
  std::vector<int> above(static_cast<std::size_t>(std::max(height, 0)), -1);
  for (int y = 0; y < height; ++y) {
    const bool visible = SpreadAlongRow(picture.row(y), picture.width());
    above[static_cast<std::size_t>(y)] = visible ? y
                                         : y > 0 ? above[static_cast<std::size_t>(y - 1)]
                                                 : -1;
  }
  // Rows with nothing visible take the nearer visible row's colours, the one
  // above on a tie, upwards from the bottom so that the nearest below is
  // known.
  int below = -1;
  for (int y = height - 1; y >= 0; --y) {
    const int up = above[static_cast<std::size_t>(y)];
    if (up == y) {
      below = y;
      continue;
    }
    const int from = up < 0 ? below : below < 0 || y - up <= below - y ? up : below;
    if (from < 0) return;  // nothing visible anywhere
    const std::uint32_t* source = picture.row(from);
    std::uint32_t* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) row[x] = source[x] & 0x00'FF'FF'FFu;
  }
}

std::optional<AlphaMask> AlphaMask::Decode(std::string_view bytes, PictureSize size) {
  if (size.empty() || static_cast<std::int64_t>(size.width) * size.height > kMaxPicturePixels) {
    return std::nullopt;
  }
  AlphaMask mask;
  mask.size_ = size;
  std::size_t at = 0;
  std::int64_t rows = 0;
  while (at < bytes.size()) {
    const std::optional<std::int32_t> bandRows = ReadNumber(bytes, at);
    if (!bandRows || rows + *bandRows > size.height) return std::nullopt;
    rows += *bandRows;
    Band band{*bandRows, mask.runs_.size(), 0};
    for (std::int64_t columns = 0; columns < size.width; ++band.runs) {
      const std::optional<std::int32_t> length = ReadNumber(bytes, at);
      if (!length || columns + *length > size.width || at >= bytes.size()) return std::nullopt;
      const auto alpha = static_cast<std::uint8_t>(bytes[at++]);
      if (band.runs > 0 && mask.runs_.back().alpha == alpha) return std::nullopt;
      mask.runs_.push_back({*length, alpha});
      columns += *length;
    }
    if (!mask.bands_.empty()) {
      const Band& previous = mask.bands_.back();
      const auto same = [](const Run& a, const Run& b) {
        return a.length == b.length && a.alpha == b.alpha;
      };
      if (previous.runs == band.runs &&
          std::equal(mask.runs_.begin() + static_cast<std::ptrdiff_t>(previous.firstRun),
                     mask.runs_.begin() + static_cast<std::ptrdiff_t>(band.firstRun),
                     mask.runs_.begin() + static_cast<std::ptrdiff_t>(band.firstRun), same)) {
        return std::nullopt;
      }
    }
    mask.bands_.push_back(band);
  }
  if (rows != size.height) return std::nullopt;
  return mask;
}

void AlphaMask::AddColumns(const Band& band, std::int64_t width,
                           std::vector<std::uint64_t>& sums) const {
  // In units where a mask column is `width` long and a picture column
  // size_.width: both span size_.width * width.
  const std::int64_t maskWidth = size_.width;
  std::fill(sums.begin(), sums.end(), 0);
  std::int64_t start = 0;
  for (std::size_t i = band.firstRun; i < band.firstRun + band.runs; ++i) {
    const std::int64_t end = start + runs_[i].length * width;
    for (std::int64_t column = start / maskWidth; column < width && column * maskWidth < end;
         ++column) {
      const std::int64_t overlap =
          std::min(end, (column + 1) * maskWidth) - std::max(start, column * maskWidth);
      sums[static_cast<std::size_t>(column)] +=
          static_cast<std::uint64_t>(overlap) * runs_[i].alpha;
    }
    start = end;
  }
}

void AlphaMask::ApplyTo(Picture& picture) const {
  const std::int64_t width = picture.width(), height = picture.height();
  if (width <= 0 || height <= 0) return;
  // Rows in units where a mask row is `height` long and a picture row
  // size_.height. A pixel's sum counts its area size_.width * size_.height
  // times; at most 255 * kMaxPicturePixels, well within 64 bits.
  const std::int64_t maskHeight = size_.height;
  const std::uint64_t area = static_cast<std::uint64_t>(size_.width) * size_.height;
  std::vector<std::uint64_t> columns(static_cast<std::size_t>(width));
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(width));
  std::int64_t row = 0;  // the picture row being summed
  std::int64_t start = 0;
  for (const Band& band : bands_) {
    AddColumns(band, width, columns);
    const std::int64_t end = start + band.rows * height;
    while (start < end && row < height) {
      const std::int64_t rowEnd = (row + 1) * maskHeight;
      const std::int64_t part = std::min(end, rowEnd) - start;
      for (std::size_t x = 0; x < sums.size(); ++x) {
        sums[x] += columns[x] * static_cast<std::uint64_t>(part);
      }
      start += part;
      if (start == rowEnd) {
        std::uint32_t* pixels = picture.row(static_cast<int>(row));
        for (std::size_t x = 0; x < sums.size(); ++x) {
          const std::uint64_t alpha = (sums[x] + area / 2) / area;
          pixels[x] = (pixels[x] & 0x00'FF'FF'FFu) | static_cast<std::uint32_t>(alpha) << 24;
        }
        std::fill(sums.begin(), sums.end(), 0);
        ++row;
      }
    }
    start = end;
  }
}

}  // namespace vaticor
