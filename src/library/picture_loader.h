#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "library/picture.h"

namespace vaticor {

enum class PictureFormat { Bmp, Jpeg, Png };

// A picture file and the format its extension names.
struct PictureFile {
  std::string path;
  PictureFormat format = PictureFormat::Jpeg;
};

// Raised for a picture file whose extension names no known format; the
// message is the one the user sees: "Unknown picture file extension (.xyz)".
class UnknownPictureExtensionError : public std::runtime_error {
 public:
  explicit UnknownPictureExtensionError(const std::string& extension);
};

// The format a file's extension names, compared without regard to case:
// "bmp", "jpg" or "jpeg", "png". Raises UnknownPictureExtensionError for any
// other extension (an empty one included).
PictureFormat PictureFormatOf(std::string_view path);

// The size a picture of `full` pixels is delivered at to be shown at
// `target` pixels: the target itself, except that pictures are never
// enlarged, so a direction in which the picture is smaller than the target
// keeps the picture's own length. An empty target gives `full`. Pictures are
// stretched over the area that shows them, so the proportions follow the
// target, not the file.
PictureSize DeliveredSize(PictureSize full, PictureSize target);

// Decodes picture files. The card library asks through this interface; the
// platform layer supplies the decoders, tests supply fakes.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;

  // Decodes the file. A non-empty `target` is the size in pixels the
  // picture will be shown at: it then comes out at DeliveredSize(file size,
  // target), and decoding holds little more than that, whatever size the
  // file declares. Missing, truncated or corrupt files, and pictures that
  // would hold more than kMaxPicturePixels pixels, give nullptr.
  virtual std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                        PictureSize target) = 0;

  // The picture's pixel size read from its header, without decoding it;
  // nullopt when the file is missing or its header is unreadable.
  virtual std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) = 0;
};

}  // namespace vaticor
