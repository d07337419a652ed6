#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "library/picture.h"

namespace vaticor {

enum class PictureFormat { Bmp, Jpeg, Png };

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

// Decodes picture files. The card library asks through this interface; the
// platform layer supplies the decoders, tests supply fakes.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;

  // Decodes the file. A non-empty `target` is the size the picture will be
  // shown at: the decoder may then deliver a smaller picture that still
  // covers it (never smaller than the target in either direction unless the
  // file itself is). Missing, truncated or corrupt files, and pictures over
  // kMaxPicturePixels, give nullptr.
  virtual std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                        PictureSize target) = 0;

  // The picture's pixel size read from its header, without decoding it;
  // nullopt when the file is missing or its header is unreadable.
  virtual std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) = 0;
};

}  // namespace vaticor
