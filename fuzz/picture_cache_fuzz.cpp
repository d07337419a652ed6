// libFuzzer target: any bytes lying in the picture cache where the copy of
// a card's picture belongs, as a broken disk, another program or a hand can
// leave them. The card must come out exactly as its original would: the
// original's size for the size asked, and the original's own pixels unless
// the bytes carry the original's key to the letter (which these cannot: the
// key names the file's modification time in nanoseconds, set afresh for
// every run). Any comment the bytes hold that reads as a key must be one
// the cache itself would write.
//
// The same bytes, past their first two, are also read as the alpha mask of
// a picture of at most 64 x 64 pixels, the first two giving its size: a mask
// read must be the one the cache writes for the alphas it gives, and shrunk
// it gives no alpha outside those, nor touches the colours.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "library/alpha_mask.h"
#include "library/picture_cache.h"
#include "platform/codecs/jpeg_picture_codec.h"
#include "work_folder.h"

namespace {

using namespace vaticor;

constexpr std::uint32_t kOriginalPixel = 0xFF'12'34'56;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A 3000 x 5000 card whose every pixel is kOriginalPixel, at any size.
class Originals : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize target) override {
    const PictureSize size = DeliveredSize(kFull, target);
    auto picture = std::make_unique<Picture>(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) picture->setPixel(x, y, kOriginalPixel);
    }
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override { return kFull; }
  static constexpr PictureSize kFull{3000, 5000};
};

const std::string& WorkFolder() { return fuzz::WorkFolder("picture_cache_fuzz"); }

void CheckMask(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const PictureSize full{1 + data[0] % 64, 1 + data[1] % 64};
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::optional<AlphaMask> mask = AlphaMask::Decode(bytes, full);
  if (!mask) return;
  Picture whole(full.width, full.height);
  mask->ApplyTo(whole);
  Check(EncodeAlphaMask(whole, bytes.size()) == bytes);
  std::uint32_t least = 0xFF, most = 0;
  for (const std::uint32_t argb : whole.pixels()) {
    least = std::min(least, argb >> 24);
    most = std::max(most, argb >> 24);
  }
  Picture shrunk((full.width + 1) / 2, (full.height + 2) / 3);
  shrunk.setPixel(0, 0, 0x00'12'34'56);
  mask->ApplyTo(shrunk);
  Check((shrunk.pixel(0, 0) & 0xFF'FF'FF) == 0x12'34'56);
  for (const std::uint32_t argb : shrunk.pixels()) {
    Check(argb >> 24 >= least && argb >> 24 <= most);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckMask(data, size);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<std::string_view> comment = JpegComment(bytes)) {
    Check(comment->data() >= bytes.data() &&
          comment->data() + comment->size() <= bytes.data() + bytes.size());
    if (const std::optional<PictureCacheKey> key = DecodePictureCacheKey(*comment)) {
      Check(EncodePictureCacheKey(*key) == *comment);
    }
  }

  Originals originals;
  JpegPictureCodec codec;
  CachedPictureLoader cache(originals, codec, WorkFolder() + "/cache", 64u * 1024 * 1024);
  std::filesystem::create_directories(cache.Folder());
  const std::string card = WorkFolder() + "/card.jpg";
  std::ofstream(card, std::ios::binary | std::ios::trunc) << "original";
  std::ofstream(cache.CopyPath(card), std::ios::binary | std::ios::trunc) << bytes;

  for (const PictureSize target : {PictureSize{104, 173}, PictureSize{461, 768}}) {
    const std::unique_ptr<Picture> picture = cache.Load(card, PictureFormat::Jpeg, target);
    Check(picture && picture->size() == target);
    Check(picture->pixel(0, 0) == kOriginalPixel &&
          picture->pixel(target.width - 1, target.height - 1) == kOriginalPixel);
  }
  return 0;
}
