#include "platform/codecs/picture_reducer.h"

#include <gtest/gtest.h>

#include <vector>

namespace vaticor {
namespace {

using Order = PictureReducer::RowOrder;

// Hands the rows over in the order given, one Add per row.
std::unique_ptr<Picture> Reduce(PictureSize source, PictureSize output, Order order, bool opaque,
                                const std::vector<std::vector<std::uint32_t>>& rows) {
  PictureReducer reducer(source, output, order, opaque);
  for (const auto& row : rows) {
    reducer.Add(0, row.data(), row.size());
    reducer.EndRows(1);
  }
  return reducer.Finish();
}

TEST(PictureReducerTest, EachPixelIsTheMeanOfTheBlockItCovers) {
  const auto p = Reduce({4, 2}, {2, 1}, Order::TopDown, true,
                        {{0xFF000000u, 0xFF640000u, 0xFF00C800u, 0xFF000032u},
                         {0xFF0A0000u, 0xFF1E0000u, 0xFF000000u, 0xFF000000u}});
  ASSERT_EQ(p->size(), (PictureSize{2, 1}));
  EXPECT_EQ(p->pixel(0, 0), 0xFF230000u);  // red (0 + 100 + 10 + 30) / 4
  EXPECT_EQ(p->pixel(1, 0), 0xFF00320Du);  // green 200 / 4, blue 50 / 4 rounded
}

TEST(PictureReducerTest, PixelsOnABoundaryCountByThePartOnEachSide) {
  // Three source pixels over two: the middle one lies half in each.
  auto p = Reduce({3, 1}, {2, 1}, Order::TopDown, true, {{0xFF000000u, 0xFF5A0000u, 0xFFB40000u}});
  EXPECT_EQ(p->pixel(0, 0), 0xFF1E0000u);  // (0 * 2 + 90) / 3
  EXPECT_EQ(p->pixel(1, 0), 0xFF960000u);  // (90 + 180 * 2) / 3

  p = Reduce({1, 3}, {1, 2}, Order::TopDown, true, {{0xFF000000u}, {0xFF5A0000u}, {0xFFB40000u}});
  EXPECT_EQ(p->pixel(0, 0), 0xFF1E0000u);
  EXPECT_EQ(p->pixel(0, 1), 0xFF960000u);

  // Bottom-up rows give the same upright picture.
  p = Reduce({1, 3}, {1, 2}, Order::BottomUp, true, {{0xFFB40000u}, {0xFF5A0000u}, {0xFF000000u}});
  EXPECT_EQ(p->pixel(0, 0), 0xFF1E0000u);
  EXPECT_EQ(p->pixel(0, 1), 0xFF960000u);
}

TEST(PictureReducerTest, ColoursAreWeightedByTheirAlpha) {
  // An invisible red beside opaque blue: half covered, and blue.
  auto p = Reduce({2, 1}, {1, 1}, Order::TopDown, false, {{0x00FF0000u, 0xFF0000FFu}});
  EXPECT_EQ(p->pixel(0, 0), 0x800000FFu);
  // Half-transparent red beside opaque blue: alpha (128 + 255) / 2, red
  // 255 * 128 / 383, blue 255 * 255 / 383.
  p = Reduce({2, 1}, {1, 1}, Order::TopDown, false, {{0x80FF0000u, 0xFF0000FFu}});
  EXPECT_EQ(p->pixel(0, 0), 0xC05500AAu);
}

TEST(PictureReducerTest, RowsNeverHandedOverAreTransparent) {
  {
    // Only the bottom row of four: the lower result row is half covered.
    PictureReducer reducer({2, 4}, {1, 2}, Order::BottomUp, false);
    const std::uint32_t white[] = {0xFFFFFFFFu, 0xFFFFFFFFu};
    reducer.Add(0, white, 2);
    reducer.EndRows(1);
    const auto p = reducer.Finish();
    EXPECT_EQ(p->pixel(0, 0), 0x00000000u);
    EXPECT_EQ(p->pixel(0, 1), 0x80FFFFFFu);
  }
  {
    // Three rows skipped at once, then the top row.
    PictureReducer reducer({2, 4}, {1, 2}, Order::BottomUp, false);
    reducer.EndRows(3);
    const std::uint32_t green[] = {0xFF00FF00u, 0xFF00FF00u};
    reducer.Add(0, green, 2);
    const auto p = reducer.Finish();
    EXPECT_EQ(p->pixel(0, 0), 0x8000FF00u);
    EXPECT_EQ(p->pixel(0, 1), 0x00000000u);
  }
}

TEST(PictureReducerTest, KeepingTheSizeCopiesPixelsAndDropsThoseOutside) {
  PictureReducer reducer({2, 3}, {2, 3}, Order::BottomUp, false);
  const std::uint32_t bottom[] = {0x11111111u, 0x22222222u, 0x33333333u};
  reducer.Add(1, bottom, 3);  // only the first lands, at x = 1
  reducer.EndRows(1);
  std::uint32_t* middle = reducer.DirectRow();
  ASSERT_NE(middle, nullptr);
  middle[0] = 0x44444444u;
  middle[1] = 0x55555555u;
  reducer.EndRows(1);
  const auto p = reducer.Finish();  // the top row is never written
  ASSERT_EQ(p->size(), (PictureSize{2, 3}));
  EXPECT_EQ(p->pixel(0, 0), 0x00000000u);
  EXPECT_EQ(p->pixel(1, 0), 0x00000000u);
  EXPECT_EQ(p->pixel(0, 1), 0x44444444u);
  EXPECT_EQ(p->pixel(1, 1), 0x55555555u);
  EXPECT_EQ(p->pixel(0, 2), 0x00000000u);
  EXPECT_EQ(p->pixel(1, 2), 0x11111111u);

  PictureReducer shrinking({4, 4}, {2, 2}, Order::TopDown, true);
  EXPECT_EQ(shrinking.DirectRow(), nullptr);
  // Pixels past the right edge or below the last row change nothing.
  const std::uint32_t grey[] = {0xFF808080u, 0xFF808080u, 0xFF808080u, 0xFF808080u};
  for (int y = 0; y < 4; ++y) {
    shrinking.Add(0, grey, 4);
    shrinking.Add(4, grey, 4);
    shrinking.EndRows(1);
  }
  shrinking.Add(0, grey, 4);
  shrinking.EndRows(1);
  const auto q = shrinking.Finish();
  for (std::uint32_t px : q->pixels()) EXPECT_EQ(px, 0xFF808080u);
}

}  // namespace
}  // namespace vaticor
