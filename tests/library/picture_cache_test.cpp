// The display-size picture cache: which copy counts, what a hostile or
// broken cache folder can do (nothing but cost a decode), and the bound.
#include "library/picture_cache.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <thread>

#include "core/file_io.h"
#include "library/taro_decks.h"
#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

using testing::FakePictureLoader;
using testing::ReadAll;
using testing::TempDir;

// Alphas of the pictures that are not opaque: pixel (x, y) of a picture of
// `size` pixels.
using AlphaShape = std::uint8_t (*)(int x, int y, PictureSize size);

// A card with its corners cut away, a band of half transparency around them.
std::uint8_t CornersCut(int x, int y, PictureSize size) {
  const double fx = (x + 0.5) / size.width, fy = (y + 0.5) / size.height;
  const double dx = std::min(fx, 1 - fx), dy = std::min(fy, 1 - fy);
  if (dx < 0.1 && dy < 0.1) return 0;
  return dx < 0.12 && dy < 0.12 ? 0x80 : 0xFF;
}

std::uint8_t Noise(int x, int y, PictureSize) {
  return static_cast<std::uint8_t>((static_cast<std::uint32_t>(x) * 2654435761u) ^
                                   (static_cast<std::uint32_t>(y) * 40503u) >> 5);
}

std::uint8_t AlphaAt(const Picture& picture, int x, int y) { return picture.pixel(x, y) >> 24; }

// FakePictureLoader's pictures ("WxH tag"), delivered at the size asked
// (nearest pixel, so pixel 0,0 keeps the tag) and opaque unless given a
// shape.
class ScalingLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat format,
                                PictureSize target) override {
    ++loads;
    std::unique_ptr<Picture> full = fake.Load(path, format, {});
    if (!full) return nullptr;
    // Fitted into the area asked, as the file loader does; a drawing is
    // drawn larger than its own size too.
    const PictureSize fitted = FittedTarget(full->size(), target);
    const PictureSize size =
        format == PictureFormat::Svg ? fitted : DeliveredSize(full->size(), fitted);
    auto picture = std::make_unique<Picture>(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        std::uint32_t argb =
            full->pixel(x * full->width() / size.width, y * full->height() / size.height);
        const auto shape = alphas.find(path);
        argb = (argb & 0xFF'FF'FF) |
               (shape == alphas.end() ? 0xFF'00'00'00
                                      : std::uint32_t{shape->second(x, y, size)} << 24);
        picture->setPixel(x, y, argb);
      }
    }
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string& path, PictureFormat format) override {
    return fake.Measure(path, format);
  }
  FakePictureLoader fake;
  std::map<std::string, AlphaShape> alphas;
  int loads = 0;
};

// Copies as "JPEG" files the cache can read: a start-of-image marker, the
// comment segment, then "PIX", the size and the raw pixels, which decode
// opaque, as a JPEG keeps no alpha. Anything else decodes to nothing, as a
// corrupt JPEG does.
class RawCodec : public PictureCodec {
 public:
  std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target) override {
    ++decodes;
    const std::optional<std::string_view> comment = JpegComment(bytes);
    if (!comment) return nullptr;
    std::size_t at = static_cast<std::size_t>(comment->data() - bytes.data()) + comment->size();
    if (bytes.substr(at, 3) != "PIX" || bytes.size() < at + 11) return nullptr;
    at += 3;
    int width = 0, height = 0;
    std::memcpy(&width, bytes.data() + at, 4);
    std::memcpy(&height, bytes.data() + at + 4, 4);
    at += 8;
    if (width <= 0 || height <= 0 ||
        bytes.size() != at + 4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
      return nullptr;
    const PictureSize size = DeliveredSize({width, height}, target);
    auto picture = std::make_unique<Picture>(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        std::uint32_t argb = 0;
        const std::size_t source =
            static_cast<std::size_t>(y * height / size.height) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(x * width / size.width);
        std::memcpy(&argb, bytes.data() + at + 4 * source, 4);
        picture->setPixel(x, y, argb | 0xFF'00'00'00);
      }
    }
    return picture;
  }
  std::optional<std::string> EncodeJpeg(const Picture& picture, std::string_view comment) override {
    std::string bytes = "\xFF\xD8\xFF\xFE";
    bytes += static_cast<char>((comment.size() + 2) >> 8);
    bytes += static_cast<char>((comment.size() + 2) & 0xFF);
    bytes += comment;
    bytes += "PIX";
    const int size[2] = {picture.width(), picture.height()};
    bytes.append(reinterpret_cast<const char*>(size), sizeof size);
    bytes.append(reinterpret_cast<const char*>(picture.pixels().data()),
                 picture.pixels().size() * 4);
    return bytes;
  }
  int decodes = 0;
};

constexpr PictureSize kScreen{1024, 768};

std::uint32_t Tag(const Picture& picture) { return picture.pixel(0, 0) & 0xFF'FF'FF; }

class PictureCacheTest : public ::testing::Test {
 protected:
  std::string Original(const std::string& name, int w, int h, int tag) const {
    return dir.Write("deck/" + name, FakePictureLoader::Content(w, h, tag));
  }
  std::unique_ptr<Picture> LoadFor(const std::string& path, PictureSize target) {
    return cache.Load(path, PictureFormat::Jpeg, target);
  }

  TempDir dir;
  ScalingLoader originals;
  RawCodec codec;
  CachedPictureLoader cache{originals, codec, dir.Path("cache/vaticor")};
};

TEST(PictureCacheRules, TheLargestShownSizeFitsTheScreenWithThePicturesProportions) {
  // A tall card meets the screen's height; a wide one its width.
  EXPECT_EQ(LargestShownSize({3000, 5000}, kScreen), (PictureSize{461, 768}));
  EXPECT_EQ(LargestShownSize({4000, 1000}, kScreen), (PictureSize{1024, 256}));
  EXPECT_EQ(LargestShownSize({6000, 10000}, {2560, 1440}), (PictureSize{864, 1440}));
  // Never larger than the picture.
  EXPECT_EQ(LargestShownSize({200, 350}, kScreen), (PictureSize{200, 350}));
  // The loaders' rounding (358.4 to 358): a copy of that size is what a
  // decode for the whole screen gives, so it is made and serves.
  EXPECT_EQ(LargestShownSize({2000, 700}, kScreen), (PictureSize{1024, 358}));
}

TEST(PictureCacheRules, TheFolderFollowsTheBaseDirectoryRules) {
  EXPECT_EQ(PictureCacheFolder("/x/cache", "/home/u"), "/x/cache/vaticor");
  EXPECT_EQ(PictureCacheFolder("", "/home/u"), "/home/u/.cache/vaticor");
  EXPECT_EQ(PictureCacheFolder("relative/cache", "/home/u"), "/home/u/.cache/vaticor");
  EXPECT_EQ(PictureCacheFolder("", ""), "");
  EXPECT_EQ(PictureCacheFolder("", "nohome"), "");
}

TEST(PictureCacheRules, OnlyAWholeKeyOfOursIsRead) {
  const PictureCacheKey key{"/d/é 1.jpg", 123456, -42, {3000, 5000}, {461, 768}};
  const std::string text = EncodePictureCacheKey(key);
  EXPECT_EQ(DecodePictureCacheKey(text), key);
  EXPECT_FALSE(DecodePictureCacheKey(text.substr(0, text.size() - 1) + "x"));
  EXPECT_FALSE(DecodePictureCacheKey(text + std::string(1, '\0') + "1"));
  EXPECT_FALSE(DecodePictureCacheKey(text.substr(0, text.rfind('\0'))));
  EXPECT_FALSE(DecodePictureCacheKey("other-program 1" + text.substr(text.find('\0'))));
  EXPECT_FALSE(DecodePictureCacheKey(""));
  // A copy said to be larger than its original is no copy.
  EXPECT_FALSE(
      DecodePictureCacheKey(EncodePictureCacheKey({"/d/a.jpg", 1, 1, {100, 100}, {101, 100}})));
  // Numbers as written, nothing more: no signs, spaces or leading zeros.
  std::string padded = text;
  padded.replace(padded.find("123456"), 6, "0123456");
  EXPECT_FALSE(DecodePictureCacheKey(padded));
}

TEST(PictureCacheRules, TheCommentIsFoundOnlyInAWellFormedHeader) {
  const std::string app0 = std::string("\xFF\xE0\x00\x04", 4) + "JF";
  const std::string comment = std::string("\xFF\xFE\x00\x05", 4) + "abc";
  const std::string soi = "\xFF\xD8";
  EXPECT_EQ(JpegComment(soi + app0 + comment + "\xFF\xDA"), "abc");
  EXPECT_FALSE(JpegComment(soi + app0 + "\xFF\xDA" + comment));                 // after the scan
  EXPECT_FALSE(JpegComment(app0 + comment));                                    // no start of image
  EXPECT_FALSE(JpegComment(soi + std::string("\xFF\xFE\x00\x09", 4) + "abc"));  // cut short
  EXPECT_FALSE(JpegComment(soi + std::string("\xFF\xFE\x00\x01", 4)));          // length < 2
}

TEST_F(PictureCacheTest, AFilledCopyServesEverySizeUpToItsOwn) {
  const std::string card = Original("5.jpg", 1200, 2000, 5);
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Jpeg, kScreen));
  EXPECT_TRUE(FileExists(cache.CopyPath(card)));
  const int loads = originals.loads;

  for (const PictureSize target : {PictureSize{104, 173}, PictureSize{461, 768}}) {
    const std::unique_ptr<Picture> picture = LoadFor(card, target);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), target);
    EXPECT_EQ(Tag(*picture), 5u);
  }
  EXPECT_EQ(originals.loads, loads) << "both came from the copy";
  // Larger than the copy, or the full size: only the original has it.
  EXPECT_EQ(LoadFor(card, {600, 1000})->size(), (PictureSize{600, 1000}));
  EXPECT_EQ(cache.Load(card, PictureFormat::Jpeg, {})->size(), (PictureSize{1200, 2000}));
  EXPECT_EQ(originals.loads, loads + 2);
  // A second fill finds the copy there.
  EXPECT_TRUE(cache.Fill(card, PictureFormat::Jpeg, kScreen));
  EXPECT_EQ(originals.loads, loads + 2);
  // An opaque picture's copy holds the key alone, as earlier versions of
  // the program write and read it.
  const FileIdentity identity = IdentifyFile(card);
  EXPECT_EQ(
      JpegComment(ReadAll(cache.CopyPath(card))),
      EncodePictureCacheKey({card, identity.size, identity.modified, {1200, 2000}, {461, 768}}));
}

TEST_F(PictureCacheTest, ATransparentPictureKeepsItsAlphaInItsCopy) {
  const std::string card = Original("9.png", 1200, 2000, 9);
  originals.alphas[card] = CornersCut;
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Png, kScreen));
  const int loads = originals.loads;
  const std::unique_ptr<Picture> whole = LoadFor(card, {461, 768});
  const std::unique_ptr<Picture> small = LoadFor(card, {104, 173});
  ASSERT_TRUE(whole && small);
  EXPECT_EQ(originals.loads, loads) << "both came from the copy";

  // At the copy's size, every pixel's alpha as the original has it.
  const std::unique_ptr<Picture> original = originals.Load(card, PictureFormat::Png, {461, 768});
  int differing = 0;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 461; ++x) differing += AlphaAt(*whole, x, y) != AlphaAt(*original, x, y);
  }
  EXPECT_EQ(differing, 0);
  // Smaller: the corners gone, the middle whole, the band half.
  for (const auto& [x, y] : {std::pair{0, 0}, {103, 0}, {0, 172}, {103, 172}, {9, 15}}) {
    EXPECT_EQ(AlphaAt(*small, x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(AlphaAt(*small, 52, 86), 0xFF);
  EXPECT_EQ(AlphaAt(*small, 52, 0), 0xFF);
  EXPECT_NEAR(AlphaAt(*small, 11, 5), 0x80, 2);
  EXPECT_NEAR(AlphaAt(*small, 5, 19), 0x80, 2);
}

TEST_F(PictureCacheTest, ACopyWithADamagedAlphaChannelIsIgnored) {
  const std::string card = Original("9.png", 1200, 2000, 9);
  originals.alphas[card] = CornersCut;
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Png, kScreen));
  const std::string copy = ReadAll(cache.CopyPath(card));
  const std::string_view comment = *JpegComment(copy);
  const std::size_t at = static_cast<std::size_t>(comment.data() - copy.data());
  // The same copy with another comment segment.
  const auto withComment = [&](const std::string& text) {
    const std::string length{static_cast<char>((text.size() + 2) >> 8),
                             static_cast<char>((text.size() + 2) & 0xFF)};
    return copy.substr(0, at - 2) + length + text + copy.substr(at + comment.size());
  };
  // Cut short by a byte; a byte more.
  for (const std::string& damaged :
       {std::string(comment.substr(0, comment.size() - 1)), std::string(comment) + '\x01'}) {
    ASSERT_TRUE(WriteFileAtomically(cache.CopyPath(card), withComment(damaged)));
    const int loads = originals.loads;
    const std::unique_ptr<Picture> picture = LoadFor(card, {104, 173});
    EXPECT_EQ(originals.loads, loads + 1);
    ASSERT_TRUE(picture);
    EXPECT_EQ(AlphaAt(*picture, 0, 0), 0);
    EXPECT_EQ(AlphaAt(*picture, 52, 86), 0xFF);
  }
  // Put back as written, it serves again.
  ASSERT_TRUE(WriteFileAtomically(cache.CopyPath(card), withComment(std::string(comment))));
  const int loads = originals.loads;
  EXPECT_TRUE(LoadFor(card, {104, 173}));
  EXPECT_EQ(originals.loads, loads);
}

TEST_F(PictureCacheTest, ADrawingSmallerThanTheScreenIsKeptAtTheSizeTheScreenShowsIt) {
  const std::string card = Original("17.svg", 55, 95, 17);
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Svg, kScreen));
  const int loads = originals.loads;
  const std::unique_ptr<Picture> picture = cache.Load(card, PictureFormat::Svg, {445, 768});
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size(), (PictureSize{445, 768}));
  EXPECT_EQ(Tag(*picture), 17u);
  EXPECT_EQ(originals.loads, loads) << "from the copy, not drawn again";
}

TEST_F(PictureCacheTest, NothingIsCopiedThatTheOriginalServesAsWell) {
  // No larger than the screen shows it.
  const std::string small = Original("1.jpg", 200, 350, 1);
  EXPECT_FALSE(cache.Fill(small, PictureFormat::Jpeg, kScreen));
  // Transparency that is noise, too large to keep beside the key.
  const std::string noisy = Original("2.png", 1200, 2000, 2);
  originals.alphas[noisy] = Noise;
  EXPECT_FALSE(cache.Fill(noisy, PictureFormat::Png, kScreen));
  EXPECT_FALSE(cache.Fill(dir.Path("deck/missing.jpg"), PictureFormat::Jpeg, kScreen));
  EXPECT_EQ(cache.UsedBytes(), 0u);
}

TEST_F(PictureCacheTest, APictureChangedSinceItsCopyIsDecodedAfresh) {
  const std::string card = Original("7.jpg", 1200, 2000, 7);
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Jpeg, kScreen));
  // Another picture of another length in the same file.
  Original("7.jpg", 1200, 2000, 70);
  EXPECT_EQ(Tag(*LoadFor(card, {104, 173})), 70u);
  // The same length, only the time differs.
  ASSERT_TRUE(cache.Fill(card, PictureFormat::Jpeg, kScreen));
  Original("7.jpg", 1200, 2000, 71);
  std::filesystem::last_write_time(
      card, std::filesystem::last_write_time(card) + std::chrono::seconds(5));
  const int loads = originals.loads;
  EXPECT_EQ(Tag(*LoadFor(card, {104, 173})), 71u);
  EXPECT_EQ(originals.loads, loads + 1);
}

TEST_F(PictureCacheTest, ACorruptOrForeignCopyIsIgnored) {
  const std::string a = Original("a.jpg", 1200, 2000, 1);
  const std::string b = Original("b.jpg", 1200, 2000, 2);
  ASSERT_TRUE(cache.Fill(a, PictureFormat::Jpeg, kScreen));
  ASSERT_TRUE(cache.Fill(b, PictureFormat::Jpeg, kScreen));
  const std::string copyOfA = ReadAll(cache.CopyPath(a));

  // A's copy renamed over B's: its key names A, so B comes from B.
  std::filesystem::copy_file(cache.CopyPath(a), cache.CopyPath(b),
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(Tag(*LoadFor(b, {104, 173})), 2u);

  // A copy whose key is right but whose picture is cut short.
  ASSERT_TRUE(WriteFileAtomically(cache.CopyPath(a), copyOfA.substr(0, copyOfA.size() - 10)));
  EXPECT_EQ(Tag(*LoadFor(a, {104, 173})), 1u);
  // Not a picture at all; nor anything the key could even be read from.
  for (const std::string& junk :
       {std::string("GIF89a"), std::string(), std::string(1000, '\xFF')}) {
    ASSERT_TRUE(WriteFileAtomically(cache.CopyPath(a), junk));
    const std::unique_ptr<Picture> picture = LoadFor(a, {104, 173});
    ASSERT_TRUE(picture);
    EXPECT_EQ(Tag(*picture), 1u);
  }
  // A folder in the copy's place.
  std::filesystem::remove(cache.CopyPath(a));
  std::filesystem::create_directory(cache.CopyPath(a));
  EXPECT_EQ(Tag(*LoadFor(a, {104, 173})), 1u);
}

TEST_F(PictureCacheTest, TheFolderNeverHoldsMoreThanItsBoundAndTheOldestGoFirst) {
  const std::string first = Original("0.jpg", 1200, 2000, 0);
  ASSERT_TRUE(cache.Fill(first, PictureFormat::Jpeg, kScreen));
  const std::uintmax_t one = cache.UsedBytes();
  ASSERT_GT(one, 0u);
  // Room for two and a half copies, besides a file that is not ours.
  CachedPictureLoader bounded(originals, codec, cache.Folder(), one * 5 / 2);
  const std::string notes = dir.Write("cache/vaticor/notes.txt", "mine");
  std::vector<std::string> cards{first};
  for (int i = 1; i < 6; ++i) {
    cards.push_back(Original(std::to_string(i) + ".jpg", 1200, 2000, i));
    // Distinct times of last use.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(bounded.Fill(cards.back(), PictureFormat::Jpeg, kScreen));
    EXPECT_LE(bounded.UsedBytes(), bounded.BoundBytes());
  }
  EXPECT_FALSE(FileExists(bounded.CopyPath(cards[0])));
  EXPECT_FALSE(FileExists(bounded.CopyPath(cards[3])));
  EXPECT_TRUE(FileExists(bounded.CopyPath(cards[4])));
  EXPECT_TRUE(FileExists(bounded.CopyPath(cards[5])));
  EXPECT_EQ(ReadAll(notes), "mine");
  // A copy used lately stays over one made before it.
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(bounded.Load(cards[4], PictureFormat::Jpeg, {104, 173}));
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(bounded.Fill(cards[1], PictureFormat::Jpeg, kScreen));
  EXPECT_TRUE(FileExists(bounded.CopyPath(cards[4])));
  EXPECT_FALSE(FileExists(bounded.CopyPath(cards[5])));
  // A copy larger than the whole bound is never written.
  CachedPictureLoader tiny(originals, codec, cache.Folder(), one / 2);
  EXPECT_FALSE(tiny.Fill(cards[2], PictureFormat::Jpeg, kScreen));
  EXPECT_LE(tiny.UsedBytes(), bounded.BoundBytes());
}

TEST_F(PictureCacheTest, WithoutAWritableFolderPicturesComeFromTheirFiles) {
  const std::string card = Original("3.jpg", 1200, 2000, 3);
  // A folder inside a regular file can never be made, whoever runs this.
  const std::string blocker = dir.Write("blocked", "a file");
  CachedPictureLoader blocked(originals, codec, JoinPath(blocker, "vaticor"));
  EXPECT_FALSE(blocked.Fill(card, PictureFormat::Jpeg, kScreen));
  EXPECT_EQ(Tag(*blocked.Load(card, PictureFormat::Jpeg, {104, 173})), 3u);
  // No folder at all (no home): the same.
  CachedPictureLoader none(originals, codec, "");
  EXPECT_FALSE(none.Fill(card, PictureFormat::Jpeg, kScreen));
  EXPECT_EQ(none.Load(card, PictureFormat::Jpeg, {104, 173})->size(), (PictureSize{104, 173}));
  EXPECT_EQ(none.CopyPath(card), "");
}

TEST_F(PictureCacheTest, ADeckIniChangedOnDiskIsFollowedPastTheCopies) {
  testing::DeckShape shape;
  shape.cards = 3;
  shape.width = 1200;
  shape.height = 2000;
  const std::string folder = testing::WriteDeck(dir, "decks", "big", shape);
  TTaroDecks decks(dir.Path("decks"), cache);
  decks.LoadDecks();
  for (const PictureFile& file : decks.GetCardPictureFiles()) {
    ASSERT_TRUE(cache.Fill(file.path, file.format, kScreen));
  }
  EXPECT_EQ(Tag(*decks.GetCardPicture(1, {104, 173})), 1u);
  // Card 1 now names card 2's file; the cached copy of 1.jpg is not it.
  std::string ini = ReadAll(JoinPath(folder, "deck.ini"));
  ini.replace(ini.find("Card01=1.jpg"), 12, "Card01=2.jpg");
  ASSERT_TRUE(WriteFileAtomically(JoinPath(folder, "deck.ini"), ini));
  EXPECT_EQ(Tag(*decks.GetCardPicture(1, {104, 173})), 2u);
}

}  // namespace
}  // namespace vaticor
