#include "platform/codecs/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <new>

#include "library/picture_loader.h"
#include "platform/codecs/picture_reducer.h"

namespace vaticor {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kMaskOffset = kFileHeaderSize + 40;  // masks follow the 40-byte fields

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kMissingPaletteColour = kOpaque;

enum class Compression { Rgb, Rle8, Rle4, Bitfields, AlphaBitfields };

struct Header {
  std::uint32_t headerSize = 0;
  int width = 0;
  int height = 0;  // always positive; see topDown
  bool topDown = false;
  int bitCount = 0;
  Compression compression = Compression::Rgb;
  std::uint32_t colorsUsed = 0;  // 0: the full 2^bitCount
  std::uint32_t dataOffset = 0;
};

class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint8_t U8(std::size_t offset) const { return static_cast<std::uint8_t>(bytes_[offset]); }
  std::uint16_t U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  std::uint32_t U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(U8(offset)) |
           (static_cast<std::uint32_t>(U8(offset + 1)) << 8) |
           (static_cast<std::uint32_t>(U8(offset + 2)) << 16) |
           (static_cast<std::uint32_t>(U8(offset + 3)) << 24);
  }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

 private:
  std::string_view bytes_;
};

bool IsCoreHeader(const Header& h) { return h.headerSize == 12; }
bool IsOs2V2Header(const Header& h) { return h.headerSize == 16 || h.headerSize == 64; }

std::optional<Header> ParseHeader(const Bytes& in) {
  if (!in.Has(0, kFileHeaderSize + 4) || in.U8(0) != 'B' || in.U8(1) != 'M') return std::nullopt;
  Header h;
  h.dataOffset = in.U32(10);
  h.headerSize = in.U32(14);
  switch (h.headerSize) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      break;
    default:
      return std::nullopt;
  }
  if (!in.Has(kFileHeaderSize, h.headerSize)) return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  unsigned planes = 0;
  std::uint32_t compression = 0;
  if (IsCoreHeader(h)) {
    width = in.U16(18);
    height = in.U16(20);
    planes = in.U16(22);
    h.bitCount = in.U16(24);
  } else {
    width = in.I32(18);
    height = in.I32(22);
    planes = in.U16(26);
    h.bitCount = in.U16(28);
    if (h.headerSize >= 20) compression = in.U32(30);
    if (h.headerSize >= 36) h.colorsUsed = in.U32(46);
  }
  if (planes != 1 || width <= 0 || height == 0) return std::nullopt;
  h.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);

  switch (compression) {
    case 0:
      h.compression = Compression::Rgb;
      break;
    case 1:
      h.compression = Compression::Rle8;
      break;
    case 2:
      h.compression = Compression::Rle4;
      break;
    case 3:  // OS/2 2.x: Huffman 1D, not supported
      if (IsOs2V2Header(h)) return std::nullopt;
      h.compression = Compression::Bitfields;
      break;
    case 6:
      h.compression = Compression::AlphaBitfields;
      break;
    default:  // 4: JPEG (OS/2: RLE24), 5: PNG, and anything unknown
      return std::nullopt;
  }

  switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
      if (h.compression == Compression::Bitfields || h.compression == Compression::AlphaBitfields) {
        return std::nullopt;
      }
      break;
    case 16:
    case 32:
      if (h.compression == Compression::Rle8 || h.compression == Compression::Rle4)
        return std::nullopt;
      break;
    case 24:
      if (h.compression != Compression::Rgb) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  if (h.compression == Compression::Rle8 && h.bitCount != 8) return std::nullopt;
  if (h.compression == Compression::Rle4 && h.bitCount != 4) return std::nullopt;
  // Run-length data is always stored bottom-up.
  if (h.topDown && (h.compression == Compression::Rle8 || h.compression == Compression::Rle4)) {
    return std::nullopt;
  }
  return h;
}

// One colour channel described by a bit mask, scaled to 8 bits.
class MaskChannel {
 public:
  explicit MaskChannel(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = std::bit_width(mask >> shift_);
  }
  bool present() const { return mask_ != 0; }
  std::uint32_t Extract(std::uint32_t value) const {
    if (mask_ == 0) return 0;
    std::uint32_t v = (value & mask_) >> shift_;
    if (bits_ >= 8) return v >> (bits_ - 8);
    const std::uint32_t max = (1u << bits_) - 1;
    return (v * 255 + max / 2) / max;
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
};

struct Masks {
  MaskChannel red{0}, green{0}, blue{0}, alpha{0};
};

std::optional<Masks> ReadMasks(const Bytes& in, const Header& h) {
  std::uint32_t limit = h.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  std::array<std::uint32_t, 4> m{};
  bool alphaUsable = false;
  if (h.compression == Compression::Rgb) {
    if (h.bitCount == 16)
      m = {0x7C00u, 0x03E0u, 0x001Fu, 0};
    else
      m = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};
  } else {
    const bool withAlpha = h.compression == Compression::AlphaBitfields || h.headerSize >= 56;
    const std::size_t count = withAlpha ? 4 : 3;
    if (!in.Has(kMaskOffset, count * 4)) return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) m[i] = in.U32(kMaskOffset + 4 * i) & limit;
    alphaUsable = withAlpha && m[3] != 0;
  }
  Masks masks;
  masks.red = MaskChannel(m[0]);
  masks.green = MaskChannel(m[1]);
  masks.blue = MaskChannel(m[2]);
  masks.alpha = MaskChannel(alphaUsable ? m[3] : 0);
  return masks;
}

// Where the bytes after the headers (masks, palette) begin.
std::size_t EndOfHeaders(const Header& h) {
  std::size_t end = kFileHeaderSize + h.headerSize;
  if (h.headerSize == 40) {
    if (h.compression == Compression::Bitfields) end += 12;
    if (h.compression == Compression::AlphaBitfields) end += 16;
  }
  return end;
}

using Palette = std::array<std::uint32_t, 256>;

Palette ReadPalette(const Bytes& in, const Header& h) {
  Palette palette;
  palette.fill(kMissingPaletteColour);
  const std::size_t start = EndOfHeaders(h);
  const std::size_t entrySize = IsCoreHeader(h) ? 3 : 4;
  const std::size_t full = std::size_t{1} << h.bitCount;
  std::size_t count =
      (h.colorsUsed == 0 || IsCoreHeader(h)) ? full : std::min<std::size_t>(h.colorsUsed, full);
  // The palette ends where the pixel data starts (some OS/2 files store a
  // short one) and certainly at the end of the file.
  count = std::min(count, (h.dataOffset - start) / entrySize);
  if (start < in.size())
    count = std::min(count, (in.size() - start) / entrySize);
  else
    count = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = start + i * entrySize;
    palette[i] = kOpaque | (std::uint32_t{in.U8(at + 2)} << 16) |
                 (std::uint32_t{in.U8(at + 1)} << 8) | in.U8(at);
  }
  return palette;
}

// Pixels are converted this many at a time when the picture is shrunk, so
// that no row of the source is ever held whole.
constexpr std::size_t kChunkPixels = 512;

struct RowLayout {
  std::uint64_t stride = 0;   // bytes from one stored row to the next
  std::uint64_t lastRow = 0;  // bytes the last row needs (its padding may be missing)
};

RowLayout LayoutOf(const Header& h) {
  const std::uint64_t bitsPerRow =
      static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.bitCount);
  return {(bitsPerRow + 31) / 32 * 4, (bitsPerRow + 7) / 8};
}

std::uint32_t StoredValue(const Bytes& in, const Header& h, std::size_t base, std::size_t x) {
  return h.bitCount == 16 ? in.U16(base + 2 * x) : in.U32(base + 4 * x);
}

// Converts `count` pixels of the stored row at byte `base`, from column `x`.
void ConvertPixels(const Bytes& in, const Header& h, const Palette& palette, const Masks& masks,
                   std::size_t base, std::size_t x, std::size_t count, std::uint32_t* out) {
  switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8: {
      const auto bpp = static_cast<std::size_t>(h.bitCount);
      const unsigned valueMask = (1u << bpp) - 1;
      for (std::size_t i = 0; i < count; ++i) {
        const std::size_t bit = (x + i) * bpp;
        const unsigned shift = static_cast<unsigned>(8 - bpp - bit % 8);
        out[i] = palette[(in.U8(base + bit / 8) >> shift) & valueMask];
      }
      break;
    }
    case 24:
      for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = base + 3 * (x + i);
        out[i] = kOpaque | (std::uint32_t{in.U8(at + 2)} << 16) |
                 (std::uint32_t{in.U8(at + 1)} << 8) | in.U8(at);
      }
      break;
    default:  // 16 or 32 through masks
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t v = StoredValue(in, h, base, x + i);
        const std::uint32_t a = masks.alpha.present() ? masks.alpha.Extract(v) : 0xFF;
        out[i] = (a << 24) | (masks.red.Extract(v) << 16) | (masks.green.Extract(v) << 8) |
                 masks.blue.Extract(v);
      }
      break;
  }
}

// Whether any pixel has a non-zero alpha. A file whose alpha channel is all
// zero was written by a program that does not use it; showing it invisible
// would be wrong. This must be known before the first row is shrunk.
bool AnyAlpha(const Bytes& in, const Header& h, const Masks& masks, const RowLayout& layout) {
  for (int r = 0; r < h.height; ++r) {
    const std::size_t base =
        h.dataOffset + static_cast<std::size_t>(layout.stride) * static_cast<std::size_t>(r);
    for (int x = 0; x < h.width; ++x) {
      if (masks.alpha.Extract(StoredValue(in, h, base, static_cast<std::size_t>(x))) != 0)
        return true;
    }
  }
  return false;
}

std::unique_ptr<Picture> DecodeUncompressed(const Bytes& in, const Header& h,
                                            const Palette& palette, Masks masks,
                                            PictureSize delivered) {
  const RowLayout layout = LayoutOf(h);
  const std::uint64_t needed =
      layout.stride * static_cast<std::uint64_t>(h.height - 1) + layout.lastRow;
  if (h.dataOffset > in.size() || needed > in.size() - h.dataOffset) return nullptr;

  if (masks.alpha.present() && !AnyAlpha(in, h, masks, layout)) masks.alpha = MaskChannel(0);
  const bool opaque = !masks.alpha.present();
  PictureReducer reducer(
      {h.width, h.height}, delivered,
      h.topDown ? PictureReducer::RowOrder::TopDown : PictureReducer::RowOrder::BottomUp, opaque);
  std::array<std::uint32_t, kChunkPixels> chunk;
  const auto width = static_cast<std::size_t>(h.width);
  for (int r = 0; r < h.height; ++r) {
    const std::size_t base =
        h.dataOffset + static_cast<std::size_t>(layout.stride) * static_cast<std::size_t>(r);
    if (std::uint32_t* direct = reducer.DirectRow()) {
      ConvertPixels(in, h, palette, masks, base, 0, width, direct);
    } else {
      for (std::size_t x = 0; x < width; x += kChunkPixels) {
        const std::size_t count = std::min(kChunkPixels, width - x);
        ConvertPixels(in, h, palette, masks, base, x, count, chunk.data());
        reducer.Add(static_cast<std::int64_t>(x), chunk.data(), count);
      }
    }
    reducer.EndRows(1);
  }
  return reducer.Finish();
}

std::unique_ptr<Picture> DecodeRunLength(const Bytes& in, const Header& h, const Palette& palette,
                                         PictureSize delivered) {
  if (h.dataOffset >= in.size()) return nullptr;
  const bool rle4 = h.compression == Compression::Rle4;
  // Pixels the data never writes stay transparent.
  PictureReducer reducer({h.width, h.height}, delivered, PictureReducer::RowOrder::BottomUp, false);

  // x and y count from the bottom-left corner, as the data does.
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::array<std::uint32_t, 255> run;  // a run is at most 255 pixels
  // Pixels past the right edge (a run longer than the row) are dropped.
  auto put = [&](std::size_t count) {
    if (x < h.width) reducer.Add(x, run.data(), count);
    x += static_cast<std::int64_t>(count);
  };

  std::size_t pos = h.dataOffset;
  for (;;) {
    if (y >= h.height) return reducer.Finish();  // whatever follows lies outside the picture
    if (!in.Has(pos, 2)) return nullptr;         // cut short before the end-of-bitmap mark
    const unsigned count = in.U8(pos);
    const unsigned value = in.U8(pos + 1);
    pos += 2;
    if (count > 0) {  // a run of one index (RLE4: two alternating indices)
      for (unsigned i = 0; i < count; ++i) {
        run[i] = palette[rle4 ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value];
      }
      put(count);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        reducer.EndRows(1);
        break;
      case 1:  // end of bitmap
        return reducer.Finish();
      case 2: {  // delta
        if (!in.Has(pos, 2)) return nullptr;
        x += in.U8(pos);
        const unsigned down = in.U8(pos + 1);
        y += down;
        reducer.EndRows(down);
        pos += 2;
        break;
      }
      default: {  // a literal run of `value` pixels, padded to a whole word
        const std::size_t dataBytes = rle4 ? (value + 1) / 2 : value;
        const std::size_t padded = (dataBytes + 1) & ~std::size_t{1};
        if (!in.Has(pos, padded)) return nullptr;
        for (unsigned i = 0; i < value; ++i) {
          const unsigned byte = in.U8(pos + (rle4 ? i / 2 : i));
          run[i] = palette[rle4 ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte];
        }
        put(value);
        pos += padded;
        break;
      }
    }
  }
}

std::unique_ptr<Picture> Decode(const Bytes& in, PictureSize target) {
  const std::optional<Header> h = ParseHeader(in);
  if (!h) return nullptr;
  // Only the delivered picture is ever held, so the limit applies to it.
  const PictureSize delivered = DeliveredSize({h->width, h->height}, target);
  if (static_cast<std::int64_t>(delivered.width) * delivered.height > kMaxPicturePixels)
    return nullptr;
  if (h->dataOffset < EndOfHeaders(*h) || h->dataOffset > in.size()) return nullptr;

  Palette palette{};
  if (h->bitCount <= 8) palette = ReadPalette(in, *h);
  Masks masks;
  if (h->bitCount == 16 || h->bitCount == 32) {
    std::optional<Masks> read = ReadMasks(in, *h);
    if (!read) return nullptr;
    masks = *read;
  }

  if (h->compression == Compression::Rle8 || h->compression == Compression::Rle4) {
    return DecodeRunLength(in, *h, palette, delivered);
  }
  return DecodeUncompressed(in, *h, palette, masks, delivered);
}

}  // namespace

std::optional<PictureSize> MeasureBmp(std::string_view headerBytes) {
  const std::optional<Header> h = ParseHeader(Bytes(headerBytes));
  if (!h) return std::nullopt;
  return PictureSize{h->width, h->height};
}

std::unique_ptr<Picture> DecodeBmp(std::string_view bytes, PictureSize target) {
  try {
    return Decode(Bytes(bytes), target);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace vaticor
