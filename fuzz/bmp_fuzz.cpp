// libFuzzer target for the bitmap decoder.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library/picture_loader.h"
#include "platform/codecs/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<vaticor::PictureSize> measured = vaticor::MeasureBmp(bytes);
  const std::unique_ptr<vaticor::Picture> picture = vaticor::DecodeBmp(bytes);
  // Whatever decodes has the size its header declares.
  if (picture && (!measured || *measured != picture->size())) __builtin_trap();

  // Shrunk for a small card: the target's size, never enlarged, decoded
  // whenever the full picture is, and every channel within the range the
  // full picture spans (an average lies between its extremes).
  constexpr vaticor::PictureSize kTarget{24, 24};
  const std::unique_ptr<vaticor::Picture> small = vaticor::DecodeBmp(bytes, kTarget);
  if (small && (!measured || small->size() != vaticor::DeliveredSize(*measured, kTarget)))
    __builtin_trap();
  if (picture && !small) __builtin_trap();
  if (picture && small) {
    std::array<std::uint32_t, 4> low{255, 255, 255, 255}, high{0, 0, 0, 0};
    for (std::uint32_t px : picture->pixels()) {
      for (int c = 0; c < 4; ++c) {
        const std::uint32_t v = (px >> (8 * c)) & 0xFF;
        low[c] = std::min(low[c], v);
        high[c] = std::max(high[c], v);
      }
    }
    for (std::uint32_t px : small->pixels()) {
      const bool visible = (px >> 24) != 0;
      for (int c = 0; c < 4; ++c) {
        const std::uint32_t v = (px >> (8 * c)) & 0xFF;
        // An invisible pixel's colour carries nothing.
        if ((visible || c == 3) && (v < low[c] || v > high[c])) __builtin_trap();
      }
    }
  }
  return 0;
}
