#include "library/numbered_pictures.h"

#include <gtest/gtest.h>

namespace vaticor {
namespace {

TEST(NumberedPictures, NumbersInAnyCaseAndExtensionWithGapsAndOtherFilesPassedOver) {
  const std::vector<std::string> files = {"00.JPG", "1.png",    "021.webp",
                                          "77.Svg", "back.jpg", "readme.txt",
                                          "78.jpg", "5.gif",    "12.jpeg.txt"};
  const NumberedPictures pictures = RecogniseNumberedPictures(files);
  EXPECT_EQ(pictures.found, 4);
  EXPECT_EQ(pictures.cards, 78);
  EXPECT_EQ(pictures.byIdentity[0], "00.JPG");
  EXPECT_EQ(pictures.byIdentity[1], "1.png");
  EXPECT_EQ(pictures.byIdentity[21], "021.webp");
  EXPECT_EQ(pictures.byIdentity[77], "77.Svg");
  EXPECT_EQ(pictures.byIdentity[5], "");  // a gap: .gif is no picture the program reads
  EXPECT_TRUE(pictures.clash.empty());
}

TEST(NumberedPictures, CanonicalNamesOfTheOpenDeckFormat) {
  const std::vector<std::string> files = {"major_arcana/00.webp",
                                          "Major_Arcana\\21.png",
                                          "minor_arcana/cups/ace.png",
                                          "minor_arcana/WANDS/King.jpg",
                                          "minor_arcana/pentacles/three.svg",
                                          "major_arcana/22.png",
                                          "minor_arcana/coins/ace.png",
                                          "minor_arcana/cups/eleven.png",
                                          "extra/cups/ace.png"};
  const NumberedPictures pictures = RecogniseNumberedPictures(files);
  EXPECT_EQ(pictures.found, 5);
  EXPECT_EQ(pictures.byIdentity[36], "minor_arcana/cups/ace.png");
  EXPECT_EQ(pictures.byIdentity[35], "minor_arcana/WANDS/King.jpg");
  EXPECT_EQ(pictures.byIdentity[66], "minor_arcana/pentacles/three.svg");
  EXPECT_EQ(pictures.byIdentity[21], "Major_Arcana\\21.png");
}

TEST(NumberedPictures, MajorsAloneMakeA22CardDeckAndTwoFilesForOneCardClash) {
  const std::vector<std::string> majors = {"00.jpg", "13.jpg", "21.jpg"};
  EXPECT_EQ(RecogniseNumberedPictures(majors).cards, 22);
  EXPECT_EQ(RecogniseNumberedPictures(std::vector<std::string>{"cover.png"}).cards, 0);
  const std::vector<std::string> clash = {"00.jpg", "13.jpg", "major_arcana/00.png", "0.webp"};
  EXPECT_EQ(RecogniseNumberedPictures(clash).clash,
            (std::vector<std::string>{"00.jpg", "major_arcana/00.png"}));
}

}  // namespace
}  // namespace vaticor
