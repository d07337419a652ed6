#pragma once

#include "library/picture_cache.h"

namespace vaticor {

// The picture cache's copies as libjpeg reads and writes them: quality 90,
// 4:2:0 colour, Huffman tables made for each picture (smaller files).
class JpegPictureCodec : public PictureCodec {
 public:
  std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target) override;
  std::optional<std::string> EncodeJpeg(const Picture& picture, std::string_view comment) override;
};

}  // namespace vaticor
