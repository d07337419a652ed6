#include "large_jpeg.h"

#include <jpeglib.h>

#include <cstdlib>
#include <vector>

namespace vaticor::bench {

// A 3000x5000 photograph-like JPEG at quality 85, made once.
const std::string& LargeJpeg() {
  static const std::string bytes = [] {
    constexpr int kWidth = 3000;
    constexpr int kHeight = 5000;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(kWidth * 3);
    unsigned noise = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
      const int y = static_cast<int>(cinfo.next_scanline);
      for (int x = 0; x < kWidth; ++x) {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>((noise >> 16) & 15);
        row[3 * x] = static_cast<unsigned char>((x * 255 / kWidth + grain) & 0xFF);
        row[3 * x + 1] = static_cast<unsigned char>((y * 255 / kHeight + grain) & 0xFF);
        row[3 * x + 2] = static_cast<unsigned char>(((x + y) / 40 % 2 == 0 ? 60 : 190) + grain);
      }
      JSAMPROW rows[] = {row.data()};
      jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string result(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return result;
  }();
  return bytes;
}

}  // namespace vaticor::bench
