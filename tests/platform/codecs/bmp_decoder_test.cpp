#include "platform/codecs/bmp_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/corpus.h"
#include "support/memory/allocation_meter.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

namespace fs = std::filesystem;

// ---- building small bitmaps by hand ----

void Put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

struct BmpLayout {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // red, green, blue[, alpha]
  std::string pixels;
};

std::string MakeBmp(const BmpLayout& layout) {
  std::string header(14 + layout.headerSize, '\0');
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 14, layout.headerSize);
  Put32(header, 18, static_cast<std::uint32_t>(layout.width));
  Put32(header, 22, static_cast<std::uint32_t>(layout.height));
  Put16(header, 26, 1);
  Put16(header, 28, layout.bitCount);
  Put32(header, 30, layout.compression);
  Put32(header, 46, static_cast<std::uint32_t>(layout.palette.size()));
  std::string extra;
  for (std::size_t i = 0; i < layout.masks.size(); ++i) {
    if (layout.headerSize >= 40 + 4 * (i + 1)) {
      Put32(header, 54 + 4 * i, layout.masks[i]);
    } else {
      extra.append(4, '\0');
      Put32(extra, extra.size() - 4, layout.masks[i]);
    }
  }
  for (std::uint32_t colour : layout.palette) {
    extra.append(4, '\0');
    Put32(extra, extra.size() - 4, colour);
  }
  Put32(header, 10, static_cast<std::uint32_t>(header.size() + extra.size()));
  std::string file = header + extra + layout.pixels;
  Put32(file, 2, static_cast<std::uint32_t>(file.size()));
  return file;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// ---- the corpus ----

std::string CorpusFile(const std::string& relative) {
  const std::string dir = testing::CorpusDir();
  return dir.empty() ? std::string() : dir + "/bmp/" + relative;
}

std::unique_ptr<Picture> DecodeCorpus(const std::string& relative) {
  const std::string bytes = testing::ReadAll(CorpusFile(relative));
  EXPECT_FALSE(bytes.empty()) << relative;
  return DecodeBmp(bytes);
}

std::vector<std::string> CorpusFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(CorpusFile(folder), ec)) {
    names.push_back(folder + "/" + entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

double MeanChannelDifference(const Picture& a, const Picture& b) {
  double total = 0;
  for (std::size_t i = 0; i < a.pixels().size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      total += std::abs(static_cast<int>((a.pixels()[i] >> shift) & 0xFF) -
                        static_cast<int>((b.pixels()[i] >> shift) & 0xFF));
    }
  }
  return total / (3.0 * static_cast<double>(a.pixels().size()));
}

bool AllOpaque(const Picture& p) {
  for (std::uint32_t px : p.pixels()) {
    if ((px >> 24) != 0xFF) return false;
  }
  return true;
}

TEST(BmpCorpusTest, EveryGoodFileDecodesOpaqueAtItsDeclaredSize) {
  REQUIRE_CORPUS("bmp");
  const std::map<std::string, PictureSize> unusual = {{"good/pal8nonsquare.bmp", {127, 32}},
                                                      {"good/pal8w124.bmp", {124, 61}},
                                                      {"good/pal8w125.bmp", {125, 62}},
                                                      {"good/pal8w126.bmp", {126, 63}}};
  const std::vector<std::string> files = CorpusFolder("good");
  ASSERT_EQ(files.size(), 27u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const std::string bytes = testing::ReadAll(CorpusFile(name));
    const std::unique_ptr<Picture> picture = DecodeBmp(bytes);
    ASSERT_NE(picture, nullptr);
    const auto it = unusual.find(name);
    const PictureSize expected = it == unusual.end() ? PictureSize{127, 64} : it->second;
    EXPECT_EQ(picture->size(), expected);
    EXPECT_EQ(MeasureBmp(bytes), expected);
    EXPECT_EQ(MeasureBmp(bytes.substr(0, 200)), expected);
    EXPECT_TRUE(AllOpaque(*picture));
  }
}

TEST(BmpCorpusTest, KnownPixelsOfTheTrueColourPicture) {
  REQUIRE_CORPUS("bmp");
  const auto p = DecodeCorpus("good/rgb24.bmp");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFFFF0000u);  // top-left: red
  EXPECT_EQ(p->pixel(9, 0), 0xFFFF4A4Au);
  EXPECT_EQ(p->pixel(36, 0), 0xFF21FF21u);  // green band
  EXPECT_EQ(p->pixel(72, 0), 0xFF4242FFu);  // blue band
  EXPECT_EQ(p->pixel(0, 56), 0xFF1C0000u);  // dark red near the bottom
  EXPECT_EQ(p->pixel(63, 0), 0xFFFFFFFFu);

  const auto mono = DecodeCorpus("good/pal1.bmp");
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(mono->pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(mono->pixel(9, 0), 0xFF000000u);
  const auto coloured = DecodeCorpus("good/pal1bg.bmp");
  ASSERT_NE(coloured, nullptr);
  EXPECT_EQ(coloured->pixel(0, 0), 0xFF40FF40u);
}

// The colour files all show one picture; each format must reproduce it up to
// the precision it stores.
TEST(BmpCorpusTest, EveryColourFormatShowsTheSamePicture) {
  REQUIRE_CORPUS("bmp");
  const auto reference = DecodeCorpus("good/rgb24.bmp");
  ASSERT_NE(reference, nullptr);
  const std::vector<std::pair<std::string, double>> files = {
      {"good/rgb24pal.bmp", 0},
      {"good/rgb32.bmp", 0},
      {"good/rgb32bf.bmp", 0},
      {"good/rgb32bfdef.bmp", 0},
      {"good/rgb16.bmp", 1.5},
      {"good/rgb16bfdef.bmp", 1.5},
      {"good/rgb16-565.bmp", 1.5},
      {"good/rgb16-565pal.bmp", 1.5},
      {"good/pal8.bmp", 15},
      {"good/pal8-0.bmp", 15},
      {"good/pal8os2.bmp", 15},
      {"good/pal8rle.bmp", 15},
      {"good/pal8topdown.bmp", 15},
      {"good/pal8v4.bmp", 15},
      {"good/pal8v5.bmp", 15},
      {"questionable/pal8os2v2.bmp", 15},
      {"questionable/pal8os2v2-16.bmp", 15},
      {"questionable/pal8os2sp.bmp", 15},
      {"questionable/pal8offs.bmp", 15},
      {"questionable/pal8oversizepal.bmp", 15},
      {"questionable/rgb32-111110.bmp", 0.5},
      {"questionable/rgb32-7187.bmp", 0.5},
      {"questionable/rgb32-xbgr.bmp", 0},
      {"questionable/rgb32h52.bmp", 0},
      {"questionable/rgb32fakealpha.bmp", 0},
      {"questionable/rgb16faketrns.bmp", 1.5},
  };
  for (const auto& [name, tolerance] : files) {
    SCOPED_TRACE(name);
    const auto picture = DecodeCorpus(name);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->size(), reference->size());
    EXPECT_LE(MeanChannelDifference(*picture, *reference), tolerance);
    EXPECT_TRUE(AllOpaque(*picture));
  }
}

TEST(BmpCorpusTest, StorageVariantsDecodeToIdenticalPixels) {
  REQUIRE_CORPUS("bmp");
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"good/pal8.bmp", "good/pal8topdown.bmp"}, {"good/pal8.bmp", "good/pal8rle.bmp"},
      {"good/pal8.bmp", "good/pal8os2.bmp"},     {"good/pal4.bmp", "good/pal4rle.bmp"},
      {"good/rgb16.bmp", "good/rgb16bfdef.bmp"}, {"good/pal1.bmp", "good/pal1wb.bmp"},
  };
  for (const auto& [a, b] : pairs) {
    SCOPED_TRACE(a + " vs " + b);
    const auto pa = DecodeCorpus(a);
    const auto pb = DecodeCorpus(b);
    ASSERT_TRUE(pa && pb);
    EXPECT_EQ(pa->pixels(), pb->pixels());
  }
}

TEST(BmpCorpusTest, AlphaOnlyWhereTheHeaderDeclaresIt) {
  REQUIRE_CORPUS("bmp");
  // A V5 header with an alpha mask: the cut-out square is transparent.
  for (const char* name : {"questionable/rgba32-1.bmp", "questionable/rgba32h56.bmp",
                           "questionable/rgba32abf.bmp", "questionable/rgba16-4444.bmp"}) {
    SCOPED_TRACE(name);
    const auto p = DecodeCorpus(name);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pixel(27, 24) >> 24, 0u);
    EXPECT_EQ(p->pixel(0, 0), 0xFFFF0000u);
  }
  // RLE pixels skipped by delta codes are left transparent.
  const auto rle = DecodeCorpus("questionable/pal8rletrns.bmp");
  ASSERT_NE(rle, nullptr);
  EXPECT_EQ(rle->pixel(27, 24), 0x00000000u);
  EXPECT_EQ(rle->pixel(0, 0), 0xFFFF0000u);
}

TEST(BmpCorpusTest, BadAndQuestionableFilesNeverCrash) {
  REQUIRE_CORPUS("bmp");
  std::vector<std::string> files = CorpusFolder("bad");
  const std::vector<std::string> questionable = CorpusFolder("questionable");
  files.insert(files.end(), questionable.begin(), questionable.end());
  ASSERT_EQ(files.size(), 63u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    const std::string bytes = testing::ReadAll(CorpusFile(name));
    const std::unique_ptr<Picture> picture = DecodeBmp(bytes);
    if (picture) {
      EXPECT_EQ(MeasureBmp(bytes), picture->size());
    }
    // Every prefix of a file is a truncated file.
    for (std::size_t cut = 0; cut < bytes.size(); cut += 97) {
      DecodeBmp(bytes.substr(0, cut));
      MeasureBmp(bytes.substr(0, cut));
    }
  }
}

TEST(BmpCorpusTest, MalformedFilesAreRefused) {
  REQUIRE_CORPUS("bmp");
  for (const char* name :
       {"bad/badbitcount.bmp", "bad/badheadersize.bmp", "bad/badplanes.bmp", "bad/badwidth.bmp",
        "bad/reallybig.bmp", "bad/rletopdown.bmp", "bad/shortfile.bmp",
        "questionable/rgb24jpeg.bmp", "questionable/rgb24png.bmp", "questionable/rgba64.bmp",
        "questionable/pal1huffmsb.bmp", "questionable/rgb24rle24.bmp"}) {
    EXPECT_EQ(DecodeCorpus(name), nullptr) << name;
  }
  // An index past the palette gives a defined colour.
  const auto badIndex = DecodeCorpus("bad/pal8badindex.bmp");
  ASSERT_NE(badIndex, nullptr);
  EXPECT_TRUE(AllOpaque(*badIndex));
}

// ---- hand-made files ----

TEST(BmpDecoderTest, HeaderChecks) {
  BmpLayout layout;
  layout.pixels = std::string(4, '\0');
  ASSERT_NE(DecodeBmp(MakeBmp(layout)), nullptr);

  std::string file = MakeBmp(layout);
  file[0] = 'X';
  EXPECT_EQ(DecodeBmp(file), nullptr);
  EXPECT_EQ(MeasureBmp(file), std::nullopt);

  BmpLayout zeroHeight = layout;
  zeroHeight.height = 0;
  EXPECT_EQ(DecodeBmp(MakeBmp(zeroHeight)), nullptr);
  EXPECT_EQ(MeasureBmp(MakeBmp(zeroHeight)), std::nullopt);

  BmpLayout extremeHeight = layout;
  extremeHeight.height = INT_MIN;
  EXPECT_EQ(DecodeBmp(MakeBmp(extremeHeight)), nullptr);

  BmpLayout topDown = layout;
  topDown.height = -1;
  EXPECT_EQ(MeasureBmp(MakeBmp(topDown)), (PictureSize{1, 1}));

  EXPECT_EQ(DecodeBmp(""), nullptr);
  EXPECT_EQ(DecodeBmp("BM"), nullptr);
  EXPECT_EQ(MeasureBmp("BM"), std::nullopt);
}

TEST(BmpDecoderTest, TopDownAndBottomUpRows) {
  BmpLayout layout;
  layout.width = 1;
  layout.height = 2;
  layout.pixels = Bytes({0x00, 0x00, 0xFF, 0, /* */ 0xFF, 0x00, 0x00, 0});  // red row, blue row
  auto bottomUp = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(bottomUp, nullptr);
  EXPECT_EQ(bottomUp->pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(bottomUp->pixel(0, 1), 0xFFFF0000u);

  layout.height = -2;
  auto topDown = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(topDown, nullptr);
  EXPECT_EQ(topDown->pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(topDown->pixel(0, 1), 0xFF0000FFu);
}

TEST(BmpDecoderTest, TruncatedPixelDataIsRefusedButAMissingFinalPadIsNot) {
  BmpLayout layout;
  layout.width = 3;  // 9 bytes a row, padded to 12
  layout.height = 2;
  layout.pixels = std::string(24, '\x7F');
  const std::string file = MakeBmp(layout);
  ASSERT_NE(DecodeBmp(file), nullptr);
  EXPECT_NE(DecodeBmp(file.substr(0, file.size() - 3)), nullptr);
  EXPECT_EQ(DecodeBmp(file.substr(0, file.size() - 4)), nullptr);
  EXPECT_EQ(DecodeBmp(file.substr(0, 60)), nullptr);
  EXPECT_EQ(MeasureBmp(file.substr(0, 54)), (PictureSize{3, 2}));
}

TEST(BmpDecoderTest, PaletteIndexBeyondThePaletteIsOpaqueBlack) {
  BmpLayout layout;
  layout.bitCount = 8;
  layout.width = 3;
  layout.palette = {0xFF0000, 0x00FF00};
  layout.pixels = Bytes({1, 0, 200, 0});
  auto p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(p->pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(p->pixel(2, 0), 0xFF000000u);
}

TEST(BmpDecoderTest, SubBytePixelsAreReadMostSignificantFirst) {
  BmpLayout layout;
  layout.width = 5;
  layout.palette = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF};
  layout.bitCount = 2;
  layout.pixels = Bytes({0b00011011, 0b01000000, 0, 0});
  auto p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(p->pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p->pixel(2, 0), 0xFFFF0000u);
  EXPECT_EQ(p->pixel(3, 0), 0xFF0000FFu);
  EXPECT_EQ(p->pixel(4, 0), 0xFFFFFFFFu);
}

TEST(BmpDecoderTest, SixteenBitMasksScaleToFullRange) {
  BmpLayout layout;
  layout.bitCount = 16;
  layout.width = 3;
  layout.compression = 3;
  layout.masks = {0xF800, 0x07E0, 0x001F};
  layout.pixels = Bytes({0xFF, 0xFF, 0x00, 0xF8, 0x1F, 0x00, 0, 0});
  auto p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p->pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(p->pixel(2, 0), 0xFF0000FFu);

  layout.compression = 0;  // default 5-5-5
  layout.masks.clear();
  layout.pixels = Bytes({0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03, 0, 0});
  p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p->pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(p->pixel(2, 0), 0xFF00FF00u);
}

// Two 32-bit pixels in a V5 header whose masks include alpha (BGRA order).
BmpLayout TwoPixelsWithAlpha() {
  BmpLayout layout;
  layout.headerSize = 124;
  layout.bitCount = 32;
  layout.width = 2;
  layout.compression = 3;
  layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  return layout;
}

TEST(BmpDecoderTest, AlphaChannelRules) {
  BmpLayout layout = TwoPixelsWithAlpha();
  layout.pixels = Bytes({0x10, 0x20, 0x30, 0x80, 0x10, 0x20, 0x30, 0x00});
  auto p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0x80302010u);
  EXPECT_EQ(p->pixel(1, 0), 0x00302010u);

  // All alpha zero: a writer that ignores the channel; show the picture.
  layout.pixels = Bytes({0x10, 0x20, 0x30, 0x00, 0x10, 0x20, 0x30, 0x00});
  p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF302010u);
  EXPECT_EQ(p->pixel(1, 0), 0xFF302010u);

  // Uncompressed 32-bit pixels have no alpha, whatever the spare byte holds.
  layout.compression = 0;
  layout.pixels = Bytes({0x10, 0x20, 0x30, 0x80, 0x10, 0x20, 0x30, 0x00});
  p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF302010u);

  // A 40-byte header with BI_BITFIELDS has no alpha mask.
  BmpLayout plain = layout;
  plain.headerSize = 40;
  plain.compression = 3;
  plain.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  p = DecodeBmp(MakeBmp(plain));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF302010u);
}

BmpLayout Rle8Spec(std::string data) {
  BmpLayout layout;
  layout.bitCount = 8;
  layout.compression = 1;
  layout.width = 4;
  layout.height = 3;
  layout.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  layout.pixels = std::move(data);
  return layout;
}

TEST(BmpDecoderTest, RunLengthEscapesAndUnwrittenPixels) {
  // Bottom row: two green, end of line. Delta to (1, 2). A run of five blue
  // that overruns the row. End of bitmap.
  const std::string data = Bytes({2, 1, 0, 0, 0, 2, 1, 1, 5, 2, 0, 1});
  auto p = DecodeBmp(MakeBmp(Rle8Spec(data)));
  ASSERT_NE(p, nullptr);
  const std::uint32_t g = 0xFF00FF00u, b = 0xFF0000FFu, t = 0;
  EXPECT_EQ(p->pixels(), (std::vector<std::uint32_t>{t, b, b, b,  //
                                                     t, t, t, t,  //
                                                     g, g, t, t}));

  // Literal run of three indices, padded to a whole word.
  p = DecodeBmp(MakeBmp(Rle8Spec(Bytes({0, 3, 2, 1, 0, 0, 0, 1}))));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 2), b);
  EXPECT_EQ(p->pixel(1, 2), g);
  EXPECT_EQ(p->pixel(2, 2), 0xFFFF0000u);
  EXPECT_EQ(p->pixel(3, 2), t);

  // Data that stops before the end-of-bitmap mark is a truncated file.
  EXPECT_EQ(DecodeBmp(MakeBmp(Rle8Spec(Bytes({2, 1, 0, 0})))), nullptr);
  EXPECT_EQ(DecodeBmp(MakeBmp(Rle8Spec(Bytes({0, 5, 1, 1})))), nullptr);
  EXPECT_EQ(DecodeBmp(MakeBmp(Rle8Spec(Bytes({0, 2, 1})))), nullptr);
  // ...unless every row has been reached.
  EXPECT_NE(DecodeBmp(MakeBmp(Rle8Spec(Bytes({0, 0, 0, 0, 0, 0})))), nullptr);
}

TEST(BmpDecoderTest, Rle4AlternatesNibbles) {
  BmpLayout layout;
  layout.bitCount = 4;
  layout.compression = 2;
  layout.width = 6;
  layout.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  // A run of three from the pair (1, 2), then the literal indices 3, 0, 1.
  layout.pixels = Bytes({3, 0x12, 0, 3, 0x30, 0x10, 0, 1});
  auto p = DecodeBmp(MakeBmp(layout));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixels(), (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFFFF0000u,
                                                     0xFF0000FFu, 0xFF000000u, 0xFFFF0000u}));
}

// 8x4, 24 bits: red top left, green top right, blue bottom left, white
// bottom right; rows stored bottom-up unless `topDown`.
std::string QuadrantBmp(bool topDown) {
  const std::string red = Bytes({0x00, 0x00, 0xFF}), green = Bytes({0x00, 0xFF, 0x00});
  const std::string blue = Bytes({0xFF, 0x00, 0x00}), white = Bytes({0xFF, 0xFF, 0xFF});
  std::string top, bottom;
  for (int x = 0; x < 4; ++x) {
    top += red;
    bottom += blue;
  }
  for (int x = 0; x < 4; ++x) {
    top += green;
    bottom += white;
  }
  BmpLayout layout;
  layout.width = 8;
  layout.height = topDown ? -4 : 4;
  layout.pixels = topDown ? top + top + bottom + bottom : bottom + bottom + top + top;
  return MakeBmp(layout);
}

TEST(BmpDecoderTest, ShrinkingAveragesTheAreaEachPixelCovers) {
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    const std::string file = QuadrantBmp(topDown);
    auto p = DecodeBmp(file, {2, 2});
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pixels(),
              (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}));

    // The middle column takes 4/3 of a source column from each side.
    p = DecodeBmp(file, {3, 2});
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->pixels(), (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF808000u, 0xFF00FF00u,  //
                                                       0xFF0000FFu, 0xFF8080FFu, 0xFFFFFFFFu}));

    // Never enlarged: a target wider than the picture keeps its width.
    p = DecodeBmp(file, {100, 2});
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->size(), (PictureSize{8, 2}));
    EXPECT_EQ(p->pixel(3, 0), 0xFFFF0000u);
    EXPECT_EQ(p->pixel(4, 1), 0xFFFFFFFFu);
  }
}

TEST(BmpDecoderTest, ShrinkingHonoursAlphaAndUnwrittenPixels) {
  BmpLayout layout = TwoPixelsWithAlpha();
  // Half alpha beside none: a quarter covered, in the one visible colour.
  layout.pixels = Bytes({0x10, 0x20, 0x30, 0x80, 0xFF, 0xFF, 0xFF, 0x00});
  auto p = DecodeBmp(MakeBmp(layout), {1, 1});
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0x40302010u);
  // An alpha channel that is all zero is unused: the picture stays opaque.
  layout.pixels = Bytes({0x10, 0x20, 0x30, 0x00, 0x30, 0x40, 0x50, 0x00});
  p = DecodeBmp(MakeBmp(layout), {1, 1});
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0xFF403020u);

  // Rows, top to bottom: (-, b, b, b), (-, -, -, -), (g, g, -, -), with -
  // never written. The left half holds one blue and two green of six.
  p = DecodeBmp(MakeBmp(Rle8Spec(Bytes({2, 1, 0, 0, 0, 2, 1, 1, 5, 2, 0, 1}))), {2, 1});
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->pixel(0, 0), 0x8000AA55u);
  EXPECT_EQ(p->pixel(1, 0), 0x550000FFu);
}

TEST(BmpDecoderTest, SmallFileDeclaringAGiantPictureCostsOnlyTheShownSize) {
  // Run-length data as short as a run of 255 green and the end mark claims
  // any size; uncompressed data claims it with too few bytes.
  BmpLayout square = Rle8Spec(Bytes({255, 1, 0, 1}));
  square.width = 65500;
  square.height = 65500;
  BmpLayout line = square;
  line.width = 2'000'000'000;
  line.height = 1;
  BmpLayout uncompressed;
  uncompressed.width = 65500;
  uncompressed.height = 65500;
  uncompressed.pixels = std::string(16, '\0');
  const std::string squareFile = MakeBmp(square), lineFile = MakeBmp(line);
  const std::string uncompressedFile = MakeBmp(uncompressed);
  {
    testing::AllocationMeter meter;
    EXPECT_EQ(MeasureBmp(squareFile), (PictureSize{65500, 65500}));
    EXPECT_EQ(MeasureBmp(lineFile), (PictureSize{2'000'000'000, 1}));
    EXPECT_EQ(MeasureBmp(uncompressedFile), (PictureSize{65500, 65500}));
    EXPECT_EQ(meter.PeakBytes(), 0u);
  }
  // Held at most: the card and three rows of sums, far from the 17 GB
  // the declared size would take.
  constexpr std::size_t kCardBytes = 165 * 291 * 4;
  const std::vector<std::pair<std::string, PictureSize>> cases = {{squareFile, {165, 291}},
                                                                  {lineFile, {165, 1}}};
  for (const auto& [file, shown] : cases) {
    SCOPED_TRACE(shown.height);
    EXPECT_EQ(DecodeBmp(file), nullptr);  // over the pixel limit at full size
    testing::AllocationMeter meter;
    const auto card = DecodeBmp(file, {165, 291});
    const std::size_t peak = meter.PeakBytes();
    ASSERT_NE(card, nullptr);
    EXPECT_LT(peak, 2 * kCardBytes);
    EXPECT_EQ(card->size(), shown);
    EXPECT_EQ(card->pixel(164, 0), 0x00000000u);  // never written
  }
  testing::AllocationMeter meter;
  EXPECT_EQ(DecodeBmp(uncompressedFile, {165, 291}), nullptr);  // the pixels are missing
  EXPECT_LT(meter.PeakBytes(), 1024u);
}

TEST(BmpDecoderTest, HugePicturesAreRefusedBeforeAllocating) {
  BmpLayout layout;
  layout.width = 20000;
  layout.height = 20000;
  layout.pixels = std::string(16, '\0');
  EXPECT_EQ(DecodeBmp(MakeBmp(layout)), nullptr);
  EXPECT_EQ(MeasureBmp(MakeBmp(layout)), (PictureSize{20000, 20000}));

  // A few bytes of run-length data can describe any size.
  BmpLayout rle = Rle8Spec(Bytes({0, 1}));
  rle.width = 50000;
  rle.height = 2001;
  EXPECT_EQ(DecodeBmp(MakeBmp(rle)), nullptr);
}

}  // namespace
}  // namespace vaticor
