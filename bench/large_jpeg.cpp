#include "large_jpeg.h"

#include "jpeg_encoder.h"

namespace vaticor::bench {

const std::string& LargeJpeg() {
  static const std::string bytes = [] {
    constexpr int kWidth = 3000;
    constexpr int kHeight = 5000;
    jpeg_encoder::JpegEncoding encoding;
    encoding.width = kWidth;
    encoding.height = kHeight;
    encoding.quality = 85;
    unsigned noise = 12345;
    encoding.fill = [&noise](int y, std::vector<unsigned char>& row) {
      for (int x = 0; x < kWidth; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>((noise >> 16) & 15);
        row[3 * x] = static_cast<unsigned char>((x * 255 / kWidth + grain) & 0xFF);
        row[3 * x + 1] = static_cast<unsigned char>((y * 255 / kHeight + grain) & 0xFF);
        row[3 * x + 2] = static_cast<unsigned char>(((x + y) / 40 % 2 == 0 ? 60 : 190) + grain);
      }
    };
    return jpeg_encoder::EncodeJpeg(encoding);
  }();
  return bytes;
}

}  // namespace vaticor::bench
