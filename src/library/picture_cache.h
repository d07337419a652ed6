#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "library/alpha_mask.h"
#include "library/picture.h"
#include "library/picture_loader.h"

namespace vaticor {

// Display-size copies of card pictures, so a card of a deck of large
// photographs is shown from a small file instead of being decoded from its
// original every time.
//
// One file per picture in the cache folder: "<16 lowercase hex digits>.jpg",
// the digits a hash of the original's full path. Each is a JPEG whose
// comment segment holds the key it was made from: the original's full path,
// its size in bytes and modification time (ns), its pixel size and the
// copy's; for a picture with transparent pixels, the alpha channel follows
// the key there (library/alpha_mask.h), as a JPEG keeps colours only. A copy
// counts only when the key matches the original as it is now,
// so a picture edited, replaced or renamed over is decoded afresh; a copy
// that is corrupt, foreign (another picture's renamed into place, a file of
// another program), of another layout or whose alpha channel is damaged is
// ignored. The folder may be
// deleted at any time.
//
// Copies are written atomically (WriteFileAtomically) and the folder never
// holds more than `boundBytes` of copies: the least recently used go first.
// A folder that cannot be made or written only means nothing is cached.
//
// Safe to use from several threads at once.

// The most a JPEG comment segment holds: its length field counts itself.
inline constexpr std::size_t kMaxJpegCommentBytes = 65535 - 2;

// Encodes and decodes the copies (libjpeg on the platform side).
class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  // As DecodeJpeg: the picture at DeliveredSize(its size, target); nullptr
  // for anything that is not a whole JPEG.
  virtual std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target) = 0;
  // A JPEG of the picture's colours (its alpha is dropped) with `comment`
  // in a comment segment (at most kMaxJpegCommentBytes); nullopt when it
  // cannot be made.
  virtual std::optional<std::string> EncodeJpeg(const Picture& picture,
                                                std::string_view comment) = 0;
};

// The user's cache folder for the program: "$XDG_CACHE_HOME/vaticor", or
// "$HOME/.cache/vaticor" when XDG_CACHE_HOME is unset, empty or relative (as
// the freedesktop base-directory rules say); empty when neither is usable.
std::string PictureCacheFolder(std::string_view xdgCacheHome, std::string_view home);

// The size a card of `full` pixels is at most shown at on a screen of
// `screen` device pixels: its proportions fitted into the screen as
// PictureLoader::Load fits them (FittedTarget), never larger than the
// picture itself.
PictureSize LargestShownSize(PictureSize full, PictureSize screen);

// The key of a copy, as its comment segment holds it.
struct PictureCacheKey {
  std::string path;
  std::uintmax_t fileSize = 0;
  std::int64_t modified = 0;
  PictureSize full;  // the original's pixel size
  PictureSize copy;  // the copy's
  bool operator==(const PictureCacheKey&) const = default;
};
std::string EncodePictureCacheKey(const PictureCacheKey& key);
// nullopt for anything EncodePictureCacheKey did not make.
std::optional<PictureCacheKey> DecodePictureCacheKey(std::string_view text);
// The first comment segment of a JPEG's header (before its scan); nullopt
// when there is none or the bytes are no JPEG.
std::optional<std::string_view> JpegComment(std::string_view bytes);

// A PictureLoader that shows pictures from their copies where it can and
// decodes the originals through `originals` otherwise.
class CachedPictureLoader : public PictureLoader {
 public:
  static constexpr std::uintmax_t kDefaultBoundBytes = 256u * 1024 * 1024;
  // A copy file larger than this is no copy of ours and is not read.
  static constexpr std::size_t kMaxCopyBytes = 32u * 1024 * 1024;

  // An empty folder caches nothing.
  CachedPictureLoader(PictureLoader& originals, PictureCodec& codec, std::string folder,
                      std::uintmax_t boundBytes = kDefaultBoundBytes);

  // From the copy when its key matches and it holds at least what the
  // original would deliver for `target`; from the original otherwise (and
  // always for an empty target, the full size).
  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                PictureSize target) override;
  std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) override;

  // Makes the copy of a picture for a screen of `screen` device pixels
  // (LargestShownSize; an SVG, drawn at any size, at the size the screen
  // shows it) unless one that serves it is there already. Nothing is made
  // for a picture no larger than that (its original serves as fast)
  // nor for one whose alpha channel does not fit beside the key in the
  // comment segment (noise rather than shapes).
  // Slow (decodes the original): for a worker thread. True when a copy that
  // serves is there afterwards.
  bool Fill(const std::string& path, PictureFormat format, PictureSize screen);

  const std::string& Folder() const { return folder_; }
  std::uintmax_t BoundBytes() const { return bound_; }
  // The bytes the copies take now (listed afresh).
  std::uintmax_t UsedBytes() const;
  // Where the copy of `path` is kept; empty when nothing is cached.
  std::string CopyPath(std::string_view path) const;

 private:
  struct Copy {
    std::string path;  // the copy's file
    PictureCacheKey key;
    std::string bytes;
    std::optional<AlphaMask> mask;  // none for an opaque picture
  };
  // The copy of `path` when its key matches the file as `identity` says.
  std::optional<Copy> ReadCopy(const std::string& path, const FileIdentity& identity) const;
  // Removes the least recently used copies until `incoming` more bytes fit;
  // false when they never can.
  bool MakeRoom(std::uintmax_t incoming);

  PictureLoader& originals_;
  PictureCodec& codec_;
  const std::string folder_;
  const std::uintmax_t bound_;
  std::mutex writing_;  // one writer at a time keeps the bound
};

}  // namespace vaticor
