// libFuzzer target: the window geometry a settings file holds, on any
// screen. The input gives every stored value (the screen size it was written
// on, the windows' places and sizes, the main window's card width and mode,
// each present or left out) and the current screen; ReadSettings reads them
// from a settings file, then the main window's sizing rules (mode switch,
// automatic and screen-following sizes, the question window's shift, a move
// by the user) are played on the result in an order the input chooses.
// Checks, on every screen a desktop can have: each window keeps a 32 x 32
// corner of its title bar on the screen, no stored size is larger than the
// screen, the main window keeps its 72 x 82 minimum and, after each sizing
// rule, lies on the screen across. On any other screen (0 x 0 when no
// monitor is attached, say) nothing is checked but the arithmetic, which
// UndefinedBehaviorSanitizer watches throughout.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/chrome_geometry.h"
#include "core/main_window_geometry.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/window_bounds.h"

namespace {

using namespace vaticor;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The fuzz input read front to back; zeros once it runs out.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Bits32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{Byte()} << (8 * i);
    return v;
  }
  // Half the time a value of screen scale (a tag byte, then 16 bits), so
  // that places and sizes near the screen's edges come up often; else any.
  std::int32_t Int32() {
    if (Byte() & 1) {
      const std::uint16_t low = Byte();
      return static_cast<std::int16_t>(low | Byte() << 8);
    }
    return static_cast<std::int32_t>(Bits32());
  }
  // A value in [lowest, highest].
  int InRange(int lowest, int highest) {
    const std::uint64_t span = std::uint64_t(std::int64_t{highest} - lowest) + 1;
    return static_cast<int>(lowest + static_cast<std::int64_t>(Bits32() % span));
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// The settings file, one per process, rewritten for each input.
class SettingsFile {
 public:
  SettingsFile()
      : path_((std::filesystem::temp_directory_path() /
               ("vaticor-geometry-fuzz-" + std::to_string(::getpid()) + ".ini"))
                  .string()) {}
  ~SettingsFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  const std::string& path() const { return path_; }
  void Write(const std::string& text) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
  }

 private:
  std::string path_;
};

// The stored keys ReadSettings takes geometry from, in its two sections.
constexpr const char* kStoredSettings[] = {"Screen.Width", "Screen.Height",
                                           "ThreeCardsMode.Enabled"};
constexpr const char* kStoredForms[] = {
    "VaticorForm.Left",       "VaticorForm.Top",     "VaticorForm.Height",
    "VaticorForm.Card.Width", "AboutForm.Left",      "AboutForm.Top",
    "AboutForm.Width",        "AboutForm.Height",    "AboutForm.CardSelectionPanel.Width",
    "QuestionLogForm.Left",   "QuestionLogForm.Top", "QuestionLogForm.Width",
    "QuestionLogForm.Height", "QuestionForm.Left",   "QuestionForm.Top",
    "SpreadsForm.Left",       "SpreadsForm.Top",     "Spread.Card.Width",
    "Spread.Card.Height",     "DeckGroupsForm.Left", "DeckGroupsForm.Top"};

std::string StoredSettings(InputReader& in) {
  std::uint32_t present = in.Bits32();
  auto section = [&](const char* name, const auto& keys) {
    std::string text = std::string("[") + name + "]\r\n";
    for (const char* key : keys) {
      const std::int32_t value = in.Int32();
      if (present & 1) text += std::string(key) + "=" + std::to_string(value) + "\r\n";
      present >>= 1;
    }
    return text;
  };
  std::string text = section(kSettingsSection, kStoredSettings);
  return text + section(kFormSection, kStoredForms);
}

// A screen every desktop could have; only on these are the bounds promised.
bool RealScreen(int w, int h) { return w >= 320 && h >= 200 && w <= 16384 && h <= 16384; }

// A corner of the title bar, 32 pixels (or the window's size, when smaller)
// each way, lies on the screen: that much of the window's width overlaps the
// screen, and the top edge is no higher than the screen's nor lower than the
// strip allows.
void CheckReachable(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height,
                    int w, int h) {
  const std::int64_t across = std::min<std::int64_t>(32, width);
  const std::int64_t down = std::min<std::int64_t>(32, height);
  const std::int64_t overlap =
      std::min<std::int64_t>(left + width, w) - std::max<std::int64_t>(left, 0);
  Check(overlap >= across);
  Check(top >= 0 && top + down <= h);
}

void CheckStored(const TINIData& d, int w, int h) {
  const int across = d.ThreeCardsModeEnabled ? 3 : 1;
  const std::int64_t mainWidth = std::int64_t{d.VaticorFormCardWidth} * across + 4;
  Check(d.VaticorFormCardWidth >= 68 && mainWidth >= 72 && mainWidth <= w);
  Check(d.VaticorFormHeight >= 82 && d.VaticorFormHeight <= h);
  Check(d.AboutFormWidth >= 1 && d.AboutFormWidth <= w);
  Check(d.AboutFormHeight >= 1 && d.AboutFormHeight <= h);
  Check(d.AboutFormCardSelectionPanelWidth >= 0 && d.AboutFormCardSelectionPanelWidth <= w);
  Check(d.QuestionLogFormWidth >= 1 && d.QuestionLogFormWidth <= w);
  Check(d.QuestionLogFormHeight >= 1 && d.QuestionLogFormHeight <= h);
  Check(d.SpreadCardWidth >= 16 && d.SpreadCardWidth <= w);
  Check(d.SpreadCardHeight >= 16 && d.SpreadCardHeight <= h);

  CheckReachable(d.VaticorFormLeft, d.VaticorFormTop, mainWidth, d.VaticorFormHeight, w, h);
  CheckReachable(d.AboutFormLeft, d.AboutFormTop, d.AboutFormWidth, d.AboutFormHeight, w, h);
  CheckReachable(d.QuestionLogFormLeft, d.QuestionLogFormTop, d.QuestionLogFormWidth,
                 d.QuestionLogFormHeight, w, h);
  CheckReachable(d.QuestionFormLeft, d.QuestionFormTop, 323, 40, w, h);
  CheckReachable(d.SpreadsFormLeft, d.SpreadsFormTop, 259, 53, w, h);
  CheckReachable(d.DeckGroupsFormLeft, d.DeckGroupsFormTop, 228, 52, w, h);
}

// The main window as the sizing rules leave it.
struct MainWindow {
  MainWindowState state;
  int top = 0;
  bool shifted = false;  // by the question window
  int cardWidth = 0;
  int oneCardWidth = 0;
  int threeCardWidth = 0;

  void Take(const MainSizing& sizing) {
    state.left = sizing.left;
    state.width = sizing.width;
    state.height = sizing.height;
    cardWidth = sizing.cardWidth;
    oneCardWidth = sizing.oneCardWidth;
    threeCardWidth = sizing.threeCardWidth;
  }
};

// Whatever a rule gives, the window is no smaller than its minimum, no
// larger than the screen and wholly on it across.
void CheckSizing(const MainSizing& sizing, int w, int h) {
  Check(sizing.cardWidth >= 68 && sizing.oneCardWidth >= 72 && sizing.threeCardWidth >= 72);
  Check(sizing.width >= 72 && sizing.width <= w);
  Check(sizing.height >= 82 && sizing.height <= h);
  Check(sizing.left >= 0 && std::int64_t{sizing.left} + sizing.width <= w);
}

void PlayRules(InputReader& in, MainWindow& window, const TINIData& d, bool checked) {
  const int w = window.state.screenWidth;
  const int h = window.state.screenHeight;
  for (int step = 0; step < 24 && !in.empty(); ++step) {
    // Picture sides come from file headers: 32-bit values.
    const std::int64_t pictureWidth = in.Int32();
    const std::int64_t pictureHeight = in.Int32();
    switch (in.Byte() % 6) {
      case 0: {
        const int newAcross = window.state.cardsAcross == 3 ? 1 : 3;
        const std::int64_t right = std::int64_t{window.state.left} + window.state.width;
        const MainSizing sizing = ModeSwitchSizing(
            window.state, window.cardWidth, window.oneCardWidth, window.threeCardWidth, newAcross);
        if (checked) {
          CheckSizing(sizing, w, h);
          Check(sizing.height == window.state.height);
          // The right edge stays where the screen leaves room for it.
          if (right <= w && right - sizing.width >= 0) Check(sizing.left + sizing.width == right);
        }
        window.Take(sizing);
        window.state.cardsAcross = newAcross;
        break;
      }
      case 1: {
        const AutoSizing sizing = AutoCardSizing(window.state, pictureWidth, pictureHeight);
        if (checked) Check(sizing.height >= 82 && sizing.height <= h);
        if (checked && sizing.sizing) CheckSizing(*sizing.sizing, w, h);
        window.state.height = sizing.height;
        if (sizing.sizing) window.Take(*sizing.sizing);
        break;
      }
      case 2: {
        // The user dragged an edge to any height first.
        window.state.height = in.Int32();
        const std::optional<MainSizing> sizing =
            FitCardWidthSizing(window.state, pictureWidth, pictureHeight);
        if (checked && sizing) CheckSizing(*sizing, w, h);
        if (sizing) {
          window.Take(*sizing);
        } else {
          window.state.height = BoundMainHeight(window.state.height, h);
        }
        break;
      }
      case 3: {
        const MainSizing sizing = ScreenCardSizing(window.state);
        if (checked) CheckSizing(sizing, w, h);
        window.Take(sizing);
        break;
      }
      case 4: {
        // The question window's shift, turned on (the main window moves up
        // to meet it) or off (down by its height) from wherever the window is.
        const int height = window.state.height;
        const std::int64_t from = window.top;
        if (!window.shifted) {
          const int questionTop = d.QuestionFormTop;
          window.top = ShiftedMainTop(questionTop, height);
          if (checked) {
            Check(window.top >= 0 && window.top <= std::max(questionTop, 0));
            if (std::int64_t{questionTop} - height >= 0) Check(window.top + height == questionTop);
          }
        } else {
          window.top = UnshiftedMainTop(window.top, 40, height, h);
          // Down by at most the question window's height, never past the
          // screen's bottom unless the window was already below it.
          if (checked) {
            Check(window.top >= from && window.top <= from + 40);
            Check(window.top + height <= std::max<std::int64_t>(h, from + height));
          }
        }
        window.shifted = !window.shifted;
        break;
      }
      default: {
        // The user moved the window anywhere; it is brought back within reach.
        const WindowRect kept =
            KeepReachable({in.Int32(), in.Int32(), window.state.width, window.state.height}, w, h);
        if (checked) {
          Check(kept.width == window.state.width && kept.height == window.state.height);
          CheckReachable(kept.left, kept.top, kept.width, kept.height, w, h);
        }
        window.state.left = kept.left;
        window.top = kept.top;
        break;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const SettingsFile file;
  InputReader in(data, size);

  // Mostly a screen a desktop has; sometimes any size a platform could
  // report, only for the arithmetic.
  const bool anyScreen = (in.Byte() & 7) == 0;
  const int w = anyScreen ? in.InRange(0, 65535) : in.InRange(320, 16384);
  const int h = anyScreen ? in.InRange(0, 65535) : in.InRange(200, 16384);
  const FixedScreen screen(w, h, in.InRange(0, h));
  const bool checked = RealScreen(w, h);

  file.Write(StoredSettings(in));
  TINIData d;
  OpenSettings(d, file.path(), screen);
  if (checked) CheckStored(d, w, h);

  // Keeping the windows reachable again changes nothing.
  const auto geometry = [](const TINIData& t) {
    return std::array<std::int32_t, 22>{t.VaticorFormLeft,
                                        t.VaticorFormTop,
                                        t.VaticorFormHeight,
                                        t.VaticorFormCardWidth,
                                        t.AboutFormLeft,
                                        t.AboutFormTop,
                                        t.AboutFormWidth,
                                        t.AboutFormHeight,
                                        t.AboutFormCardSelectionPanelWidth,
                                        t.QuestionLogFormLeft,
                                        t.QuestionLogFormTop,
                                        t.QuestionLogFormWidth,
                                        t.QuestionLogFormHeight,
                                        t.QuestionFormLeft,
                                        t.QuestionFormTop,
                                        t.SpreadsFormLeft,
                                        t.SpreadsFormTop,
                                        t.SpreadCardWidth,
                                        t.SpreadCardHeight,
                                        t.DeckGroupsFormLeft,
                                        t.DeckGroupsFormTop,
                                        t.ThreeCardsModeEnabled ? 3 : 1};
  };
  const auto before = geometry(d);
  KeepWindowsReachable(d, w, h);
  if (checked) Check(geometry(d) == before);

  MainWindow window;
  window.state = {w, h, d.VaticorFormLeft, 0, d.VaticorFormHeight, d.ThreeCardsModeEnabled ? 3 : 1};
  window.top = d.VaticorFormTop;
  window.cardWidth = d.VaticorFormCardWidth;
  window.oneCardWidth = MainWindowWidth(d.VaticorFormCardWidth, 1);
  window.threeCardWidth = MainWindowWidth(d.VaticorFormCardWidth, 3);
  window.state.width = window.state.cardsAcross == 3 ? window.threeCardWidth : window.oneCardWidth;
  PlayRules(in, window, d, checked);
  return 0;
}
