#include "library/picture_loader.h"

#include <algorithm>

namespace vaticor {

namespace {

std::string_view FinalComponent(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = FinalComponent(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view lowerB) {
  if (a.size() != lowerB.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerB[i]) return false;
  }
  return true;
}

}  // namespace

UnknownPictureExtensionError::UnknownPictureExtensionError(const std::string& extension)
    : UserFailure(Kind::kUnknownPictureExtension, extension,
                  "Unknown picture file extension (." + extension + ")") {}

PictureFormat PictureFormatOf(std::string_view path) {
  const std::string_view ext = ExtensionOf(path);
  if (EqualsIgnoringAsciiCase(ext, "bmp")) return PictureFormat::Bmp;
  if (EqualsIgnoringAsciiCase(ext, "jpg") || EqualsIgnoringAsciiCase(ext, "jpeg")) {
    return PictureFormat::Jpeg;
  }
  if (EqualsIgnoringAsciiCase(ext, "png")) return PictureFormat::Png;
  if (EqualsIgnoringAsciiCase(ext, "webp")) return PictureFormat::Webp;
  if (EqualsIgnoringAsciiCase(ext, "svg")) return PictureFormat::Svg;
  throw UnknownPictureExtensionError(std::string(ext));
}

PictureSize FitProportions(PictureSize picture, PictureSize box) {
  if (picture.empty() || box.empty()) return box;
  const std::int64_t w = picture.width;
  const std::int64_t h = picture.height;
  // Either side may set the scale, the other following to the nearest
  // pixel; of the two that fit, the larger. So a size once fitted fits to
  // itself again (a copy made for the whole screen serves a card shown
  // that large).
  const std::int64_t heightForWidth = std::max<std::int64_t>(1, (box.width * h + w / 2) / w);
  const std::int64_t widthForHeight = std::max<std::int64_t>(1, (box.height * w + h / 2) / h);
  const bool byWidth = heightForWidth <= box.height;
  const bool byHeight = widthForHeight <= box.width;
  if (byWidth && (!byHeight || box.width * heightForWidth >= widthForHeight * box.height)) {
    return {box.width, static_cast<int>(heightForWidth)};
  }
  // One of the two always fits: the side that meets the box first.
  return {static_cast<int>(std::min<std::int64_t>(widthForHeight, box.width)), box.height};
}

PictureSize DeliveredSize(PictureSize full, PictureSize target) {
  if (target.empty()) return full;
  return {std::min(full.width, target.width), std::min(full.height, target.height)};
}

const SizedPicture* ChoosePictureForHeight(const std::vector<SizedPicture>& pictures,
                                           std::int32_t targetHeight) {
  const SizedPicture* above = nullptr;  // the smallest raster at or above
  const SizedPicture* below = nullptr;  // the largest raster below
  const SizedPicture* scalable = nullptr;
  for (const SizedPicture& picture : pictures) {
    if (picture.height <= 0) {
      if (!scalable) scalable = &picture;
    } else if (picture.height >= targetHeight) {
      if (!above || picture.height < above->height) above = &picture;
    } else if (!below || picture.height > below->height) {
      below = &picture;
    }
  }
  if (above) return above;
  if (scalable) return scalable;
  return below;
}

PictureFile PictureForHeight(const PictureFile& file, std::int32_t targetHeight) {
  if (file.sizes.empty() || targetHeight <= 0) return file;
  std::vector<SizedPicture> known;
  for (const SizedPicture& size : file.sizes) {
    try {
      PictureFormatOf(size.path);
      known.push_back(size);
    } catch (const UnknownPictureExtensionError&) {
    }
  }
  const SizedPicture* chosen = ChoosePictureForHeight(known, targetHeight);
  if (!chosen) return file;
  return PictureFile{chosen->path, PictureFormatOf(chosen->path)};
}

}  // namespace vaticor
