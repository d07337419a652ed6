#pragma once

// The program's single instances for a window under test: settings read
// from a temporary folder, decks and description sets in it, a fake picture
// loader, a fixed screen (1024 x 768, taskbar at 738) and clock.

#include <gtest/gtest.h>

#include <QObject>
#include <QWidget>
#include <functional>
#include <string>

#include "core/random.h"
#include "core/screen.h"
#include "core/settings.h"
#include "core/shell.h"
#include "support/deck_writer.h"
#include "support/fake_picture_loader.h"
#include "support/temp_dir.h"
#include "support/ui/program_instances.h"
#include "ui/program_state.h"

namespace vaticor::testing {

class ProgramStateFixture {
 protected:
  // A deck under "Decks/".
  void MakeDeck(const std::string& folder, int cards, int width = 200, int height = 350) {
    DeckShape shape;
    shape.cards = cards;
    shape.width = width;
    shape.height = height;
    WriteDeck(dir, "Decks", folder, shape);
  }
  // Reads the settings file (on the fixture's screen of that size) and then
  // lets the test change them before a window is created.
  void ReadSettingsFile(int screenWidth = 1024, int screenHeight = 768, int taskBarTop = 738) {
    screen.Resize(screenWidth, screenHeight, taskBarTop);
    OpenSettings(ini, dir.Path("Quorlin.ini"), screen);
    ApplySettings(ini);
  }
  std::function<void(TINIData&)> ApplySettings = [](TINIData&) {};

  TempDir dir;
  FakePictureLoader loader;
  ProgramInstances instances{dir.Path("Decks"), dir.Path("Descriptions"), loader, 777};
  // The instances by the names the tests use.
  FixedScreen& screen = instances.screen;
  FixedClock& clock = instances.clock;
  RandomGenerator& random = instances.random;
  TINIData& ini = instances.ini;
  TTaroDecks& decks = instances.decks;
  TTaroDescriptions& descriptions = instances.descriptions;
  TCardsSpreadGenerator& picker = instances.picker;
  TLanguageTable& languages = instances.languages;
  RecordingShell& shell = instances.shell;
  ProgramState& state = instances.state;
};

// A window's control by its layout name; fails the test when there is none.
template <typename T>
T* Control(const QObject& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (!found) ADD_FAILURE() << "no control named " << name;
  return found;
}

}  // namespace vaticor::testing
