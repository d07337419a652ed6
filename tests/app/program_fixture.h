#pragma once

// The whole program on a fixed 1024 x 768 screen (taskbar at 738) in a
// folder of its own, with pictures that are never decoded and a Russian
// locale.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/program.h"
#include "support/deck_writer.h"
#include "support/temp_dir.h"

namespace vaticor::testing {

class CountingRegistrar : public FileTypeRegistrar {
 public:
  void RegisterSpreadFileType() override { ++calls; }
  int calls = 0;
};

// Every picture is 200 x 350.
class TextPictureLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string&, PictureFormat, PictureSize) override {
    return std::make_unique<Picture>(200, 350);
  }
  std::optional<PictureSize> Measure(const std::string&, PictureFormat) override {
    return PictureSize{200, 350};
  }
};

class ProgramTest : public ::testing::Test {
 protected:
  void MakeDeck(const std::string& folder, int cards) {
    DeckShape shape;
    shape.cards = cards;
    WriteDeck(dir, "Pictures Folder/Decks", folder, shape);
  }

  TempDir dir;
  FixedScreen screen{1024, 768, 738};
  TextPictureLoader pictures;
  FixedLocale locale{0x0419};
  CountingRegistrar registrar;
  FixedClock clock{12 * 3600 * 1000};
  RecordingShell shell;
  SystemServices system{screen, pictures, locale, registrar, clock, shell};
};

}  // namespace vaticor::testing
