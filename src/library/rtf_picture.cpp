#include "library/rtf_picture.h"

#include <algorithm>
#include <utility>

#include "core/text_utils.h"

namespace vaticor::rtf {
namespace {

constexpr std::int64_t kMaxPictureTwips = 1'000'000;

// Goal sizes are twips; without them \picw and \pich give PNG and JPEG
// pixels, at 96 per inch.
int ShownTwips(std::int64_t goal, std::int64_t pixels, std::int64_t scale) {
  const std::int64_t twips = goal > 0 ? goal : pixels * 15;
  return static_cast<int>(std::clamp<std::int64_t>(twips * scale / 100, 0, kMaxPictureTwips));
}

}  // namespace

void PictureReader::Start() { *this = PictureReader{}; }

void PictureReader::Word(WordAction action, std::int64_t param) {
  const std::int64_t value = std::clamp<std::int64_t>(param, 0, kMaxPictureTwips);
  switch (action) {
    case WordAction::PngBlip:
      format_ = EmbeddedPicture::Format::Png;
      break;
    case WordAction::JpegBlip:
      format_ = EmbeddedPicture::Format::Jpeg;
      break;
    case WordAction::OtherBlip:
      format_.reset();
      break;
    case WordAction::PicW:
      width_ = value;
      break;
    case WordAction::PicH:
      height_ = value;
      break;
    case WordAction::PicWGoal:
      goalWidth_ = value;
      break;
    case WordAction::PicHGoal:
      goalHeight_ = value;
      break;
    case WordAction::PicScaleX:
      scaleX_ = std::clamp<std::int64_t>(param, 1, 1000);
      break;
    case WordAction::PicScaleY:
      scaleY_ = std::clamp<std::int64_t>(param, 1, 1000);
      break;
    default:
      break;
  }
}

void PictureReader::HexDigit(char c) {
  const int v = HexDigitValue(c);
  if (v < 0 || !format_) return;
  if (nibble_ < 0) {
    nibble_ = v;
  } else {
    bytes_.push_back(static_cast<char>((nibble_ << 4) | v));
    nibble_ = -1;
  }
}

void PictureReader::Binary(std::string_view bytes) {
  if (!format_) return;
  nibble_ = -1;
  bytes_.append(bytes);
}

std::optional<EmbeddedPicture> PictureReader::End() {
  PictureReader data = std::move(*this);
  Start();
  if (!data.format_ || data.bytes_.empty()) return std::nullopt;
  // The stored bytes decide, whatever the file claims they are.
  EmbeddedPicture picture;
  if (data.bytes_.starts_with("\x89PNG\r\n\x1A\n")) {
    picture.format = EmbeddedPicture::Format::Png;
  } else if (data.bytes_.starts_with("\xFF\xD8\xFF")) {
    picture.format = EmbeddedPicture::Format::Jpeg;
  } else {
    return std::nullopt;
  }
  picture.widthTwips = ShownTwips(data.goalWidth_, data.width_, data.scaleX_);
  picture.heightTwips = ShownTwips(data.goalHeight_, data.height_, data.scaleY_);
  picture.bytes = std::move(data.bytes_);
  return picture;
}

}  // namespace vaticor::rtf
