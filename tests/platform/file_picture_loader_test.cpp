#include "platform/file_picture_loader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>

#include "support/corpus.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

namespace fs = std::filesystem;

// A picture with distinct, partly transparent pixels.
QImage SamplePicture(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      image.setPixel(x, y, qRgba(x * 6, y * 8, 200, x == 0 ? 128 : 255));
    }
  }
  return image;
}

std::string SavePng(const testing::TempDir& dir, const std::string& name, const QImage& image) {
  const std::string path = dir.Path(name);
  EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
  return path;
}

// A 1x1 red 24-bit bitmap.
std::string TinyBmp() {
  std::string b(58, '\0');
  auto put32 = [&b](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, 58);
  put32(10, 54);
  put32(14, 40);
  put32(18, 1);
  put32(22, 1);
  put32(26, 1 | (24 << 16));        // planes, bit count
  b[56] = static_cast<char>(0xFF);  // B, G, R = 0, 0, 255
  return b;
}

TEST(FilePictureLoaderTest, PngKeepsItsPixelsAndAlpha) {
  testing::TempDir dir;
  const QImage image = SamplePicture(40, 30);
  const std::string path = SavePng(dir, "card.png", image);
  FilePictureLoader loader;

  const auto picture = loader.Load(path, PictureFormat::Png, {});
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->size(), (PictureSize{40, 30}));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(picture->pixel(x, y), image.pixel(x, y)) << x << "," << y;
  }
  EXPECT_EQ(loader.Measure(path, PictureFormat::Png), (PictureSize{40, 30}));
}

TEST(FilePictureLoaderTest, PngIsShrunkIntoTheAreaKeepingItsProportionsButNeverEnlarged) {
  testing::TempDir dir;
  const std::string path = SavePng(dir, "card.png", SamplePicture(40, 30));
  FilePictureLoader loader;

  // Never distorted: the picture's proportions, fitted into the area.
  auto picture = loader.Load(path, PictureFormat::Png, {10, 5});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{7, 5}));

  picture = loader.Load(path, PictureFormat::Png, {20, 29});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{20, 15}));

  picture = loader.Load(path, PictureFormat::Png, {400, 10});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{13, 10}));

  picture = loader.Load(path, PictureFormat::Png, {400, 300});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{40, 30}));

  // Each pixel is the mean of the area it covers.
  QImage quadrants(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool right = x >= 20;
      quadrants.setPixel(
          x, y, y < 15 ? (right ? 0xFF00FF00u : 0xFFFF0000u) : (right ? 0xFFFFFFFFu : 0xFF0000FFu));
    }
  }
  picture = loader.Load(SavePng(dir, "quadrants.png", quadrants), PictureFormat::Png, {2, 2});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixels(),
            (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}));
}

TEST(FilePictureLoaderTest, MissingDamagedAndEmptyFiles) {
  testing::TempDir dir;
  FilePictureLoader loader;
  for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png,
                               PictureFormat::Webp, PictureFormat::Svg}) {
    EXPECT_EQ(loader.Load(dir.Path("absent.pic"), format, {}), nullptr);
    EXPECT_EQ(loader.Measure(dir.Path("absent.pic"), format), std::nullopt);
    EXPECT_EQ(loader.Load(dir.path(), format, {}), nullptr);  // a folder
    const std::string empty = dir.Write("empty.pic", "");
    EXPECT_EQ(loader.Load(empty, format, {}), nullptr);
    EXPECT_EQ(loader.Measure(empty, format), std::nullopt);
  }

  const std::string png = testing::ReadAll(SavePng(dir, "whole.png", SamplePicture(40, 30)));
  const std::string cut = dir.Write("cut.png", png.substr(0, png.size() / 2));
  EXPECT_EQ(loader.Load(cut, PictureFormat::Png, {}), nullptr);

  // The format comes from the caller: a bitmap named .png is not a PNG.
  const std::string bmpAsPng = dir.Write("bitmap.png", TinyBmp());
  EXPECT_EQ(loader.Load(bmpAsPng, PictureFormat::Png, {}), nullptr);
  EXPECT_NE(loader.Load(bmpAsPng, PictureFormat::Bmp, {}), nullptr);
}

// WebP as Qt's plugin reads it: lossless keeps every pixel and its alpha,
// and a target shrinks it.
TEST(FilePictureLoaderTest, WebpKeepsItsPixelsAndIsShrunkToTheTarget) {
  testing::TempDir dir;
  const QImage image = SamplePicture(40, 30);
  const std::string path = dir.Path("card.webp");
  ASSERT_TRUE(image.save(QString::fromStdString(path), "WEBP", 100));
  FilePictureLoader loader;
  EXPECT_EQ(loader.Measure(path, PictureFormat::Webp), (PictureSize{40, 30}));
  const auto picture = loader.Load(path, PictureFormat::Webp, {});
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->size(), (PictureSize{40, 30}));
  EXPECT_EQ(picture->pixel(0, 5) >> 24, 128u);
  EXPECT_EQ(loader.Load(path, PictureFormat::Webp, {20, 15})->size(), (PictureSize{20, 15}));
  const std::string cut = dir.Write("cut.webp", testing::ReadAll(path).substr(0, 40));
  EXPECT_EQ(loader.Load(cut, PictureFormat::Webp, {}), nullptr);
}

// SVG is drawn at the size shown, larger than its own too, with its
// proportions and a transparent background; a document that is no SVG, or
// one that claims a vast size, gives no picture or one within the limit.
TEST(FilePictureLoaderTest, SvgIsDrawnAtTheSizeShownOnATransparentGround) {
  testing::TempDir dir;
  const std::string path = dir.Write(
      "card.svg",
      "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='40' viewBox='0 0 20 40'>"
      "<rect x='5' y='5' width='10' height='30' fill='#ff0000'/></svg>");
  FilePictureLoader loader;
  EXPECT_EQ(loader.Measure(path, PictureFormat::Svg), (PictureSize{20, 40}));
  const auto own = loader.Load(path, PictureFormat::Svg, {});
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->size(), (PictureSize{20, 40}));
  const auto large = loader.Load(path, PictureFormat::Svg, {400, 400});
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(large->size(), (PictureSize{200, 400}));
  EXPECT_EQ(large->pixel(0, 0) >> 24, 0u);         // a transparent corner
  EXPECT_EQ(large->pixel(100, 200), 0xFFFF0000u);  // the red middle

  EXPECT_EQ(loader.Load(dir.Write("text.svg", "not an svg <svg"), PictureFormat::Svg, {}), nullptr);
  const std::string vast =
      dir.Write("vast.svg",
                "<svg xmlns='http://www.w3.org/2000/svg' width='1000000' height='1000000'>"
                "<rect width='10' height='10'/></svg>");
  const std::optional<PictureSize> size = loader.Measure(vast, PictureFormat::Svg);
  ASSERT_TRUE(size.has_value());
  EXPECT_LE(static_cast<std::int64_t>(size->width) * size->height, kMaxPicturePixels);
  const auto shown = loader.Load(vast, PictureFormat::Svg, {300, 500});
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->size(), (PictureSize{300, 300}));
}

TEST(FilePictureLoaderTest, OversizedFilesAreNotRead) {
  testing::TempDir dir;
  const std::string path = dir.Write("huge.bmp", TinyBmp());
  FilePictureLoader loader;
  ASSERT_NE(loader.Load(path, PictureFormat::Bmp, {}), nullptr);
  EXPECT_EQ(loader.Load(path, PictureFormat::Bmp, {})->pixel(0, 0), 0xFFFF0000u);

  fs::resize_file(path, FilePictureLoader::kMaxPictureFileBytes + 1);  // sparse, costs no disk
  EXPECT_EQ(loader.Load(path, PictureFormat::Bmp, {}), nullptr);
  // Measuring reads only the start.
  EXPECT_EQ(loader.Measure(path, PictureFormat::Bmp), (PictureSize{1, 1}));
}

TEST(FilePictureLoaderTest, BmpAndJpegFromTheCorpus) {
  REQUIRE_CORPUS("bmp");
  REQUIRE_CORPUS("jpeg");
  const std::string corpus = testing::CorpusDir();
  FilePictureLoader loader;

  const std::string bmp = corpus + "/bmp/good/rgb24.bmp";
  auto picture = loader.Load(bmp, PictureFormat::Bmp, {10, 10});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{10, 5}));
  EXPECT_EQ(loader.Measure(bmp, PictureFormat::Bmp), (PictureSize{127, 64}));

  const std::string jpeg = corpus + "/jpeg/valid/ljt-testorig.jpg";
  picture = loader.Load(jpeg, PictureFormat::Jpeg, {});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{227, 149}));
  picture = loader.Load(jpeg, PictureFormat::Jpeg, {50, 30});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{46, 30}));
  EXPECT_EQ(loader.Measure(jpeg, PictureFormat::Jpeg), (PictureSize{227, 149}));

  EXPECT_EQ(
      loader.Load(corpus + "/jpeg/corrupt/ljt-testorig-trunc-half.jpg", PictureFormat::Jpeg, {}),
      nullptr);
}

TEST(FilePictureLoaderTest, JpegMeasureLooksPastLargeHeaderSegments) {
  REQUIRE_CORPUS("jpeg");
  const std::string original =
      testing::ReadAll(testing::CorpusDir() + "/jpeg/valid/ljt-testorig.jpg");
  ASSERT_GT(original.size(), 2u);
  // Two 60000-byte APP1 segments after the start marker push the frame
  // header past the first 64 KiB.
  std::string segment = "\xFF\xE1";
  segment += static_cast<char>((60002 >> 8) & 0xFF);
  segment += static_cast<char>(60002 & 0xFF);
  segment += std::string(60000, 'x');
  testing::TempDir dir;
  const std::string path =
      dir.Write("big-exif.jpg", original.substr(0, 2) + segment + segment + original.substr(2));
  FilePictureLoader loader;
  EXPECT_EQ(loader.Measure(path, PictureFormat::Jpeg), (PictureSize{227, 149}));
  const auto picture = loader.Load(path, PictureFormat::Jpeg, {});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (PictureSize{227, 149}));
}

}  // namespace
}  // namespace vaticor
