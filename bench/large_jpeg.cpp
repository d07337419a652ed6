#include "large_jpeg.h"

#include <map>
#include <mutex>
#include <utility>

#include "jpeg_encoder.h"

namespace vaticor::bench {

const std::string& LargeJpeg(int width, int height) {
  static std::mutex mutex;
  static std::map<std::pair<int, int>, std::string> made;
  std::lock_guard lock(mutex);
  std::string& bytes = made[{width, height}];
  if (bytes.empty()) {
    jpeg_encoder::JpegEncoding encoding;
    encoding.width = width;
    encoding.height = height;
    encoding.quality = 85;
    unsigned noise = 12345;
    encoding.fill = [&noise, width, height](int y, std::vector<unsigned char>& row) {
      for (int x = 0; x < width; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>((noise >> 16) & 15);
        row[3 * x] = static_cast<unsigned char>((x * 255 / width + grain) & 0xFF);
        row[3 * x + 1] = static_cast<unsigned char>((y * 255 / height + grain) & 0xFF);
        row[3 * x + 2] = static_cast<unsigned char>(((x + y) / 40 % 2 == 0 ? 60 : 190) + grain);
      }
    };
    bytes = jpeg_encoder::EncodeJpeg(encoding);
  }
  return bytes;
}

}  // namespace vaticor::bench
