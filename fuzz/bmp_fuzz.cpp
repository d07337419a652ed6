// libFuzzer target for the bitmap decoder.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/codecs/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<vaticor::PictureSize> measured = vaticor::MeasureBmp(bytes);
  const std::unique_ptr<vaticor::Picture> picture = vaticor::DecodeBmp(bytes);
  // Whatever decodes has the size its header declares.
  if (picture && (!measured || *measured != picture->size())) __builtin_trap();
  return 0;
}
