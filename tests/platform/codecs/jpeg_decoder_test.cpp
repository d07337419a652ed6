#include "platform/codecs/jpeg_decoder.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "jpeg_encoder.h"
#include "support/corpus.h"
#include "support/memory/allocation_meter.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

namespace fs = std::filesystem;

// ---- making JPEG files with libjpeg's compressor ----

using EncodeOptions = jpeg_encoder::JpegEncoding;
using jpeg_encoder::EncodeJpeg;

// A smooth diagonal gradient, so that scaled decodes can be compared.
EncodeOptions Gradient(int width, int height, int quality = 85) {
  EncodeOptions o;
  o.width = width;
  o.height = height;
  o.quality = quality;
  o.fill = [width, height](int y, std::vector<unsigned char>& row) {
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<unsigned char>(255 * x / width);
      row[3 * x + 1] = static_cast<unsigned char>(255 * y / height);
      row[3 * x + 2] = 128;
    }
  };
  return o;
}

EncodeOptions Flat(std::vector<unsigned char> sample, bool cmyk) {
  EncodeOptions o;
  o.cmyk = cmyk;
  o.quality = 100;
  o.fill = [sample](int, std::vector<unsigned char>& row) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = sample[i % sample.size()];
  };
  return o;
}

int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

void ExpectColourNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift : {24, 16, 8, 0}) {
    EXPECT_NEAR(Channel(actual, shift), Channel(expected, shift), tolerance)
        << std::hex << "actual " << actual << " expected " << expected;
  }
}

// Four quadrants: red top left, green top right, blue bottom left, white
// bottom right.
EncodeOptions Quadrants(int width, int height) {
  EncodeOptions o;
  o.width = width;
  o.height = height;
  o.quality = 95;
  o.fill = [width, height](int y, std::vector<unsigned char>& row) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      const bool bottom = y >= height / 2;
      const bool white = right && bottom;
      row[3 * x] = (!right && !bottom) || white ? 255 : 0;
      row[3 * x + 1] = (right && !bottom) || white ? 255 : 0;
      row[3 * x + 2] = (!right && bottom) || white ? 255 : 0;
    }
  };
  return o;
}

// A valid 65500 x 65500 grey picture, all mid-grey, in about 5 KB. Grey 128
// gives all-zero coefficients, and with arithmetic coding the statistics
// start afresh at every restart marker, so every restart interval of such a
// picture is the same few bytes: a small picture of two intervals is encoded
// and the interval repeated under a frame header claiming the giant size.
std::string GiantGreyJpeg() {
  // 65500 pixels need 8188 blocks a side; 8188 * 8188 = 63368 * 1058.
  constexpr unsigned kInterval = 63368;
  constexpr int kIntervals = 1058;
  EncodeOptions o;
  o.width = 712;  // 89 * 1424 blocks, two intervals
  o.height = 11392;
  o.grey = true;
  o.arithmetic = true;
  o.restartInterval = kInterval;
  o.fill = [](int, std::vector<unsigned char>& row) { std::fill(row.begin(), row.end(), 128); };
  const std::string small = EncodeJpeg(o);

  const std::size_t sos = small.find("\xFF\xDA");
  const std::size_t data = sos + 2 +
                           ((static_cast<unsigned char>(small[sos + 2]) << 8) |
                            static_cast<unsigned char>(small[sos + 3]));
  const std::size_t restart = small.find("\xFF\xD0", data);
  const std::string interval = small.substr(data, restart - data);
  EXPECT_EQ(small.substr(restart + 2, interval.size() + 2), interval + "\xFF\xD9");

  std::string giant = small.substr(0, data);
  const std::size_t sof = giant.find("\xFF\xC9");  // arithmetic, sequential
  for (std::size_t at : {sof + 5, sof + 7}) {
    giant[at] = static_cast<char>(65500 >> 8);
    giant[at + 1] = static_cast<char>(65500 & 0xFF);
  }
  for (int i = 0; i < kIntervals; ++i) {
    giant += interval;
    if (i + 1 < kIntervals) giant += {'\xFF', static_cast<char>(0xD0 + i % 8)};
  }
  return giant + "\xFF\xD9";
}

// ---- the corpus ----

std::string CorpusBytes(const std::string& relative) {
  return testing::ReadAll(testing::CorpusDir() + "/jpeg/" + relative);
}

std::vector<std::string> CorpusFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(testing::CorpusDir() + "/jpeg/" + folder, ec)) {
    names.push_back(folder + "/" + entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A binary PPM (P6) or PGM (P5) file as 0xAARRGGBB pixels.
std::unique_ptr<Picture> ReadNetpbm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  const int channels = magic == "P6" ? 3 : 1;
  auto p = std::make_unique<Picture>(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      unsigned char c[3];
      in.read(reinterpret_cast<char*>(c), channels);
      if (channels == 1) c[1] = c[2] = c[0];
      p->setPixel(x, y, 0xFF000000u | (c[0] << 16) | (c[1] << 8) | c[2]);
    }
  }
  if (!in) return nullptr;
  return p;
}

double MeanChannelDifference(const Picture& a, const Picture& b) {
  double total = 0;
  for (std::size_t i = 0; i < a.pixels().size(); ++i) {
    for (int shift : {16, 8, 0})
      total += std::abs(Channel(a.pixels()[i], shift) - Channel(b.pixels()[i], shift));
  }
  return total / (3.0 * static_cast<double>(a.pixels().size()));
}

TEST(JpegCorpusTest, ValidFilesDecodeAtTheirSize) {
  REQUIRE_CORPUS("jpeg");
  const std::map<std::string, PictureSize> sizes = {
      {"valid/jd-16bit-qtables.jpg", {1, 1}},
      {"valid/jd-grayscale_16x24_sampling2x2.jpg", {16, 24}},
      {"valid/jd-jpg-cmyk-1.jpg", {32, 32}},
      {"valid/jd-jpg-cmyk-2.jpg", {256, 256}},
      {"valid/jd-jpg-gray.jpg", {32, 32}},
      {"valid/jd-jpg-progressive.jpg", {32, 32}},
      {"valid/jd-jpg-size-17x17.jpg", {17, 17}},
      {"valid/jd-jpg-size-1x1.jpg", {1, 1}},
      {"valid/jd-jpg-srgb-icc.jpg", {1, 1}},
      {"valid/jd-non-interleaved-mcu.jpg", {64, 16}},
      {"valid/jd-progressive3.jpg", {650, 470}},
      {"valid/jd-restarts.jpg", {33, 33}},
      {"valid/jd-rgb.jpg", {500, 333}},
      {"valid/jd-ycck.jpg", {500, 333}},
      {"valid/ljt-testimgari.jpg", {227, 149}},
      {"valid/ljt-testorig.jpg", {227, 149}},
      {"exif-orientation/Landscape_1.jpg", {1800, 1200}},
      {"exif-orientation/Landscape_6.jpg", {1200, 1800}},  // as stored, not as shown
  };
  for (const auto& [name, size] : sizes) {
    SCOPED_TRACE(name);
    const std::string bytes = CorpusBytes(name);
    const auto picture = DecodeJpeg(bytes);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), size);
    EXPECT_EQ(MeasureJpeg(bytes), size);
    for (std::uint32_t px : picture->pixels()) ASSERT_EQ(px >> 24, 0xFFu);
  }
  // Precisions an 8-bit libjpeg cannot deliver fail cleanly (or decode, with
  // a newer libjpeg-turbo).
  for (const char* name : {"valid/ljt-monkey12.jpg", "valid/jd-jpeg_lossless_sel1.jpg"}) {
    const auto picture = DecodeJpeg(CorpusBytes(name));
    if (picture) {
      EXPECT_EQ(MeasureJpeg(CorpusBytes(name)), picture->size());
    }
  }
}

TEST(JpegCorpusTest, PixelsMatchTheReferenceDecodes) {
  REQUIRE_CORPUS("jpeg");
  const std::vector<std::string> references = CorpusFolder("reference");
  ASSERT_EQ(references.size(), 11u);
  for (const std::string& reference : references) {
    SCOPED_TRACE(reference);
    const std::string stem = fs::path(reference).stem().string();
    std::string bytes = CorpusBytes("valid/" + stem + ".jpg");
    if (bytes.empty()) bytes = CorpusBytes("corrupt/" + stem + ".jpg");
    ASSERT_FALSE(bytes.empty());
    const auto expected = ReadNetpbm(CorpusBytes(reference));
    ASSERT_NE(expected, nullptr);
    const auto picture = DecodeJpeg(bytes);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->size(), expected->size());
    EXPECT_LT(MeanChannelDifference(*picture, *expected), 3.0);
  }
}

TEST(JpegCorpusTest, YcckAndRgbCopiesOfOnePictureAgree) {
  REQUIRE_CORPUS("jpeg");
  const auto ycck = DecodeJpeg(CorpusBytes("valid/jd-ycck.jpg"));
  const auto rgb = DecodeJpeg(CorpusBytes("valid/jd-rgb.jpg"));
  ASSERT_TRUE(ycck && rgb);
  EXPECT_LT(MeanChannelDifference(*ycck, *rgb), 8.0);
  const auto arithmetic = DecodeJpeg(CorpusBytes("valid/ljt-testimgari.jpg"));
  const auto huffman = DecodeJpeg(CorpusBytes("valid/ljt-testorig.jpg"));
  ASSERT_TRUE(arithmetic && huffman);
  EXPECT_LT(MeanChannelDifference(*arithmetic, *huffman), 2.0);
}

TEST(JpegCorpusTest, CorruptFilesNeverCrashAndPrintNothing) {
  REQUIRE_CORPUS("jpeg");
  const std::vector<std::string> files = CorpusFolder("corrupt");
  ASSERT_EQ(files.size(), 20u);
  ::testing::internal::CaptureStderr();
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const std::string bytes = CorpusBytes(name);
    const auto picture = DecodeJpeg(bytes);
    const auto small = DecodeJpeg(bytes, {16, 16});
    if (picture) {
      EXPECT_EQ(MeasureJpeg(bytes), picture->size());
    }
    if (picture && small) {
      EXPECT_LE(small->width(), picture->width());
    }
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  for (const char* name :
       {"corrupt/ljt-testorig-no-eoi.jpg", "corrupt/ljt-testorig-trunc-half.jpg",
        "corrupt/ljt-testorig-trunc-after-sos.jpg", "corrupt/ljt-testorig-trunc-in-sof.jpg",
        "corrupt/jd-max_size.jpg", "corrupt/jd-empty.jpg", "corrupt/jd-null_height.jpg",
        "corrupt/jd-missing-sof.jpg", "corrupt/jd-missing-sos.jpg"}) {
    EXPECT_EQ(DecodeJpeg(CorpusBytes(name)), nullptr) << name;
  }
  EXPECT_EQ(MeasureJpeg(CorpusBytes("corrupt/ljt-testorig-trunc-in-sof.jpg")), std::nullopt);
}

TEST(JpegCorpusTest, EveryCutOfAFileIsRefused) {
  REQUIRE_CORPUS("jpeg");
  const std::string bytes = CorpusBytes("valid/ljt-testorig.jpg");
  ASSERT_NE(DecodeJpeg(bytes), nullptr);
  for (std::size_t cut = 0; cut < bytes.size(); cut += 53) {
    ASSERT_EQ(DecodeJpeg(bytes.substr(0, cut)), nullptr) << "cut at " << cut;
  }
}

// ---- generated files ----

TEST(JpegDecoderTest, PicksTheSmallestScaleThatCoversTheTarget) {
  const std::string bytes = EncodeJpeg(Gradient(1600, 2400));
  ASSERT_EQ(MeasureJpeg(bytes), (PictureSize{1600, 2400}));
  // What the DCT scale leaves over the target is averaged away: the picture
  // comes out at the target, never enlarged.
  const std::vector<std::pair<PictureSize, PictureSize>> cases = {
      {{200, 334}, {200, 334}},     {{200, 300}, {200, 300}},   {{200, 0}, {1600, 2400}},
      {{201, 300}, {201, 300}},     {{100, 1000}, {100, 1000}}, {{1600, 2400}, {1600, 2400}},
      {{3000, 3000}, {1600, 2400}}, {{1, 1}, {1, 1}},           {{1500, 10}, {1500, 10}},
      {{2000, 10}, {1600, 10}},
  };
  for (const auto& [target, expected] : cases) {
    SCOPED_TRACE(std::to_string(target.width) + "x" + std::to_string(target.height));
    const auto picture = DecodeJpeg(bytes, target);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), expected);
  }
  // The eighth-size picture shows the same thing.
  const auto full = DecodeJpeg(bytes);
  const auto eighth = DecodeJpeg(bytes, {200, 300});
  ASSERT_TRUE(full && eighth);
  ExpectColourNear(eighth->pixel(100, 150), full->pixel(800, 1200), 6);
  ExpectColourNear(eighth->pixel(10, 280), full->pixel(80, 2240), 6);
}

TEST(JpegDecoderTest, PixelLimitAppliesToTheDecodedSize) {
  // 100.5 million pixels: too many at full size, fine at an eighth.
  EncodeOptions o;
  o.width = 10050;
  o.height = 10000;
  o.quality = 10;
  o.fill = [](int, std::vector<unsigned char>& row) { std::fill(row.begin(), row.end(), 90); };
  const std::string bytes = EncodeJpeg(o);
  EXPECT_EQ(DecodeJpeg(bytes), nullptr);
  const auto small = DecodeJpeg(bytes, {1000, 1000});
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->size(), (PictureSize{1000, 1000}));
}

TEST(JpegDecoderTest, ShrinkingKeepsWhatThePictureShows) {
  // 640x480 for a 165x291 card: decoded at 5/8 (400x300), then averaged.
  const std::string bytes = EncodeJpeg(Quadrants(640, 480));
  const auto card = DecodeJpeg(bytes, {165, 291});
  ASSERT_NE(card, nullptr);
  ASSERT_EQ(card->size(), (PictureSize{165, 291}));
  ExpectColourNear(card->pixel(40, 70), 0xFFFF0000u, 4);
  ExpectColourNear(card->pixel(125, 70), 0xFF00FF00u, 4);
  ExpectColourNear(card->pixel(40, 220), 0xFF0000FFu, 4);
  ExpectColourNear(card->pixel(125, 220), 0xFFFFFFFFu, 4);
  // Column 82 spans source columns 198.8 to 201.2 of 400: half red, half
  // green (chroma is blurred over the edge as well).
  ExpectColourNear(card->pixel(82, 70), 0xFF808000u, 24);
  // Averaging neither darkens nor brightens: each channel's mean over the
  // card is the quadrants' mean, 127.5.
  for (int shift : {16, 8, 0}) {
    double total = 0;
    for (std::uint32_t px : card->pixels()) total += Channel(px, shift);
    EXPECT_NEAR(total / static_cast<double>(card->pixels().size()), 127.5, 1.5) << shift;
  }

  // A CMYK picture is shrunk as well.
  const auto cmyk = DecodeJpeg(EncodeJpeg(Flat({255, 0, 0, 255}, true)), {5, 3});
  ASSERT_NE(cmyk, nullptr);
  ASSERT_EQ(cmyk->size(), (PictureSize{5, 3}));
  for (std::uint32_t px : cmyk->pixels()) ExpectColourNear(px, 0xFFFF0000u, 3);
}

TEST(JpegDecoderTest, SmallFileDeclaringAGiantPictureCostsOnlyTheShownSize) {
  const std::string bytes = GiantGreyJpeg();
  ASSERT_LT(bytes.size(), 8000u);
  {
    testing::AllocationMeter meter;
    EXPECT_EQ(MeasureJpeg(bytes), (PictureSize{65500, 65500}));
    EXPECT_LT(meter.PeakBytes(), 1024u);
  }
  // At full size it is over the pixel limit; for a card it is shown. Held
  // at most: the card, twice over, and the rows libjpeg decodes at 1/8
  // (8188 pixels of 4 bytes each, a few at a time), far from the
  // 8188 x 8188 x 4 bytes (268 MB) the decoded size would take.
  EXPECT_EQ(DecodeJpeg(bytes), nullptr);
  constexpr std::size_t kCardBytes = 165 * 291 * 4;
  testing::AllocationMeter meter;
  const auto card = DecodeJpeg(bytes, {165, 291});
  const std::size_t peak = meter.PeakBytes();
  ASSERT_NE(card, nullptr);
  EXPECT_LT(peak, 2 * kCardBytes + 256 * 1024);
  EXPECT_EQ(card->size(), (PictureSize{165, 291}));
  for (std::uint32_t px : card->pixels()) ASSERT_EQ(px, 0xFF808080u);
}

TEST(JpegDecoderTest, CmykFollowsTheAdobeConvention) {
  // Adobe files store inverted CMYK: 255 means no ink.
  auto adobe = Flat({255, 0, 0, 255}, true);
  auto picture = DecodeJpeg(EncodeJpeg(adobe));
  ASSERT_NE(picture, nullptr);
  ExpectColourNear(picture->pixel(5, 5), 0xFFFF0000u, 3);

  // Without the Adobe marker the values are plain ink amounts.
  auto plain = Flat({0, 255, 255, 0}, true);
  plain.adobeMarker = false;
  picture = DecodeJpeg(EncodeJpeg(plain));
  ASSERT_NE(picture, nullptr);
  ExpectColourNear(picture->pixel(5, 5), 0xFFFF0000u, 3);

  // Black ink darkens.
  auto grey = Flat({255, 255, 255, 127}, true);
  picture = DecodeJpeg(EncodeJpeg(grey));
  ASSERT_NE(picture, nullptr);
  ExpectColourNear(picture->pixel(5, 5), 0xFF7F7F7Fu, 3);
}

TEST(JpegDecoderTest, RgbComesOutAsArgbWords) {
  const auto picture = DecodeJpeg(EncodeJpeg(Flat({0x20, 0x90, 0xE0}, false)));
  ASSERT_NE(picture, nullptr);
  ExpectColourNear(picture->pixel(3, 7), 0xFF2090E0u, 3);
}

TEST(JpegDecoderTest, MeasureReadsOnlyTheHeaders) {
  EncodeOptions o = Gradient(300, 200);
  o.appBytes = 100000;
  const std::string bytes = EncodeJpeg(o);
  EXPECT_EQ(MeasureJpeg(bytes), (PictureSize{300, 200}));
  // The frame header lies past the first 64 KiB.
  EXPECT_EQ(MeasureJpeg(bytes.substr(0, 64 * 1024)), std::nullopt);
  // The headers alone suffice, no entropy-coded data needed.
  const std::size_t sos = bytes.find("\xFF\xDA");
  ASSERT_NE(sos, std::string::npos);
  EXPECT_EQ(MeasureJpeg(bytes.substr(0, sos + 14)), (PictureSize{300, 200}));
  EXPECT_EQ(MeasureJpeg(""), std::nullopt);
  EXPECT_EQ(MeasureJpeg("not a jpeg at all"), std::nullopt);
}

}  // namespace
}  // namespace vaticor
