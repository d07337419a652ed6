// JPEG files made with libjpeg's compressor: the program's picture cache,
// the sample decks' pictures, and the pictures of the tests and the
// benchmarks. No Qt.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace jpeg_encoder {

struct JpegEncoding {
  int width = 16;
  int height = 16;
  int quality = 90;
  bool cmyk = false;
  bool grey = false;
  bool adobeMarker = true;       // for CMYK
  bool arithmetic = false;       // arithmetic coding instead of Huffman
  bool optimizeCoding = false;   // Huffman tables made for the picture (smaller files)
  unsigned restartInterval = 0;  // in MCUs; 0: none
  std::size_t appBytes = 0;      // filler in APP1 segments before the frame header
  std::string comment;           // a comment segment (at most 65533 bytes) when not empty
  // Fills row `y`: width x components samples (RGB, CMYK or grey), sized
  // before the call.
  std::function<void(int y, std::vector<unsigned char>& row)> fill;
};

// The file's bytes (baseline, 4:2:0 for colour). Throws std::runtime_error
// with libjpeg's message when libjpeg refuses (a size of 0, say).
std::string EncodeJpeg(const JpegEncoding& encoding);

}  // namespace jpeg_encoder
