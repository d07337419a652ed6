// libFuzzer target for the JPEG decoder, at full size and scaled down.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/picture_loader.h"
#include "platform/codecs/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<vaticor::PictureSize> measured = vaticor::MeasureJpeg(bytes);
  const std::unique_ptr<vaticor::Picture> full = vaticor::DecodeJpeg(bytes, {});
  if (full && (!measured || *measured != full->size())) __builtin_trap();
  constexpr vaticor::PictureSize kTarget{24, 24};
  const std::unique_ptr<vaticor::Picture> small = vaticor::DecodeJpeg(bytes, kTarget);
  // A scaled decode comes out at the target, never enlarged.
  if (small && (!measured || small->size() != vaticor::DeliveredSize(*measured, kTarget)))
    __builtin_trap();
  if (small && full && (small->width() > full->width() || small->height() > full->height())) {
    __builtin_trap();
  }
  return 0;
}
