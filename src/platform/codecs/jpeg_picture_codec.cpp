#include "platform/codecs/jpeg_picture_codec.h"

#include <exception>

#include "jpeg_encoder.h"
#include "platform/codecs/jpeg_decoder.h"

namespace vaticor {

std::unique_ptr<Picture> JpegPictureCodec::DecodeJpeg(std::string_view bytes, PictureSize target) {
  return vaticor::DecodeJpeg(bytes, target);
}

std::optional<std::string> JpegPictureCodec::EncodeJpeg(const Picture& picture,
                                                        std::string_view comment) {
  if (picture.size().empty() || comment.size() > kMaxJpegCommentBytes) return std::nullopt;
  jpeg_encoder::JpegEncoding encoding;
  encoding.width = picture.width();
  encoding.height = picture.height();
  encoding.quality = 90;
  encoding.optimizeCoding = true;
  encoding.comment = std::string(comment);
  encoding.fill = [&picture](int y, std::vector<unsigned char>& row) {
    const std::uint32_t* pixels = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      const std::uint32_t argb = pixels[x];
      const auto at = static_cast<std::size_t>(x) * 3;
      row[at] = static_cast<unsigned char>(argb >> 16);
      row[at + 1] = static_cast<unsigned char>(argb >> 8);
      row[at + 2] = static_cast<unsigned char>(argb);
    }
  };
  try {
    return jpeg_encoder::EncodeJpeg(encoding);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace vaticor
