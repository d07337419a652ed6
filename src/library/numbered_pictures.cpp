#include "library/numbered_pictures.h"

#include <sys/stat.h>

#include <array>
#include <optional>
#include <string_view>

#include "core/file_io.h"
#include "core/text_utils.h"
#include "library/open_deck_names.h"
#include "library/picture_loader.h"

namespace vaticor {

namespace {

// One to three decimal digits: their value; else nullopt.
std::optional<std::int32_t> Number(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The identity a relative path names, or nullopt.
std::optional<std::int32_t> IdentityOf(std::string_view path) {
  try {
    PictureFormatOf(path);
  } catch (const UnknownPictureExtensionError&) {
    return std::nullopt;
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find_first_of("/\\", start);
    parts.push_back(AsciiLower(path.substr(start, slash - start)));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  std::string& name = parts.back();
  name.erase(name.rfind('.'));  // the extension, which PictureFormatOf found
  if (parts.size() == 1) {
    const std::optional<std::int32_t> number = Number(name);
    if (number && *number < kCardIdentities) return number;
    return std::nullopt;
  }
  if (parts.size() == 2 && parts[0] == "major_arcana") {
    const std::optional<std::int32_t> number = Number(name);
    if (number && *number < kMajorArcanaCount) return number;
    return std::nullopt;
  }
  if (parts.size() == 3 && parts[0] == "minor_arcana") {
    const std::int32_t identity = MinorKeyIdentity(parts[1], name);
    if (identity >= 0) return identity;
  }
  return std::nullopt;
}

// Whether `path` is a folder itself, not a link to one.
bool IsRealFolder(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entries of `folder` below it as `prefix` + name: its files into
// `files`, its folders (links to folders not counted) into `folders`.
void ListInto(const std::string& folder, const std::string& prefix, std::vector<std::string>& files,
              std::vector<std::string>* folders) {
  for (const std::string& name : ListDirectory(folder)) {
    if (!IsRealFolder(JoinPath(folder, name))) {
      files.push_back(prefix + name);
    } else if (folders != nullptr) {
      folders->push_back(name);
    }
  }
}

}  // namespace

NumberedPictures FindNumberedPictures(const std::string& folder) {
  std::vector<std::string> files;
  std::vector<std::string> folders;
  ListInto(folder, "", files, &folders);
  for (const std::string& name : folders) {
    const std::string lower = AsciiLower(name);
    if (lower == "major_arcana") {
      ListInto(JoinPath(folder, name), name + "/", files, nullptr);
    } else if (lower == "minor_arcana") {
      std::vector<std::string> suits;
      ListInto(JoinPath(folder, name), name + "/", files, &suits);
      for (const std::string& suit : suits) {
        if (SuitIndex(AsciiLower(suit)) < 0) continue;
        ListInto(JoinPath(JoinPath(folder, name), suit), name + "/" + suit + "/", files, nullptr);
      }
    }
  }
  return RecogniseNumberedPictures(files);
}

NumberedPictures RecogniseNumberedPictures(std::span<const std::string> files) {
  NumberedPictures pictures;
  bool minor = false;
  for (const std::string& file : files) {
    const std::optional<std::int32_t> identity = IdentityOf(file);
    if (!identity) continue;
    std::string& slot = pictures.byIdentity[static_cast<std::size_t>(*identity)];
    if (!slot.empty()) {
      if (pictures.clash.empty()) pictures.clash = {slot, file};
      continue;
    }
    slot = file;
    ++pictures.found;
    minor = minor || *identity >= kMajorArcanaCount;
  }
  if (pictures.found > 0) pictures.cards = minor ? kCardIdentities : kMajorArcanaCount;
  return pictures;
}

}  // namespace vaticor
