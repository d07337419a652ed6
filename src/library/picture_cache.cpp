#include "library/picture_cache.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <vector>

namespace vaticor {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKeyMagic = "vaticor-picture-cache 1";
constexpr std::string_view kCopySuffix = ".jpg";
constexpr std::size_t kHashDigits = 16;
constexpr std::size_t kKeyFields = 8;
// After the key of a picture with transparent pixels: '\0', this, '\0' and
// the alpha mask. Earlier versions, which wrote no masks, refuse such a
// comment (a key with more fields) and show the picture from its original.
constexpr std::string_view kMaskMagic = "alpha 1";

std::uint64_t HashOfPath(std::string_view path) {
  // FNV-1a: the name only spreads the copies; the key inside decides.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : path) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// "<16 lowercase hex digits>.jpg": a copy's name; nothing else in the folder
// is counted or removed.
bool IsCopyName(std::string_view name) {
  return name.size() == kHashDigits + kCopySuffix.size() && name.ends_with(kCopySuffix) &&
         std::all_of(name.begin(), name.begin() + kHashDigits, IsHexDigit);
}

template <typename Integer>
std::optional<Integer> ParseWhole(std::string_view text) {
  Integer value{};
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseSide(std::string_view text) {
  const std::optional<int> side = ParseWhole<int>(text);
  return side && *side > 0 ? side : std::nullopt;
}

unsigned ReadBigEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 8 |
         static_cast<unsigned char>(bytes[at + 1]);
}

struct CommentParts {
  std::string_view key;
  std::optional<std::string_view> mask;
};

// The key and the mask of a copy's comment; nullopt when what follows the
// key is no mask. The key is only split off here: its decoder judges it.
std::optional<CommentParts> SplitComment(std::string_view comment) {
  std::size_t end = 0;
  for (std::size_t fields = 0; fields < kKeyFields; ++fields) {
    end = comment.find('\0', fields == 0 ? 0 : end + 1);
    if (end == std::string_view::npos) return CommentParts{comment, std::nullopt};
  }
  const std::string_view rest = comment.substr(end + 1);
  if (!rest.starts_with(kMaskMagic) || rest.size() == kMaskMagic.size() ||
      rest[kMaskMagic.size()] != '\0') {
    return std::nullopt;
  }
  return CommentParts{comment.substr(0, end), rest.substr(kMaskMagic.size() + 1)};
}

// Marks a copy as just used, so the least recently used go first.
void Touch(const std::string& path) {
  std::error_code ignored;
  fs::last_write_time(path, fs::file_time_type::clock::now(), ignored);
}

// A copy of `copy` pixels holds what `wanted` asks for in both directions.
bool Covers(PictureSize copy, PictureSize wanted) {
  return copy.width >= wanted.width && copy.height >= wanted.height;
}

}  // namespace

std::string PictureCacheFolder(std::string_view xdgCacheHome, std::string_view home) {
  if (!xdgCacheHome.empty() && xdgCacheHome.front() == '/')
    return JoinPath(xdgCacheHome, "vaticor");
  if (!home.empty() && home.front() == '/') return JoinPath(home, ".cache/vaticor");
  return {};
}

PictureSize LargestShownSize(PictureSize full, PictureSize screen) {
  if (full.empty() || screen.empty()) return full;
  // As the loaders fit it into the largest area there is: any smaller area
  // gets a size no larger, so the copy covers it.
  return DeliveredSize(full, FittedTarget(full, screen));
}

std::string EncodePictureCacheKey(const PictureCacheKey& key) {
  std::string text(kKeyMagic);
  for (const std::string& field :
       {key.path, std::to_string(key.fileSize), std::to_string(key.modified),
        std::to_string(key.full.width), std::to_string(key.full.height),
        std::to_string(key.copy.width), std::to_string(key.copy.height)}) {
    text += '\0';
    text += field;
  }
  return text;
}

std::optional<PictureCacheKey> DecodePictureCacheKey(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\0', start);
    fields.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos || fields.size() > kKeyFields) break;
    start = end + 1;
  }
  if (fields.size() != kKeyFields || fields[0] != kKeyMagic || fields[1].empty()) {
    return std::nullopt;
  }
  PictureCacheKey key;
  key.path = std::string(fields[1]);
  const auto size = ParseWhole<std::uintmax_t>(fields[2]);
  const std::string_view modified = fields[3];
  const auto time = modified.starts_with('-') ? ParseWhole<std::int64_t>(modified.substr(1))
                                              : ParseWhole<std::int64_t>(modified);
  const auto fw = ParseSide(fields[4]), fh = ParseSide(fields[5]);
  const auto cw = ParseSide(fields[6]), ch = ParseSide(fields[7]);
  if (!size || !time || !fw || !fh || !cw || !ch) return std::nullopt;
  key.fileSize = *size;
  key.modified = modified.starts_with('-') ? -*time : *time;
  key.full = {*fw, *fh};
  key.copy = {*cw, *ch};
  // A copy is never larger than its picture, but for a drawing, which is
  // drawn at the size shown.
  bool drawing = false;
  try {
    drawing = PictureFormatOf(key.path) == PictureFormat::Svg;
  } catch (const UnknownPictureExtensionError&) {
  }
  if (!drawing && (key.copy.width > key.full.width || key.copy.height > key.full.height)) {
    return std::nullopt;
  }
  return key;
}

std::optional<std::string_view> JpegComment(std::string_view bytes) {
  if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xD8) {
    return std::nullopt;
  }
  std::size_t at = 2;
  while (at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
    const unsigned marker = static_cast<unsigned char>(bytes[at + 1]);
    // The scan starts: no header segment follows.
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;
    const std::size_t length = ReadBigEndian16(bytes, at + 2);
    if (length < 2 || at + 2 + length > bytes.size()) return std::nullopt;
    if (marker == 0xFE) return bytes.substr(at + 4, length - 2);
    at += 2 + length;
  }
  return std::nullopt;
}

CachedPictureLoader::CachedPictureLoader(PictureLoader& originals, PictureCodec& codec,
                                         std::string folder, std::uintmax_t boundBytes)
    : originals_(originals), codec_(codec), folder_(std::move(folder)), bound_(boundBytes) {}

std::string CachedPictureLoader::CopyPath(std::string_view path) const {
  if (folder_.empty()) return {};
  char name[kHashDigits + 1];
  const std::uint64_t hash = HashOfPath(path);
  for (std::size_t i = 0; i < kHashDigits; ++i) {
    name[i] = "0123456789abcdef"[(hash >> (4 * (kHashDigits - 1 - i))) & 0xF];
  }
  name[kHashDigits] = '\0';
  return JoinPath(folder_, std::string(name) + std::string(kCopySuffix));
}

std::optional<CachedPictureLoader::Copy> CachedPictureLoader::ReadCopy(
    const std::string& path, const FileIdentity& identity) const {
  std::string copyPath = CopyPath(path);
  std::optional<std::string> bytes = ReadFilePrefix(copyPath, kMaxCopyBytes + 1);
  if (!bytes || bytes->size() > kMaxCopyBytes) return std::nullopt;
  const std::optional<std::string_view> comment = JpegComment(*bytes);
  if (!comment) return std::nullopt;
  const std::optional<CommentParts> parts = SplitComment(*comment);
  if (!parts) return std::nullopt;
  std::optional<PictureCacheKey> key = DecodePictureCacheKey(parts->key);
  if (!key || key->path != path || key->fileSize != identity.size ||
      key->modified != identity.modified) {
    return std::nullopt;
  }
  std::optional<AlphaMask> mask;
  if (parts->mask) {
    // A damaged mask would show the picture with holes or a ground.
    mask = AlphaMask::Decode(*parts->mask, key->copy);
    if (!mask) return std::nullopt;
  }
  return Copy{std::move(copyPath), std::move(*key), std::move(*bytes), std::move(mask)};
}

std::unique_ptr<Picture> CachedPictureLoader::Load(const std::string& path, PictureFormat format,
                                                   PictureSize target) {
  if (!folder_.empty() && !target.empty()) {
    const FileIdentity identity = IdentifyFile(path);
    if (identity.exists) {
      if (std::optional<Copy> copy = ReadCopy(path, identity)) {
        const PictureSize area = FittedTarget(copy->key.full, target);
        // A drawing is drawn at the size asked, larger than its own too.
        const PictureSize wanted =
            format == PictureFormat::Svg ? area : DeliveredSize(copy->key.full, area);
        if (Covers(copy->key.copy, wanted)) {
          std::unique_ptr<Picture> picture = codec_.DecodeJpeg(copy->bytes, area);
          // A copy that decodes to another size than its key says is not
          // the one its key was written for.
          if (picture && picture->size() == wanted) {
            if (copy->mask) copy->mask->ApplyTo(*picture);
            Touch(copy->path);
            return picture;
          }
        }
      }
    }
  }
  return originals_.Load(path, format, target);
}

std::optional<PictureSize> CachedPictureLoader::Measure(const std::string& path,
                                                        PictureFormat format) {
  return originals_.Measure(path, format);
}

bool CachedPictureLoader::Fill(const std::string& path, PictureFormat format, PictureSize screen) {
  if (folder_.empty()) return false;
  const FileIdentity identity = IdentifyFile(path);
  if (!identity.exists) return false;
  const std::optional<PictureSize> full = originals_.Measure(path, format);
  if (!full || full->empty()) return false;
  // A drawing has no pixels of its own to stay within: it is drawn at the
  // size shown, up to the screen's, and slowly, so that copy is kept.
  const bool drawing = format == PictureFormat::Svg;
  const PictureSize wanted =
      drawing ? FitProportions(*full, screen) : LargestShownSize(*full, screen);
  if (wanted == *full && !drawing) return false;
  if (std::optional<Copy> copy = ReadCopy(path, identity)) {
    if (copy->key.full == *full && Covers(copy->key.copy, wanted)) {
      return true;
    }
  }
  const std::unique_ptr<Picture> picture = originals_.Load(path, format, wanted);
  if (!picture || picture->size() != wanted) return false;
  // Changed while it was decoded: the key would not describe the picture.
  if (IdentifyFile(path) != identity) return false;
  const PictureCacheKey key{path, identity.size, identity.modified, *full, picture->size()};
  std::string comment = EncodePictureCacheKey(key);
  // A JPEG keeps no transparency: the alpha channel goes beside the key.
  if (!IsOpaque(*picture)) {
    const std::size_t framing = comment.size() + 2 + kMaskMagic.size();
    if (framing >= kMaxJpegCommentBytes) return false;
    const std::optional<std::string> mask =
        EncodeAlphaMask(*picture, kMaxJpegCommentBytes - framing);
    if (!mask) return false;
    ((comment += '\0') += kMaskMagic) += '\0';
    comment += *mask;
    SpreadVisibleColours(*picture);
  }
  const std::optional<std::string> bytes = codec_.EncodeJpeg(*picture, comment);
  if (!bytes || bytes->size() > kMaxCopyBytes) return false;

  std::lock_guard lock(writing_);
  std::error_code error;
  if (!fs::is_directory(folder_, error)) {
    if (!fs::create_directories(folder_, error)) return false;
    // The copies show what the user's decks hold: the user's eyes only.
    fs::permissions(folder_, fs::perms::owner_all, error);
  }
  if (!MakeRoom(bytes->size())) return false;
  return WriteFileAtomically(CopyPath(path), *bytes);
}

std::uintmax_t CachedPictureLoader::UsedBytes() const {
  std::uintmax_t used = 0;
  for (const std::string& name : ListDirectory(folder_)) {
    if (!IsCopyName(name)) continue;
    const FileIdentity identity = IdentifyFile(JoinPath(folder_, name));
    if (identity.exists) used += identity.size;
  }
  return used;
}

bool CachedPictureLoader::MakeRoom(std::uintmax_t incoming) {
  if (incoming > bound_) return false;
  struct Entry {
    std::string path;
    std::uintmax_t size;
    std::int64_t modified;
  };
  std::vector<Entry> entries;
  std::uintmax_t used = 0;
  const auto now = std::chrono::system_clock::now();
  for (const std::string& name : ListDirectory(folder_)) {
    if (!IsCopyName(name)) {
      // A writer killed in the middle left its temporary file.
      if (name.starts_with('.') && name.size() > kHashDigits + kCopySuffix.size() + 1) {
        const std::string copyName = name.substr(1, kHashDigits + kCopySuffix.size());
        if (IsCopyName(copyName)) RemoveStaleTemporaryFiles(folder_, copyName, now);
      }
      continue;
    }
    std::string path = JoinPath(folder_, name);
    const FileIdentity identity = IdentifyFile(path);
    if (!identity.exists) continue;
    used += identity.size;
    entries.push_back({std::move(path), identity.size, identity.modified});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.modified < b.modified; });
  for (const Entry& entry : entries) {
    if (used + incoming <= bound_) break;
    std::error_code error;
    if (fs::remove(entry.path, error)) used -= entry.size;
  }
  return used + incoming <= bound_;
}

}  // namespace vaticor
