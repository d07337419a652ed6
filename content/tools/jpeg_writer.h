// Baseline JPEG encoding straight through libjpeg.
#pragma once

#include <filesystem>

class QImage;

namespace sample_content {

// Encodes the image as a baseline JPEG (4:2:0, given quality) and writes it
// to the file. Throws std::runtime_error on failure.
void write_jpeg(const QImage& image, const std::filesystem::path& file, int quality);

}  // namespace sample_content
