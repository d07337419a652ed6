#pragma once

#include <cstddef>

#include "library/picture_loader.h"

namespace vaticor {

// Reads picture files from disk: BMP and JPEG through the decoders in
// platform/codecs, PNG and WebP through Qt's readers (WebP: its image-format
// plugin, libwebp), SVG drawn by Qt SVG at the size asked (or its own size
// without a target) onto a transparent picture, within kMaxPicturePixels.
// Files over kMaxPictureFileBytes are refused without being read.
//
// With a target, BMP and JPEG pictures are shrunk row by row as they are
// decoded, and so are non-interlaced PNG pictures of 8-bit RGB or RGBA;
// other PNG pictures Qt reads at full size (within kMaxPicturePixels and
// Qt's allocation limit) before shrinking them.
class FilePictureLoader : public PictureLoader {
 public:
  static constexpr std::size_t kMaxPictureFileBytes = 256u * 1024 * 1024;
  // Measure reads no more than this from the start of a file, except for a
  // JPEG whose headers run longer (large EXIF or ICC segments).
  static constexpr std::size_t kMeasurePrefixBytes = 64u * 1024;

  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                PictureSize target) override;
  std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) override;
};

}  // namespace vaticor
