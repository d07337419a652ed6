#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_failure.h"
#include "library/picture.h"

namespace vaticor {

// Svg is drawn at the size shown; the others are decoded and shrunk to it.
enum class PictureFormat { Bmp, Jpeg, Png, Webp, Svg };

// One of several pictures of a card at different sizes (a deck with a
// folder per size): its path and the height of its folder in pixels, 0 for
// a drawing that scales (SVG).
struct SizedPicture {
  std::string path;
  std::int32_t height = 0;
};

// The picture to show a card at `targetHeight` pixels from those it has:
// the smallest at or above the target (shrinking keeps a picture sharp);
// else the scalable one; else the largest below. Null when `pictures` is
// empty.
const SizedPicture* ChoosePictureForHeight(const std::vector<SizedPicture>& pictures,
                                           std::int32_t targetHeight);

// A picture file and the format its extension names.
struct PictureFile {
  std::string path;
  PictureFormat format = PictureFormat::Jpeg;
  // The same card's pictures at other sizes, full paths, `path` among
  // them; empty when the card has one picture.
  std::vector<SizedPicture> sizes{};
};

// The file to decode for showing at `targetHeight` pixels: the one
// ChoosePictureForHeight picks from `sizes`, or `file` itself. A size
// whose extension names no known format is passed over.
PictureFile PictureForHeight(const PictureFile& file, std::int32_t targetHeight);

// Raised for a picture file whose extension names no known format; the
// message is the one the user sees: "Unknown picture file extension (.xyz)".
class UnknownPictureExtensionError : public UserFailure {
 public:
  explicit UnknownPictureExtensionError(const std::string& extension);
};

// The format a file's extension names, compared without regard to case:
// "bmp", "jpg" or "jpeg", "png", "webp", "svg". Raises UnknownPictureExtensionError for any
// other extension (an empty one included).
PictureFormat PictureFormatOf(std::string_view path);

// The size a picture of `full` pixels is shrunk to for `target` pixels: the
// target itself, except that pictures are never enlarged, so a direction in
// which the picture is smaller than the target keeps the picture's own
// length. An empty target gives `full`. The decoders take their target as
// it comes; PictureLoader::Load first fits the picture's proportions into
// the area asked (FittedTarget).
PictureSize DeliveredSize(PictureSize full, PictureSize target);

// The largest size with the proportions of `picture` that fits in `box`,
// each side at least 1 pixel (sides rounded to the nearest); `box` when
// either is empty. 64-bit arithmetic: any int sizes.
PictureSize FitProportions(PictureSize picture, PictureSize box);

// What a picture of `full` pixels is decoded at to be shown in an area of
// `area` pixels: its own proportions fitted into the area, so a card is
// never distorted (the area shows it centred); an empty area stays empty
// (the full size).
inline PictureSize FittedTarget(PictureSize full, PictureSize area) {
  return area.empty() ? area : FitProportions(full, area);
}

// Decodes picture files. The card library asks through this interface; the
// platform layer supplies the decoders, tests supply fakes.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;

  // Decodes the file. A non-empty `target` is the area in pixels the
  // picture will be shown in: it then comes out at DeliveredSize(file size,
  // FittedTarget(file size, target)), with its own proportions, and decoding holds little more than
  // that, whatever size the file declares. Missing, truncated or corrupt files, and pictures that
  // would hold more than kMaxPicturePixels pixels, give nullptr.
  virtual std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                        PictureSize target) = 0;

  // The picture's pixel size read from its header, without decoding it;
  // nullopt when the file is missing or its header is unreadable.
  virtual std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) = 0;
};

// A loader that decodes and measures nothing: for a deck that only names its
// picture files (a journal entry's own deck), which the picture workers then
// decode with the program's loader.
class NamingOnlyLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize) override {
    return nullptr;
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return std::nullopt;
  }
};

}  // namespace vaticor
