#include "jpeg_writer.h"

#include <QImage>
#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>

#include "jpeg_encoder.h"

namespace sample_content {

void write_jpeg(const QImage& image, const std::filesystem::path& file, int quality) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_encoder::JpegEncoding encoding;
  encoding.width = rgb.width();
  encoding.height = rgb.height();
  encoding.quality = quality;
  encoding.optimizeCoding = true;
  encoding.fill = [&rgb](int y, std::vector<unsigned char>& row) {
    const uchar* line = rgb.constScanLine(y);
    std::copy(line, line + row.size(), row.begin());
  };
  std::string bytes;
  try {
    bytes = jpeg_encoder::EncodeJpeg(encoding);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(file.string() + ": " + error.what());
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace sample_content
