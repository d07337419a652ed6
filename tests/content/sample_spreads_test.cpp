// The ready-made spreads that ship, as the program lays them out on the
// screens users have: nothing under the spreads toolbar where it first
// stands, and no card over the number and meaning of another.
#include "sample_spreads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/screen.h"
#include "core/settings.h"
#include "library/spread_file.h"
#include "support/temp_dir.h"

namespace vaticor {
namespace {

struct Rect {
  std::int64_t left, top, width, height;
  bool Meets(const Rect& o) const {
    return left < o.left + o.width && o.left < left + width && top < o.top + o.height &&
           o.top < top + height;
  }
};

struct ScreenSize {
  int width;
  int height;
};

TEST(SampleSpreads, NothingLiesUnderTheToolbarNorOverAnEmptyPositionsText) {
  testing::TempDir dir;
  const std::string folder = dir.MakeDir("Spreads Folder");
  ASSERT_EQ(sample_content::write_sample_spreads(folder), 8);
  // 4:3, 5:4, 16:10 and 16:9 screens, each with a 30-pixel taskbar.
  const std::vector<ScreenSize> screens = {{1024, 768}, {1280, 1024}, {1280, 800},  {1440, 900},
                                           {1366, 768}, {1920, 1080}, {1920, 1200}, {2560, 1440}};
  for (const ScreenSize size : screens) {
    const int workAreaFoot = size.height - 30;
    const FixedScreen screen(size.width, size.height, workAreaFoot);
    // The first run's settings: where the toolbar stands, the card size.
    TINIData settings;
    OpenSettings(settings, dir.Path("Quorlin.ini"), screen);
    const Rect toolbar{settings.SpreadsFormLeft, settings.SpreadsFormTop, kSpreadsFormSize.width,
                       kSpreadsFormSize.height};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      SCOPED_TRACE(name + " on " + std::to_string(size.width) + " x " +
                   std::to_string(size.height));
      const std::optional<SpreadLayout> layout = ReadSpreadFile(
          entry.path().string(), settings.SpreadCardWidth, settings.SpreadCardHeight, screen);
      ASSERT_TRUE(layout);
      std::vector<Rect> cards;
      for (const SpreadPosition& position : layout->Positions) {
        cards.push_back({position.Left, position.Top, layout->CardWidth, layout->CardHeight});
      }
      for (std::size_t i = 0; i < cards.size(); ++i) {
        const Rect& card = cards[i];
        EXPECT_FALSE(card.Meets(toolbar)) << "card " << i + 1 << " under the toolbar";
        EXPECT_TRUE(card.left >= 0 && card.top >= 0 && card.left + card.width <= size.width &&
                    card.top + card.height <= workAreaFoot)
            << "card " << i + 1 << " off the work area";
        // An empty position writes its number and meaning in its top half;
        // a card laid later lies over those laid before it.
        for (std::size_t j = 0; j < cards.size(); ++j) {
          const Rect face{cards[j].left, cards[j].top, cards[j].width, cards[j].height / 2};
          EXPECT_FALSE(i > j && card.Meets(face))
              << "card " << i + 1 << " over the text of card " << j + 1;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vaticor
